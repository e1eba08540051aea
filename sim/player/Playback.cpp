#include "sim/player/Playback.h"

#include "player/wa_ipc.h"
#include "sim/common/EventLog.h"

namespace {

// "2. Entry - Winamp [Paused]" in UTF-8, as the playlist wrote the entry.
std::string WindowTitle()
{
    const TTrack* track = CurrentTrack();
    if (!track) return "Winamp";
    std::string title = std::to_string(Player.Position + 1) + ". " + track->Utf8Entry + " - Winamp";
    if (Player.State == TPlayState::Paused) title += " [Paused]";
    if (Player.State == TPlayState::Stopped) title += " [Stopped]";
    return title;
}

void ShowState()
{
    LogEvent(std::string("STATE ") + PlayStateName(Player.State) + " " +
             std::to_string(Player.Position));
    ShowTitle();
    InvalidateRect(Player.Window, nullptr, TRUE);
}

void SetState(TPlayState state, size_t position)
{
    if (state == Player.State && position == Player.Position) return;
    Player.State = state;
    Player.Position = position;
    ShowState();
}

// The player tells its own window, and so every plug-in hooked into it,
// that a file starts.
void StartTrack(size_t position)
{
    SetState(TPlayState::Playing, position);
    SendMessageA(Player.Window, WM_USER, 0, IPC_PLAYING_FILE);
}

// Previous and next wrap around; a playing or paused player plays the new
// track, a stopped one only moves.
void Step(bool forward)
{
    const size_t count = Player.Playlist.Tracks.size();
    if (count == 0) return;
    const size_t position = (Player.Position + (forward ? 1 : count - 1)) % count;
    if (Player.State == TPlayState::Stopped) {
        SetState(TPlayState::Stopped, position);
    } else {
        StartTrack(position);
    }
}

}  // namespace

bool RunPlayerCommand(int id)
{
    if (id != PlayerExit && (id < PlayerPrevious || id > PlayerNext)) return false;
    LogEvent("WM_COMMAND " + std::to_string(id));
    switch (id) {
        case PlayerPrevious:
            Step(false);
            break;
        case PlayerNext:
            Step(true);
            break;
        case PlayerPlay:
            // Also while paused: the track starts again from its beginning.
            if (CurrentTrack()) StartTrack(Player.Position);
            break;
        case PlayerPause:
            if (Player.State == TPlayState::Playing) {
                SetState(TPlayState::Paused, Player.Position);
            } else if (Player.State == TPlayState::Paused) {
                SetState(TPlayState::Playing, Player.Position);
            }
            break;
        case PlayerStop:
            SetState(TPlayState::Stopped, Player.Position);
            break;
        case PlayerExit:
            PostMessageA(Player.Window, WM_CLOSE, 0, 0);
            break;
    }
    return true;
}

const TTrack* CurrentTrack()
{
    const auto& tracks = Player.Playlist.Tracks;
    return Player.Position < tracks.size() ? &tracks[Player.Position] : nullptr;
}

const char* PlayStateName(TPlayState state)
{
    switch (state) {
        case TPlayState::Playing:
            return "playing";
        case TPlayState::Paused:
            return "paused";
        default:
            return "stopped";
    }
}

void ShowTitle()
{
    const std::string title = WindowTitle();
    if (Player.Unicode) {
        SetWindowTextW(Player.Window, Utf8ToWide(title).c_str());
    } else {
        SetWindowTextA(Player.Window, Utf8ToCp1251(title).c_str());
    }
}
