// The stand-in player's playlist file.
//
// UTF-8 text (a leading byte-order mark is skipped), one track per line,
// LF or CR LF line ends. A line holds tab-separated fields key=value; the
// value is everything after the first '=', kept exactly (blanks too) and
// converted to Windows-1251 (characters it lacks become '?').
//
//   file        the file name the player reports; required
//   entry       the title the playlist shows; without it, the file's name
//               without folder and extension
//   artist title album track year genre comment
//               the tags; a tag whose key is absent is absent (the player
//               says it has none), "artist=" is a tag with an empty text
//   length      seconds; negative means unknown; without it -1
//   bitrate samplerate channels
//               numbers the player reports while the track plays (bit rate
//               in kbit/s, sample rate in Hz); 0 without
//
// Keys are lower case. Empty lines, lines of blanks and lines starting with
// '#' are ignored. A line with an unknown or repeated key, a field without
// '=', a number that is not a decimal 32-bit integer, no file, or more than
// MaxPlaylistLineBytes bytes is skipped whole, and its number is reported.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr size_t MaxPlaylistLineBytes = 64 * 1024;
constexpr size_t MaxPlaylistFileBytes = 16 * 1024 * 1024;

struct TTag {
    std::string Name;  // the key as written
    std::string Value;
};

struct TTrack {
    std::string File;
    std::string Entry;
    std::string Utf8Entry;  // the same as the playlist wrote it, for a Unicode title
    std::vector<TTag> Tags;
    int Length = -1;
    int Bitrate = 0;
    int Samplerate = 0;
    int Channels = 0;
};

struct TPlaylist {
    std::vector<TTrack> Tracks;
    std::vector<size_t> SkippedLines;  // 1-based
};

TPlaylist ParsePlaylist(const std::string& utf8Text);
// False when the file cannot be read or is larger than MaxPlaylistFileBytes.
bool ReadPlaylist(const std::string& path, TPlaylist& playlist);

// The tag named without regard to case ("ARTIST" finds artist); null when
// the track has none of that name.
const TTag* FindTag(const TTrack& track, const std::string& name);
// The first track of that file name, compared exactly; null when none.
const TTrack* FindTrack(const TPlaylist& playlist, const std::string& file);

std::wstring Utf8ToWide(const std::string& utf8);
std::string Utf8ToCp1251(const std::string& utf8);
