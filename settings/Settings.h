// The settings: their table, the accessors every other part reads them
// through, and the copy of the state record. The first 27 are those of every
// version; later ones are added after them, with defaults that keep the
// behaviour of the versions without them.
#pragma once

#include <array>
#include <string>

constexpr int SettingCount = 34;
constexpr int FirstSettingId = 1000;  // control id = 1000 + index

using TDlgControlsAr = std::array<std::string, SettingCount>;

enum TSettingKind { StaticText = 0, CheckBox = 1, RadioButton = 2, ComboBox = 3, GroupBox = 4 };

// The settings by control id, named after their dialog controls.
// clang-format off
namespace Setting {
enum : int {
    Enable = FirstSettingId, IfStatus, IfPicture, IfAny, SetPicture, SetStatus, SetLongStatus,
    LongStatus, SaveRestore, Picture, Status, SetTray, About, CustomZEM, AllZEM, AllZEMNo, Tray,
    AllowOpen, DelayV, DelayT, grZEM, grIf, grSet, grMain, Lang, VirtPlayState, Compatible,
    // The quick switch; the label and the list of tracks left alone; the
    // tray tool-tip's texts while switched off and while a track is left
    // alone (a hidden list); the text of the push button that resets the
    // pictures' captions (a hidden text: the button is no setting). The
    // text of the push button that opens the clients window, and the
    // window's texts (both hidden, as the one before).
    Active, SkipText, Skip, TrayNotes, ResetCaptions, Clients, ClientsTexts
};
}
// clang-format on

extern const std::array<const char*, SettingCount> SettingNames;
extern const std::array<TSettingKind, SettingCount> SettingKinds;

// Index into the arrays; ids outside the table give -1.
int SettingIndex(int id);

std::string ValueText(int id, const std::string& value);
bool ValueOn(int id, const std::string& value);
// A setting in a table of values.
std::string TextIn(const TDlgControlsAr& values, int id);
bool OnIn(const TDlgControlsAr& values, int id);
std::string OnOffText(bool on);
// CR LF becomes the two characters "\n" for storing.
std::string EscapeLineBreaks(const std::string& text);
