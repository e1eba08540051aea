#include "bench/BenchPlayer.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "player/wa_ipc.h"

namespace {

struct TBenchTrack {
    const char* File;
    const char* Entry;
    const char* Artist;
    const char* Title;
    int Length;
};

const std::array<TBenchTrack, 2> Tracks{{
    {"C:\\Музыка\\Один.mp3", "Группа - Один", "Группа", "Один", 245},
    {"C:\\Music\\two.ogg", "Band - Two", "Band", "Two", 61},
}};
size_t Playing = 0;
std::string ReportedFile;

void CopyTag(const extendedFileInfoStruct& request, const char* value)
{
    if (!request.ret || request.retlen == 0) return;
    const size_t length = std::min(std::strlen(value), request.retlen - 1);
    std::memcpy(request.ret, value, length);
    request.ret[length] = '\0';
}

LRESULT Answer(WPARAM wParam, LPARAM code)
{
    const TBenchTrack& track = Tracks[Playing];
    switch (code) {
        case IPC_ISPLAYING:
            return 1;
        case IPC_GETLISTPOS:
            return static_cast<LRESULT>(Playing);
        case IPC_GETPLAYLISTFILE:
            return reinterpret_cast<LRESULT>(ReportedFile.empty() ? track.File
                                                                  : ReportedFile.c_str());
        case IPC_GETPLAYLISTTITLE:
            return reinterpret_cast<LRESULT>(track.Entry);
        case IPC_GET_BASIC_FILE_INFO:
            reinterpret_cast<basicFileInfoStruct*>(wParam)->length = track.Length;
            return 1;
        case IPC_GET_EXTENDED_FILE_INFO: {
            const auto& request = *reinterpret_cast<extendedFileInfoStruct*>(wParam);
            const char* name = request.metadata ? request.metadata : "";
            const char* value = std::strcmp(name, "ARTIST") == 0  ? track.Artist
                                : std::strcmp(name, "TITLE") == 0 ? track.Title
                                                                  : nullptr;
            if (!value) return 0;
            CopyTag(request, value);
            return 1;
        }
        default:
            return 0;
    }
}

LRESULT CALLBACK PlayerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER) return Answer(wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND CreateBenchPlayer()
{
    WNDCLASSA type{};
    type.lpfnWndProc = PlayerProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "Winamp v1.x";
    if (!RegisterClassA(&type)) return nullptr;
    return CreateWindowA(type.lpszClassName, "Winamp", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                         nullptr, type.hInstance, nullptr);
}

void SwitchTrack()
{
    Playing = 1 - Playing;
}

void ReportFileName(const std::string& file)
{
    ReportedFile = file;
}
