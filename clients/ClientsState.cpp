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
    GClients.Wanted.Values[SettingIndex(Setting::SetPicture)] = OnOffText(false);
    const TLocked locked;
    GHandOver.PictureChosen = true;
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
