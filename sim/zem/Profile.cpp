#include "sim/zem/Profile.h"

#include <windows.h>

#include "sim/common/EventLog.h"
#include "sim/common/TextFile.h"
#include "sim/zem/Zem.h"

namespace {

constexpr char CustomStatusFile[] = "_st_cust.txt";
constexpr char SettingsFile[] = "zem.ini";
constexpr char Section[] = "Status";
constexpr char PictureKey[] = "Picture";
constexpr char Marker[] = "#custom_status_descr#";
constexpr size_t MaxCustomStatusBytes = 1024 * 1024;

// A line break or zero byte inside a text would break the file's lines.
std::string FileText(const std::string& text)
{
    std::string clean;
    for (char c : text) {
        if (c == '\0') continue;
        clean += c == '\r' || c == '\n' ? ' ' : c;
    }
    return clean;
}

std::string CustomStatusText()
{
    std::string text;
    for (const TPictureTexts& record : Zem.Records) {
        text += FileText(record.Caption) + Marker + FileText(record.LongText) + "\r\n";
    }
    return text;
}

// A line counts only when CR LF ends it; lines past the last picture are
// left alone.
void ReadCustomStatusText(const std::string& text)
{
    const std::vector<std::string> lines = CrLfLines(text);
    for (size_t i = 0; i < lines.size() && i < Zem.Records.size(); ++i) {
        const std::string line = FileText(lines[i]);
        const size_t marker = line.find(Marker);
        Zem.Records[i].Caption = line.substr(0, marker);
        Zem.Records[i].LongText =
            marker == std::string::npos ? "" : line.substr(marker + sizeof(Marker) - 1);
    }
}

}  // namespace

std::string ProfileFolder(const std::string& account)
{
    return ExeFolder() + "Users\\" + account + "\\";
}

void LoadProfile()
{
    const std::string folder = ProfileFolder(Zem.Account);
    LogEvent("PROFILE " + folder);
    std::string text;
    if (ReadTextFile(folder + CustomStatusFile, MaxCustomStatusBytes, text)) {
        ReadCustomStatusText(text);
    }
    const UINT picture =
        GetPrivateProfileIntA(Section, PictureKey, 0, (folder + SettingsFile).c_str());
    Zem.Picture = picture < static_cast<UINT>(PictureCount) ? static_cast<int>(picture) : 0;
}

void SaveProfile()
{
    const std::string folder = ProfileFolder(Zem.Account);
    CreateDirectoryA((ExeFolder() + "Users").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    const bool saved =
        WriteTextFile(folder + CustomStatusFile, CustomStatusText()) &&
        WritePrivateProfileStringA(Section, PictureKey, std::to_string(Zem.Picture).c_str(),
                                   (folder + SettingsFile).c_str());
    LogEvent("SAVE " + folder + (saved ? "" : " failed"));
}
