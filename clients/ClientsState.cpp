#include "clients/ClientsState.h"

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
    GClients.PictureChosen = true;
}

std::string IfStatusReference()
{
    return GClients.Wanted.Status.Caption;
}
