// The player window that the benchmark's update cycles ask: it plays one of
// two tracks and answers the plug-in's requests from its own thread, as the
// player does.
#pragma once

#include <windows.h>

#include <string>

// Null when the window cannot be made.
HWND CreateBenchPlayer();
// From now on the player plays the other track.
void SwitchTrack();
// The file name the player reports for either track; empty: their own.
void ReportFileName(const std::string& file);
