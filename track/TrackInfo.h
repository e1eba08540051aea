// What the player plays, asked once per update cycle.
#pragma once

#include <cstddef>

// What the player's answer gives for a length it does not know (a stream).
constexpr char NotAvailableText[] = "N/A";

constexpr unsigned TagBufferSize = 1025;  // the player writes a tag text here
// A text the player hands out without its terminator must not lead the copy
// through the rest of its memory: no text is read further than this.
constexpr size_t PlayerTextLimit = 64 * 1024;

// Fills TokenValues of CurrentState from the player's answers; true while the
// player plays or is paused.
bool GatherTrackInfo();
