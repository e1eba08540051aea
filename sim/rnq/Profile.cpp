#include "sim/rnq/Profile.h"

#include <windows.h>

#include "sim/common/EventLog.h"
#include "sim/common/TextFile.h"
#include "sim/rnq/Rnq.h"

namespace {

constexpr char ProfileFile[] = "rnq.ini";
constexpr char Header[] = "[Status]\r\n";
constexpr char PictureKey[] = "Picture=";
constexpr char CaptionKey[] = "Caption=";
constexpr char TextKey[] = "Text=";
constexpr size_t MaxProfileBytes = 1024 * 1024;

std::string Escape(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c != '\0') {
            escaped += c;
        }
    }
    return escaped;
}

std::string Unescape(const std::string& text)
{
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const char next = text[++i];
        plain += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return plain;
}

void ReadLine(const std::string& line, TClientStatus& status)
{
    auto starts = [&line](const char* key) { return line.compare(0, lstrlenA(key), key) == 0; };
    if (starts(PictureKey)) {
        int picture = 0;
        if (ParseCount(line.substr(lstrlenA(PictureKey)), PictureCount - 1, picture)) {
            status.Picture = picture;
        }
    } else if (starts(CaptionKey)) {
        status.Caption = Unescape(line.substr(lstrlenA(CaptionKey)));
    } else if (starts(TextKey)) {
        status.LongText = Unescape(line.substr(lstrlenA(TextKey)));
    }
}

}  // namespace

std::string ProfileFolder(const std::string& account)
{
    return ExeFolder() + (account.empty() ? std::string("default") : account) + "\\";
}

void LoadProfile()
{
    const std::string folder = ProfileFolder(Rnq.Account);
    LogEvent("PROFILE " + folder);
    std::string text;
    if (!ReadTextFile(folder + ProfileFile, MaxProfileBytes, text)) return;
    TClientStatus status;
    for (const std::string& line : CrLfLines(text)) ReadLine(line, status);
    Rnq.Status = status;
    Rnq.Selected = status.Picture;
}

void SaveProfile()
{
    const std::string folder = ProfileFolder(Rnq.Account);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string text = Header + std::string(PictureKey) + std::to_string(Rnq.Status.Picture) +
                             "\r\n" + CaptionKey + Escape(Rnq.Status.Caption) + "\r\n" + TextKey +
                             Escape(Rnq.Status.LongText) + "\r\n";
    const bool saved = WriteTextFile(folder + ProfileFile, text);
    LogEvent("SAVE " + folder + (saved ? "" : " failed"));
}
