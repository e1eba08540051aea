// The player's own commands and the state they change.
#pragma once

#include "sim/player/Player.h"

constexpr int PlayerExit = 40001;

// Runs a WM_COMMAND identifier; false when it is none of the player's.
bool RunPlayerCommand(int id);

// The current track; null in an empty playlist.
const TTrack* CurrentTrack();
const char* PlayStateName(TPlayState state);
// Puts "2. Artist - Title - Winamp [Paused]" into the title bar, as the
// player shows it: set as Unicode from the playlist's UTF-8 in the Unicode
// mode, in the ANSI code page by an ANSI player.
void ShowTitle();
