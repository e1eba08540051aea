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
