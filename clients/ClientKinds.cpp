#include "clients/dsupport2ZEM.h"

#include <algorithm>

#include "clients/RnqDriver.h"
#include "clients/ZemDriver.h"
#include "plugin/gen_ZEM.h"

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

std::string IfStatusReference()
{
    return CurrentState.CurStatus.Caption;
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
