#include "track/TrackFilter.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <vector>

namespace {

// Character comparisons one name may cost against the whole list: far more
// than any real name and list need, and a few milliseconds on a slow machine.
constexpr size_t MatchBudget = 1000000;

// In UTF-16 every character of an ANSI code page is one unit, so "?" takes
// a two-byte character whole and never half of one.
std::wstring UpperWide(const std::string& text, unsigned codePage)
{
    const int size = static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
    const int length = size > 0 ? MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0) : 0;
    std::wstring wide(length > 0 ? length : 0, L'\0');
    if (wide.empty()) return wide;
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    CharUpperBuffW(&wide[0], static_cast<DWORD>(wide.size()));
    return wide;
}

std::vector<std::wstring> Split(const std::wstring& text, const std::wstring& mark)
{
    std::vector<std::wstring> pieces;
    for (size_t start = 0;;) {
        const size_t end = text.find(mark, start);
        pieces.push_back(text.substr(start, end == std::wstring::npos ? end : end - start));
        if (end == std::wstring::npos) return pieces;
        start = end + mark.size();
    }
}

struct TMatcher {
    const std::wstring& Name;
    size_t Budget = MatchBudget;

    // A piece holds no "*"; its "?" takes any one character. An exhausted
    // budget answers no.
    bool PieceAt(size_t at, const std::wstring& piece)
    {
        for (size_t i = 0; i < piece.size(); ++i) {
            if (Budget == 0) return false;
            --Budget;
            if (piece[i] != L'?' && piece[i] != Name[at + i]) return false;
        }
        return true;
    }

    // The pieces between the stars: the first at the start, the last at the
    // end, each one between them at its leftmost place, which leaves the
    // most room to those after it. Every "*" in the pattern is a wildcard.
    bool Matches(const std::wstring& pattern)
    {
        const std::vector<std::wstring> pieces = Split(pattern, L"*");
        const std::wstring& first = pieces.front();
        const std::wstring& last = pieces.back();
        if (pieces.size() == 1) return Name.size() == first.size() && PieceAt(0, first);
        if (first.size() + last.size() > Name.size()) return false;
        const size_t end = Name.size() - last.size();
        if (!PieceAt(0, first) || !PieceAt(end, last)) return false;
        size_t at = first.size();
        for (size_t i = 1; i + 1 < pieces.size(); ++i) {
            const std::wstring& piece = pieces[i];
            while (at + piece.size() <= end && !PieceAt(at, piece)) {
                if (Budget == 0) return false;
                ++at;
            }
            if (at + piece.size() > end) return false;
            at += piece.size();
        }
        return true;
    }
};

}  // namespace

bool IsLeftAlone(const std::string& file, const std::string& patterns, unsigned codePage)
{
    if (file.empty() || patterns.empty()) return false;
    const std::wstring name = UpperWide(file, codePage);
    TMatcher matcher{name};
    // The marks around the list are optional; empty items match nothing.
    for (const std::wstring& pattern : Split(UpperWide(patterns, codePage), L"||")) {
        if (!pattern.empty() && matcher.Matches(pattern)) return true;
    }
    return false;
}
