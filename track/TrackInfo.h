// What the player plays, asked once per update cycle.
#pragma once

#include <cstddef>

#include "track/TrackValues.h"

constexpr unsigned TagBufferSize = 1025;  // the player writes a tag text here
// A text the player hands out without its terminator must not lead the copy
// through the rest of its memory: no text is read further than this.
constexpr size_t PlayerTextLimit = 64 * 1024;

// Fills the track from the player's answers, the play state named by its
// text; true while the player plays or is paused.
bool GatherTrackInfo(const TPlayStateTexts& playStateTexts, TTrackValues& track);
