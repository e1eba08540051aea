#include "track/TrackInfo.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "player/wa_ipc.h"
#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "util/TimeText.h"

namespace {

// The answers that several tokens of one call share.
struct TTrackAnswers {
    int32_t Position = 0;
    std::string File;
    int32_t Length = 0;
    bool Active = true;
};

std::string PlayerNumber(int code, WPARAM wParam)
{
    return IntToText(static_cast<int32_t>(SendToPlayer(code, wParam)));
}

int32_t TrackLength(const std::string& file)
{
    basicFileInfoStruct request{file.c_str(), 0, 0, nullptr, 0};
    SendToPlayer(IPC_GET_BASIC_FILE_INFO, reinterpret_cast<WPARAM>(&request));
    return request.length;
}

std::string TagValue(const std::string& file, const std::string& key)
{
    // A fresh zeroed buffer for every tag: a player that writes without a
    // terminator cannot leave one tag's tail behind the next, and the copy
    // stops at the buffer's end whatever the player wrote.
    std::array<char, TagBufferSize> buffer{};
    extendedFileInfoStruct request{file.c_str(), key.c_str(), buffer.data(), buffer.size()};
    if (SendToPlayer(IPC_GET_EXTENDED_FILE_INFO, reinterpret_cast<WPARAM>(&request)) != 1)
        return std::string();
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

std::string PlayStateText(const TPlayStateTexts& texts, bool& active)
{
    switch (static_cast<int32_t>(SendToPlayer(IPC_ISPLAYING))) {
        case 1:
            return texts[0];
        case 3:
            return texts[1];
        default:
            active = false;
            return texts[2];
    }
}

// The seconds go to the time helper as 16 bits: lengths wrap at 65536.
std::string DurationText(int32_t length)
{
    if (length < 0) return NotAvailableText;
    return FormatTime(MakeTime(0, 0, static_cast<uint16_t>(length)));
}

// Hours and minutes passed as minutes and seconds give "HH:MM".
std::string ClockText()
{
    const SYSTEMTIME now = ReadLocalTime();
    return FormatTime(MakeTime(0, now.wHour, now.wMinute));
}

std::string PlayerValue(const std::string& name, const TPlayStateTexts& playStateTexts,
                        TTrackAnswers& answers)
{
    const WPARAM position = static_cast<WPARAM>(answers.Position);
    if (name == "%Copy")
        return PlayerText(SendToPlayer(IPC_GETPLAYLISTTITLE, position), PlayerTextLimit);
    if (name == "%File") return FileTitle(answers.File);
    if (name == "%PlayState") return PlayStateText(playStateTexts, answers.Active);
    if (name == "%ListPos") return IntToText(int64_t{answers.Position} + 1);
    if (name == "%Lenght") return DurationText(answers.Length);
    if (name == "%Bitrate") return PlayerNumber(IPC_GETINFO, 1);
    if (name == "%Samplerate") return PlayerNumber(IPC_GETINFO, 0);
    if (name == "%Channels") return PlayerNumber(IPC_GETINFO, 2);
    return std::string();
}

}  // namespace

bool GatherTrackInfo(const TPlayStateTexts& playStateTexts, TTrackValues& track)
{
    TTrackAnswers answers;
    answers.Position = static_cast<int32_t>(SendToPlayer(IPC_GETLISTPOS));
    answers.File = PlayerText(
        SendToPlayer(IPC_GETPLAYLISTFILE, static_cast<WPARAM>(answers.Position)), PlayerTextLimit);
    answers.Length = TrackLength(answers.File);
    track.TrackFile = answers.File;
    for (size_t i = 0; i < TrackTokens.size(); ++i) {
        const TTrackInfo& row = TrackTokens[i];
        std::string& value = track.TokenValues[i];
        switch (row.Kind) {
            case TagToken:
                value = TagValue(answers.File, UpperText(row.Name + 1));
                break;
            case PlayerToken:
                value = PlayerValue(row.Name, playStateTexts, answers);
                break;
            case ClockToken:
                value = ClockText();
                break;
            case ClientToken:
                break;
        }
    }
    return answers.Active;
}
