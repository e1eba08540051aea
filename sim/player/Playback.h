// The player's own commands and the state they change.
#pragma once

#include <string>

#include "sim/player/Player.h"

constexpr int PlayerExit = 40001;

// Runs a WM_COMMAND identifier; false when it is none of the player's.
bool RunPlayerCommand(int id);

// The current track; null in an empty playlist.
const TTrack* CurrentTrack();
const char* PlayStateName(TPlayState state);
// "2. Artist - Title - Winamp [Paused]", as the player's title bar shows.
std::string WindowTitle();
