// The 27 settings: their table, the accessors every other part reads them
// through, and the copy of the state record.
#pragma once

#include <array>
#include <string>

constexpr int SettingCount = 27;
constexpr int FirstSettingId = 1000;  // control id = 1000 + index

using TDlgControlsAr = std::array<std::string, SettingCount>;

enum TSettingKind { StaticText = 0, CheckBox = 1, RadioButton = 2, ComboBox = 3, GroupBox = 4 };

// The settings by control id, named after their dialog controls.
// clang-format off
namespace Setting {
enum : int {
    Enable = FirstSettingId, IfStatus, IfPicture, IfAny, SetPicture, SetStatus, SetLongStatus,
    LongStatus, SaveRestore, Picture, Status, SetTray, About, CustomZEM, AllZEM, AllZEMNo, Tray,
    AllowOpen, DelayV, DelayT, grZEM, grIf, grSet, grMain, Lang, VirtPlayState, Compatible
};
}
// clang-format on

extern const std::array<const char*, SettingCount> SettingNames;
extern const std::array<TSettingKind, SettingCount> SettingKinds;

// Index into the arrays; ids outside the table give -1.
int SettingIndex(int id);

std::string ValueText(int id, const std::string& value);
std::string SettingText(int id);
bool ValueOn(int id, const std::string& value);
bool SettingOn(int id);
std::string OnOffText(bool on);
// CR LF becomes the two characters "\n" for storing.
std::string EscapeLineBreaks(const std::string& text);

struct TPS;
void CopyState(const TPS& source, TPS& target);
// The default values and captions, written into a state record.
void FillDefaultSettings(TPS& state);
