// The track as a value: what the player answered in one cycle, by template
// token. The cycle gathers it and hands it to the template expansion.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int PlayStateCount = 3;  // playing, paused, stopped
constexpr int TokenCount = 18;     // one value per template token

// What the player's answer gives for a length it does not know (a stream).
constexpr char NotAvailableText[] = "N/A";

using TPlayStateTexts = std::array<std::string, PlayStateCount>;
using TTokenValues = std::array<std::string, TokenCount>;

enum TTokenKind : int32_t { TagToken = 0, PlayerToken = 1, ClockToken = 2, ClientToken = 3 };

struct TTrackInfo {
    const char* Name;  // as written in a template, with its "%"
    TTokenKind Kind;
};

// Row i names what TokenValues[i] holds; rows are replaced in this order.
extern const std::array<TTrackInfo, TokenCount> TrackTokens;

struct TTrackValues {
    TTokenValues TokenValues;
    std::string TrackFile;  // the full name the player reports for its entry
};
