#include "track/TrackFilter.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

constexpr size_t NotFound = std::wstring::npos;

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

// A piece holds no "*"; its "?" takes any one character.
bool PieceAt(const std::wstring& name, size_t at, const std::wstring& piece)
{
    for (size_t i = 0; i < piece.size(); ++i)
        if (piece[i] != L'?' && piece[i] != name[at + i]) return false;
    return true;
}

// Knuth, Morris and Pratt: every character of the name is looked at a
// bounded number of times, however the piece repeats itself.
size_t FindExact(const std::wstring& name, size_t from, size_t end, const std::wstring& piece)
{
    std::vector<size_t> border(piece.size() + 1, 0);
    for (size_t i = 1, k = 0; i < piece.size(); ++i) {
        while (k > 0 && piece[i] != piece[k]) k = border[k];
        if (piece[i] == piece[k]) ++k;
        border[i + 1] = k;
    }
    for (size_t at = from, k = 0; at < end; ++at) {
        while (k > 0 && name[at] != piece[k]) k = border[k];
        if (name[at] == piece[k]) ++k;
        if (k == piece.size()) return at + 1 - piece.size();
    }
    return NotFound;
}

using TBits = std::vector<uint64_t>;

// The index of c in the sorted chars; chars.size() when it is not there.
size_t IndexIn(const std::wstring& chars, wchar_t c)
{
    const auto found = std::lower_bound(chars.begin(), chars.end(), c);
    return found != chars.end() && *found == c ? static_cast<size_t>(found - chars.begin())
                                               : chars.size();
}

// Shift-And: one bit a place of the piece, so each character of the name
// costs a word for every 64 characters of the piece, whatever they are.
size_t FindWithAny(const std::wstring& name, size_t from, size_t end, const std::wstring& piece)
{
    const size_t words = (piece.size() + 63) / 64;
    const auto bit = [](size_t i) { return uint64_t{1} << (i % 64); };
    TBits any(words, 0);
    for (size_t i = 0; i < piece.size(); ++i)
        if (piece[i] == L'?') any[i / 64] |= bit(i);
    std::wstring chars = piece;
    std::sort(chars.begin(), chars.end());
    chars.erase(std::unique(chars.begin(), chars.end()), chars.end());
    // The places each character may stand at: its own and every "?"; the
    // last entry is for the characters the piece does not hold.
    std::vector<TBits> places(chars.size() + 1, any);
    for (size_t i = 0; i < piece.size(); ++i)
        if (piece[i] != L'?') places[IndexIn(chars, piece[i])][i / 64] |= bit(i);
    const size_t last = piece.size() - 1;
    TBits matched(words, 0);
    for (size_t at = from; at < end; ++at) {
        const TBits& allowed = places[IndexIn(chars, name[at])];
        uint64_t carry = 1;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t next = matched[w] >> 63;
            matched[w] = ((matched[w] << 1) | carry) & allowed[w];
            carry = next;
        }
        if (matched[last / 64] & bit(last)) return at + 1 - piece.size();
    }
    return NotFound;
}

// The leftmost place at or after from where the piece ends by end.
size_t FindPiece(const std::wstring& name, size_t from, size_t end, const std::wstring& piece)
{
    if (piece.empty()) return from;
    return piece.find(L'?') == std::wstring::npos ? FindExact(name, from, end, piece)
                                                  : FindWithAny(name, from, end, piece);
}

// Which UTF-16 units a name holds, one bit each.
std::vector<bool> UnitsOf(const std::wstring& name)
{
    std::vector<bool> units(size_t{std::numeric_limits<wchar_t>::max()} + 1, false);
    for (const wchar_t c : name) units[static_cast<size_t>(c)] = true;
    return units;
}

// The pieces between the stars: the first at the start, the last at the
// end, each one between them at its leftmost place, which leaves the most
// room to those after it. Every "*" in the pattern is a wildcard. Each
// piece's search starts where the one before it ended, so the name is read
// once for each pattern.
bool Matches(const std::wstring& name, const std::vector<bool>& units, const std::wstring& pattern)
{
    // A character the name lacks is found nowhere in it: most patterns that
    // do not match end here, without a look at the name.
    for (const wchar_t c : pattern)
        if (c != L'*' && c != L'?' && !units[static_cast<size_t>(c)]) return false;
    const std::vector<std::wstring> pieces = Split(pattern, L"*");
    const std::wstring& first = pieces.front();
    const std::wstring& last = pieces.back();
    if (pieces.size() == 1) return name.size() == first.size() && PieceAt(name, 0, first);
    if (first.size() + last.size() > name.size()) return false;
    const size_t end = name.size() - last.size();
    if (!PieceAt(name, 0, first) || !PieceAt(name, end, last)) return false;
    size_t at = first.size();
    for (size_t i = 1; i + 1 < pieces.size(); ++i) {
        at = FindPiece(name, at, end, pieces[i]);
        if (at == NotFound) return false;
        at += pieces[i].size();
    }
    return true;
}

}  // namespace

bool IsLeftAlone(const std::string& file, const std::string& patterns, unsigned codePage)
{
    if (file.empty() || patterns.empty()) return false;
    const std::wstring name = UpperWide(file, codePage);
    const std::vector<bool> units = UnitsOf(name);
    // The marks around the list are optional; empty items match nothing.
    for (const std::wstring& pattern : Split(UpperWide(patterns, codePage), L"||")) {
        if (!pattern.empty() && Matches(name, units, pattern)) return true;
    }
    return false;
}
