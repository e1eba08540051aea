// The state that everything talking to clients works on, and the settings
// as the worker was handed them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "clients/ClientSlot.h"
#include "clients/Wanted.h"

struct TClientsState {
    TWanted Wanted;
    std::array<TClient, SlotCount> Slots;
    // The slots as the last pass left them: the captions' reset is for the
    // clients served until the plug-in went away for its dialog.
    std::array<TClient, SlotCount> Served;
    // The account a main window showed before another logged in, kept until
    // the new account is registered.
    std::array<TClient, SlotCount> Predecessors;
    int32_t RestoreDepth = 0;  // above 0 while statuses are put back
    // Every client the pass found: the slots and the windows it did not
    // take up.
    std::vector<TClientLine> Found;
};
// The clients' worker thread's while one runs (clients/Worker.h), else the
// thread's that calls in (the module's start, tests).
extern TClientsState GClients;

// The settings as the worker was handed them.
bool WantedOn(int id);
std::string WantedText(int id);
// The user chose another picture in a client: SetPicture goes off here at
// once, and in the running settings once the player's thread takes the
// choice (TakePictureChoice, clients/Worker.h).
void SwitchSetPictureOff();
// What a client's caption must equal for the IfStatus condition: the
// caption the cycle made from the Status template, so that a client is
// changed while it shows the plug-in's own caption (also when it is put
// back). A driver that expands or cuts captions does the same to it.
std::string IfStatusReference();
// What a client showing base is to show once written: the picture, caption
// and long text that SetPicture, SetStatus and SetLongStatus switch on are
// those written.
TStatus ExpectedAfterWrite(const TStatus& base, const TStatus& written);
