// The languages built into the plug-in: every setting's default value and
// caption in each. A language section of the settings file takes these
// defaults for the keys it lacks; a language the plug-in does not know
// takes the Russian ones.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "settings/Settings.h"

// The first is the language of a fresh install.
extern const std::array<const char*, 2> BuiltInLanguages;

struct TLanguageDefaults {
    TDlgControlsAr Values;
    TDlgControlsAr Captions;
};

// Letter case ignored.
bool IsBuiltInLanguage(const std::string& language);

// By name, letter case ignored as in the file's section names; the texts
// in the code page given (0: the ANSI code page in use).
TLanguageDefaults LanguageDefaults(const std::string& language, unsigned codePage = 0);

// The clients window's texts from their caption; the items that a file
// saved before they were added lacks are the language's built-in ones.
std::vector<std::string> ClientsWindowTexts(const std::string& caption,
                                            const std::string& language);

// The languages the dialog offers: the items of the "||" list as they stand,
// then each built-in language that the list lacks.
std::vector<std::string> OfferedLanguages(const std::string& list);
