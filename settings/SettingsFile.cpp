#include "settings/SettingsFile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "player/PluginRecord.h"
#include "settings/Languages.h"
#include "settings/Version.h"
#include "util/Files.h"
#include "util/Text.h"

namespace {

const char* const LanguageKey = "Lang";
const char* const DefaultLanguage = "Default";

std::string ReadProfileText(const std::string& section, const std::string& key, const char* def,
                            const std::string& file, unsigned size)
{
    std::vector<char> buffer(size, '\0');
    GetPrivateProfileStringA(section.c_str(), key.c_str(), def, buffer.data(), size, file.c_str());
    return std::string(buffer.data(), strnlen(buffer.data(), size));
}

// A key that is missing keeps its default whole: cutting the default to a
// small file's size would lose the built-in lists at the next save. Two
// markers tell a missing key from a value that happens to equal one.
std::string ReadEntry(const std::string& section, const std::string& key, const std::string& def,
                      const std::string& file)
{
    const unsigned size = std::min<uint32_t>(FileSizeOf(file), MaxEntryBytes);
    if (size < 2) return def;
    const char* const first = "\x01";
    const std::string text = ReadProfileText(section, key, first, file, size);
    if (text != first) return text;
    const char* const second = "\x02";
    return ReadProfileText(section, key, second, file, size) == second ? def : text;
}

std::string KeyName(int index, const char* suffix)
{
    return std::string(SettingNames[index]) + suffix;
}

void ReadPlayStateTexts(TPS& target)
{
    TRLSResult r = SplitFirst(target.Captions[SettingIndex(Setting::VirtPlayState)], "||");
    for (std::string& text : target.PlayStateTexts) {
        r = SplitFirst(r.Right, "||");
        text = r.Left;
    }
}

}  // namespace

std::string LanguageSection(const std::string& language)
{
    return std::string(PluginName) + "_" + language;
}

// A key the section lacks, also one added after the file was written,
// takes the built-in default of that language.
void ReadLanguage(TPS& target, const std::string& file, const std::string& language)
{
    const std::string section = LanguageSection(language);
    const TLanguageDefaults defaults = LanguageDefaults(language);
    for (int i = 0; i < SettingCount; ++i)
        target.Captions[i] = ReadEntry(section, KeyName(i, ".Caption"), defaults.Captions[i], file);
    for (int i = 0; i < SettingCount; ++i)
        target.Values[i] = ReadEntry(section, KeyName(i, ".Value"), defaults.Values[i], file);
    target.Values[SettingIndex(Setting::Lang)] = language;
    ReadPlayStateTexts(target);
    target.Captions[SettingIndex(Setting::About)] = AboutCaption;
}

void WriteLanguage(const TPS& source, const std::string& file, const std::string& language)
{
    WritePrivateProfileStringA(PluginName, LanguageKey, language.c_str(), file.c_str());
    const std::string section = LanguageSection(language);
    for (int i = 0; i < SettingCount; ++i)
        WritePrivateProfileStringA(section.c_str(), KeyName(i, ".Value").c_str(),
                                   source.Values[i].c_str(), file.c_str());
    for (int i = 0; i < SettingCount; ++i)
        WritePrivateProfileStringA(section.c_str(), KeyName(i, ".Caption").c_str(),
                                   source.Captions[i].c_str(), file.c_str());
}

// Whatever was loaded before a failure stays; the next load tries again.
void LoadSettingsInto(TPS& target, const TPS& defaults)
{
    try {
        CopyState(defaults, target);
        const std::string file = SettingsFilePath();
        const std::string def = defaults.Values[SettingIndex(Setting::Lang)];
        std::string language =
            ReadProfileText(PluginName, LanguageKey, def.c_str(), file, MaxLanguageName);
        if (language.empty()) language = DefaultLanguage;
        ReadLanguage(target, file, language);
    } catch (...) {
    }
}

void SaveSettingsFrom(const TPS& source)
{
    WriteLanguage(source, PrepareSettingsSave(), TextIn(source.Values, Setting::Lang));
}
