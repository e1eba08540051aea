#include "clients/ClientsState.h"

#include "clients/HandOver.h"

TClientsState GClients;

bool WantedOn(int id)
{
    return OnIn(GClients.Wanted.Values, id);
}

std::string WantedText(int id)
{
    return TextIn(GClients.Wanted.Values, id);
}

void SwitchSetPictureOff()
{
    const int setPicture = SettingIndex(Setting::SetPicture);
    GClients.Wanted.Values[setPicture] = OnOffText(false);
    const TLocked locked;
    GHandOver.PictureChosen = true;
    // The jobs posted already were made before the choice.
    for (TWanted* pending : {&GHandOver.Jobs.Wanted, &GHandOver.Jobs.NextWanted})
        pending->Values[setPicture] = OnOffText(false);
}

std::string IfStatusReference()
{
    return GClients.Wanted.Status.Caption;
}

TStatus ExpectedAfterWrite(const TStatus& base, const TStatus& written)
{
    TStatus expected = base;
    if (WantedOn(Setting::SetPicture)) expected.PictureIndex = written.PictureIndex;
    if (WantedOn(Setting::SetStatus)) expected.Caption = written.Caption;
    if (WantedOn(Setting::SetLongStatus)) expected.LongText = written.LongText;
    return expected;
}
