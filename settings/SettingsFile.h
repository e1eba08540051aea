// The settings file beside the module: one section naming the language in
// use, and per language a section with every setting's value and caption.
#pragma once

#include <string>

struct TPS;

constexpr unsigned MaxLanguageName = 1024;  // buffer for the language name
constexpr unsigned MaxEntryBytes = 10240;   // buffer for one value or caption

// The module's own file name with ".ini" appended.
std::string SettingsFilePath();
std::string LanguageSection(const std::string& language);

void LoadSettings();
void SaveSettings();
void ReadLanguage(TPS& target, const std::string& file, const std::string& language);
void WriteLanguage(const TPS& source, const std::string& file, const std::string& language);
