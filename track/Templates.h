// The template tokens and the expansion of a status template.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "plugin/gen_ZEM.h"

enum TTokenKind : int32_t { TagToken = 0, PlayerToken = 1, ClockToken = 2, ClientToken = 3 };

struct TTrackInfo {
    const char* Name;  // as written in a template, with its "%"
    TTokenKind Kind;
};

// Row i names what TokenValues[i] holds; rows are replaced in this order.
extern const std::array<TTrackInfo, TokenCount> TrackTokens;

// No expanded status text grows past this; longer ones are cut. Values
// that name later tokens would otherwise multiply the text with every pass.
constexpr size_t MaxExpandedText = 64 * 1024;

// Line-break marks become CR LF; an optional part, "{%Artist - }", is left
// out when every token in it is empty and kept without its braces otherwise
// ("{{" and "}}" give one brace); then every token but the client's own two
// is replaced, in any letter case, by its value in CurrentState.
std::string ExpandTemplate(const std::string& text);
