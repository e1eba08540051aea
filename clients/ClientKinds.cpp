#include "clients/dsupport2ZEM.h"

TClient ZemClient;
TClient RnqClient;
std::array<TClient, 2> ClientKinds;

void ClearSlot(TClient& instance)
{
    instance = TClient{};
}

namespace {

void SetKind(TClient& kind, const char* name, const char* mainClass, const char* statusClass)
{
    ClearSlot(kind);
    kind.ClientName = name;
    kind.MainWnd.ClassName = mainClass;
    kind.StatusWnd.ClassName = statusClass;
}

}  // namespace

void InitClientKinds()
{
    SetKind(ZemClient, "ZEM", "TMainForm", "TCusForm");
    SetKind(RnqClient, "RnQ", "TRnQmain", "TxStatusForm");
    ClientKinds = {ZemClient, RnqClient};
}
