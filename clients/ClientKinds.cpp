#include "clients/dsupport2ZEM.h"

#include <algorithm>

#include "clients/RnqDriver.h"
#include "clients/ZemDriver.h"

TClientsState Clients;
TClient ZemClient;
TClient RnqClient;
std::array<TClient, 2> ClientKinds;

void ClearSlot(TClient& instance)
{
    instance = TClient{};
}

bool SameStatus(const TStatus& a, const TStatus& b)
{
    return a.PictureIndex == b.PictureIndex && a.Caption == b.Caption && a.LongText == b.LongText;
}

const TStatus& LastSaved(const TClient& instance)
{
    return instance.Saved[std::clamp(instance.SavedIndex, 0, 1)];
}

const TStatus& ShownBefore(const TClient& instance)
{
    return instance.ShownUnknown ? instance.Unconfirmed : instance.Current;
}

std::string IfStatusReference()
{
    return Clients.Wanted.Status.Caption;
}

bool WantedOn(int id)
{
    return OnIn(Clients.Wanted.Values, id);
}

std::string WantedText(int id)
{
    return TextIn(Clients.Wanted.Values, id);
}

void SwitchSetPictureOff()
{
    Clients.Wanted.Values[SettingIndex(Setting::SetPicture)] = OnOffText(false);
    Clients.PictureChosen = true;
}

namespace {

void SetKind(TClient& kind, const char* name, const char* mainClass, const char* statusClass,
             TOpenStatusWindow open, TApplyStatus apply)
{
    ClearSlot(kind);
    kind.ClientName = name;
    kind.MainWnd.ClassName = mainClass;
    kind.StatusWnd.ClassName = statusClass;
    kind.OpenStatusWindow = open;
    kind.ApplyStatus = apply;
}

}  // namespace

void InitClientKinds()
{
    SetKind(ZemClient, "ZEM", "TMainForm", "TCusForm", ZemOpenStatusWindow, ZemApplyStatus);
    SetKind(RnqClient, "RnQ", "TRnQmain", "TxStatusForm", RnqOpenStatusWindow, RnqApplyStatus);
    ClientKinds = {ZemClient, RnqClient};
}
