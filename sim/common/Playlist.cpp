#include "sim/common/Playlist.h"

#include <windows.h>

#include <cstdint>

#include "sim/common/TextFile.h"

namespace {

constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr UINT Cyrillic = 1251;

const char* const TagKeys[] = {"artist", "title", "album", "track", "year", "genre", "comment"};

// A whole decimal 32-bit integer, optionally negative.
bool ParseInt(const std::string& text, int& value)
{
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > int64_t{INT32_MAX} + 1) return false;
    }
    const int64_t signedValue = text[0] == '-' ? -magnitude : magnitude;
    if (signedValue > INT32_MAX) return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool IsTagKey(const std::string& key)
{
    for (const char* tag : TagKeys) {
        if (key == tag) return true;
    }
    return false;
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

// The part after the last '\' or '/' up to the last '.', as the player
// shows a file that has no title of its own.
std::string NameWithoutFolder(const std::string& file)
{
    size_t slash = file.find_last_of("\\/");
    std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool SetField(TTrack& track, const std::string& key, const std::string& value)
{
    if (key == "length") return ParseInt(value, track.Length);
    if (key == "bitrate") return ParseInt(value, track.Bitrate);
    if (key == "samplerate") return ParseInt(value, track.Samplerate);
    if (key == "channels") return ParseInt(value, track.Channels);
    if (key == "file") {
        track.File = Utf8ToCp1251(value);
    } else if (key == "entry") {
        track.Utf8Entry = value;
    } else if (IsTagKey(key)) {
        track.Tags.push_back(TTag{key, Utf8ToCp1251(value)});
    } else {
        return false;
    }
    return true;
}

bool ParseTrack(const std::string& line, TTrack& track)
{
    if (line.size() > MaxPlaylistLineBytes) return false;
    std::vector<std::string> keys;
    auto given = [&keys](const char* key) {
        for (const std::string& seen : keys) {
            if (seen == key) return true;
        }
        return false;
    };
    std::string file;
    size_t start = 0;
    for (;;) {
        size_t end = line.find('\t', start);
        const std::string field =
            line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t equals = field.find('=');
        if (equals == std::string::npos) return false;
        const std::string key = field.substr(0, equals);
        const std::string value = field.substr(equals + 1);
        if (given(key.c_str()) || !SetField(track, key, value)) return false;
        if (key == "file") file = value;
        keys.push_back(key);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (!given("file")) return false;
    if (!given("entry")) track.Utf8Entry = NameWithoutFolder(file);
    track.Entry = Utf8ToCp1251(track.Utf8Entry);
    return true;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8)
{
    if (utf8.empty() || utf8.size() > MaxPlaylistFileBytes) return L"";
    const int inputLength = static_cast<int>(utf8.size());
    int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inputLength, nullptr, 0);
    if (wideLength <= 0) return L"";
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inputLength, &wide[0], wideLength);
    return wide;
}

std::string Utf8ToCp1251(const std::string& utf8)
{
    const std::wstring wide = Utf8ToWide(utf8);
    if (wide.empty()) return "";
    const int wideLength = static_cast<int>(wide.size());
    int length =
        WideCharToMultiByte(Cyrillic, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return "";
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(Cyrillic, 0, wide.data(), wideLength, &text[0], length, nullptr, nullptr);
    return text;
}

TPlaylist ParsePlaylist(const std::string& utf8Text)
{
    TPlaylist playlist;
    size_t start = utf8Text.compare(0, 3, ByteOrderMark) == 0 ? 3 : 0;
    for (size_t number = 1; start < utf8Text.size(); ++number) {
        size_t end = utf8Text.find('\n', start);
        if (end == std::string::npos) end = utf8Text.size();
        size_t length = end - start;
        if (length > 0 && utf8Text[end - 1] == '\r') --length;
        const std::string line = utf8Text.substr(start, length);
        start = end + 1;
        if (IsBlank(line) || line[0] == '#') continue;
        TTrack track;
        if (ParseTrack(line, track)) {
            playlist.Tracks.push_back(std::move(track));
        } else {
            playlist.SkippedLines.push_back(number);
        }
    }
    return playlist;
}

bool ReadPlaylist(const std::string& path, TPlaylist& playlist)
{
    std::string text;
    if (!ReadTextFile(path, MaxPlaylistFileBytes, text)) return false;
    playlist = ParsePlaylist(text);
    return true;
}

const TTag* FindTag(const TTrack& track, const std::string& name)
{
    for (const TTag& tag : track.Tags) {
        if (lstrcmpiA(tag.Name.c_str(), name.c_str()) == 0) return &tag;
    }
    return nullptr;
}

const TTrack* FindTrack(const TPlaylist& playlist, const std::string& file)
{
    for (const TTrack& track : playlist.Tracks) {
        if (track.File == file) return &track;
    }
    return nullptr;
}
