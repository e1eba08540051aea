// What the player plays, asked once per update cycle.
#pragma once

constexpr unsigned TagBufferSize = 1025;  // the player writes a tag text here

// Fills TokenValues of CurrentState from the player's answers; true while the
// player plays or is paused.
bool GatherTrackInfo();
