#include "sim/player/Requests.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "player/wa_ipc.h"
#include "sim/common/EventLog.h"
#include "sim/player/Playback.h"

namespace {

// Texts in the callers' records are read no further than this.
constexpr size_t MaxRequestTextBytes = 32 * 1024;

bool ReadText(const char* source, std::string& text)
{
    if (!source) return false;
    const size_t length = strnlen(source, MaxRequestTextBytes);
    if (length == MaxRequestTextBytes) return false;
    text.assign(source, length);
    return true;
}

// At most size - 1 bytes and a zero.
void CopyText(const std::string& text, char* target, size_t size)
{
    const size_t length = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

const TTrack* TrackOfFile(const char* file)
{
    std::string name;
    return ReadText(file, name) ? FindTrack(Player.Playlist, name) : nullptr;
}

LRESULT PlayState()
{
    switch (Player.State) {
        case TPlayState::Playing:
            return 1;
        case TPlayState::Paused:
            return 3;
        default:
            return 0;
    }
}

// The sample rate in whole kHz for 0 (44 for 44100 Hz), in Hz for 5.
LRESULT TrackInfo(WPARAM which)
{
    const TTrack* track = CurrentTrack();
    if (!track || Player.State == TPlayState::Stopped) return 0;
    switch (which) {
        case 0:
            return track->Samplerate / 1000;
        case 1:
            return track->Bitrate;
        case 2:
            return track->Channels;
        case 5:
            return track->Samplerate;
        default:
            return 0;
    }
}

// The text stays where it is while the player runs: the playlist does not
// change after the start.
LRESULT EntryText(WPARAM position, bool title)
{
    const auto& tracks = Player.Playlist.Tracks;
    if (position >= tracks.size()) return 0;
    const TTrack& track = tracks[position];
    return reinterpret_cast<LRESULT>(title ? track.Entry.c_str() : track.File.c_str());
}

LRESULT ExtendedFileInfo(WPARAM argument)
{
    auto* info = reinterpret_cast<extendedFileInfoStruct*>(argument);
    if (!info || !info->ret || info->retlen == 0) return 0;
    const TTrack* track = TrackOfFile(info->filename);
    std::string name;
    if (!track || !ReadText(info->metadata, name)) return 0;
    const TTag* tag = FindTag(*track, name);
    if (!tag) return 0;
    CopyText(tag->Value, info->ret, info->retlen);
    return 1;
}

LRESULT BasicFileInfo(WPARAM argument)
{
    auto* info = reinterpret_cast<basicFileInfoStruct*>(argument);
    if (!info) return 0;
    const TTrack* track = TrackOfFile(info->filename);
    info->length = track ? track->Length : -1;
    if (!track) return 0;
    if (info->title && info->titlelen > 0) {
        CopyText(track->Entry, info->title, static_cast<size_t>(info->titlelen));
    }
    return 1;
}

}  // namespace

LRESULT AnswerRequest(WPARAM argument, LPARAM code)
{
    LogEvent("REQ " + std::to_string(code) + " " + std::to_string(argument));
    switch (code) {
        case IPC_ISPLAYING:
            return PlayState();
        case IPC_GETLISTPOS:
            return static_cast<LRESULT>(Player.Position);
        case IPC_GETINFO:
            return TrackInfo(argument);
        case IPC_GETPLAYLISTFILE:
            return EntryText(argument, false);
        case IPC_GETPLAYLISTTITLE:
            return EntryText(argument, true);
        case IPC_GET_HMENU:
            return argument == 0 ? reinterpret_cast<LRESULT>(Player.Menu) : 0;
        case IPC_GET_EXTENDED_FILE_INFO:
            return ExtendedFileInfo(argument);
        case IPC_GET_BASIC_FILE_INFO:
            return BasicFileInfo(argument);
        case IPC_GETINIDIRECTORY:
            return reinterpret_cast<LRESULT>(Player.SettingsFolder.c_str());
        default:
            return 0;
    }
}
