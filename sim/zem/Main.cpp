// The stand-in ZEM client; what it does is told at the top of Zem.h.
#include <windows.h>

#include "sim/common/ClientCommands.h"
#include "sim/common/ClientControls.h"
#include "sim/common/EventLog.h"
#include "sim/common/Window.h"
#include "sim/zem/MainForm.h"
#include "sim/zem/Profile.h"
#include "sim/zem/StatusDialog.h"
#include "sim/zem/Zem.h"

namespace {

int Run(int argc, char** argv)
{
    TClientOptions options;
    if (!ParseClientOptions(argc, argv, true, true, options)) return 1;
    OpenEventLog(options.Log);
    Zem.Account = options.Account;
    Zem.LazyDialog = options.LazyDialog;
    LoadProfile();

    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterClientControls(instance) || !RegisterStatusDialog(instance) ||
        !RegisterMainForm(instance)) {
        return 3;
    }
    // The dialog first: whoever finds the main window finds the dialog too.
    if (!CreateStatusDialog() || !CreateMainForm(instance, options.Show)) return 3;
    LogStatus(ZemStatus());

    RunMessageLoop();
    SaveProfile();
    LogEvent("EXIT");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    return GuardedMain(Run, argc, argv);
}
