// The clients' worker thread, the only thread that talks to clients: it
// finds them, registers them, writes and restores their statuses, repairs
// their custom-status files and keeps the journal. It owns GClients while it
// runs. The player's thread owns the hand-over's other side: it calls every
// function here, hands the worker what the clients should show as values,
// and never waits on a client; it waits on the worker only for restores,
// at most CloseWaitMs, letting no message in meanwhile.
#pragma once

#include <windows.h>

#include "clients/ClientStatus.h"
#include "clients/Wanted.h"

// How long a close, quit, configuration or removal waits for every client
// to have its own status back. The restores it does not wait for go on in
// the worker, which keeps the module loaded until they are done. Waits one
// after another for the same restores (a session's end, then the removal,
// then the quit) share this length, and while it runs no message to a
// client waits past its end.
constexpr DWORD CloseWaitMs = 4000;

// Starts the worker unless one runs (at most one runs at any time); one
// that was ending stays. False when no worker could be started.
bool StartWorker();
// The worker ends after the restores asked for, with restore after one of
// every client first; with it end the track's writes: a pending update is
// dropped. Waits for its end as RestoreAllClients does, so that the module
// is free once it returns in time; true then. A client that did not take
// its own status back is tried again every so often, for as long as the
// process runs: the worker, and with it the module, stays until it takes
// it, and the wait ends (false) once only such tries are left.
bool EndWorker(bool restore, const TWanted& wanted);
// The newest state the clients should show; one not yet taken up is
// replaced by it. A pending restore goes first.
void HandOver(const TWanted& wanted);
// Every client gets its own status back (as SaveRestore in wanted says);
// true when each one has it, within CloseWaitMs.
bool RestoreAllClients(const TWanted& wanted);
// The ZEM clients of the last pass get the captions of their backup files
// back; waits as RestoreAllClients does.
bool ResetClientCaptions(const TWanted& wanted);
// True once after the worker saw the user choose another picture.
bool TakePictureChoice();

// What the worker's last pass found (TClientsReport, clients/ClientStatus.h).
TClientsReport LastClientsReport();
