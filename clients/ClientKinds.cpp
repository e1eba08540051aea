#include "clients/ClientKinds.h"

#include "clients/RnqDriver.h"
#include "clients/ZemDriver.h"

TClient ZemClient;
TClient RnqClient;
std::array<TClient, 2> ClientKinds;

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

bool IsZemInstance(const TClient& instance)
{
    return instance.MainWnd.ClassName == ZemClient.MainWnd.ClassName;
}
