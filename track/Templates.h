// The template tokens and the expansion of a status template.
#pragma once

#include <cstddef>
#include <string>

#include "track/TrackValues.h"

// No expanded status text grows past this; longer ones are cut. Values
// that name later tokens would otherwise multiply the text with every pass.
constexpr size_t MaxExpandedText = 64 * 1024;

// Line-break marks become CR LF; an optional part, "{%Artist - }", is left
// out when every token in it is empty and kept without its braces otherwise
// ("{{" and "}}" give one brace); then every token but the client's own two
// is replaced, in any letter case, by its value in the track.
std::string ExpandTemplate(const std::string& text, const TTrackValues& track);
