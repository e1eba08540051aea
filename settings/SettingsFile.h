// The settings file: one section naming the language in use, and per
// language a section with every setting's value and caption.
#pragma once

#include <string>

#include "settings/SettingsPath.h"
#include "settings/State.h"

constexpr unsigned MaxLanguageName = 1024;  // buffer for the language name
constexpr unsigned MaxEntryBytes = 10240;   // buffer for one value or caption

std::string LanguageSection(const std::string& language);

// The defaults, then what the file holds for its language.
void LoadSettingsInto(TPS& target, const TPS& defaults);
void SaveSettingsFrom(const TPS& source);
void ReadLanguage(TPS& target, const std::string& file, const std::string& language);
void WriteLanguage(const TPS& source, const std::string& file, const std::string& language);
