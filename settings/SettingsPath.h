// Where the settings file lies. The file beside the module comes first,
// wherever it can be written; a player installed where its user cannot write
// (under Program Files) gets a file of the user's own in the player's
// settings folder instead, so that what the user changes is not lost.
#pragma once

#include <string>

constexpr const char* UserSettingsSubfolder = "Plugins";
// Below the application-data folder, where the player names no folder of its
// own: the player's default settings folder.
constexpr const char* PlayerAppDataFolder = "Winamp";

// The module's own file name with ".ini" appended.
std::string ModuleSettingsFile();
// The same name under "Plugins" in the player's settings folder; empty when
// there is no such folder.
std::string UserSettingsFile();
// Whether writing the file (creating it, when missing) is refused: the user
// may not write there, or the disk is read-only. Nothing on the disk changes.
// A file that is merely busy is not refused: its save fails as before.
bool WriteRefused(const std::string& path);

// The file a load reads: the user's own where it exists and the one beside
// the module cannot be written; otherwise the one beside the module.
std::string SettingsFilePath();
// The file a save writes: the one beside the module where it can be written,
// otherwise the user's own, with its folder made.
std::string SettingsFileToWrite();
// As SettingsFileToWrite; the user's own file starts as a copy of the one
// beside the module, so that its first save keeps all that the user had.
std::string PrepareSettingsSave();
