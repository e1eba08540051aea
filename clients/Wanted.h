// What the clients should show, as values: the player's thread makes it,
// the worker takes it over whole.
#pragma once

#include <string>

#include "clients/ClientStatus.h"
#include "settings/Settings.h"

struct TWanted {
    TDlgControlsAr Values;  // the settings
    TStatus Status;         // made from the templates; the picture's number
    bool PlayerActive = false;
    // Inactive because the track is one left alone: the clients window
    // says so.
    bool TrackLeftAlone = false;
    std::string JournalPath;
};
