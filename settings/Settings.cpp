#include "settings/Settings.h"

#include "util/Numbers.h"
#include "util/Text.h"

// clang-format off
const std::array<const char*, SettingCount> SettingNames = {
    "Enable", "IfStatus", "IfPicture", "IfAny", "SetPicture", "SetStatus", "SetLongStatus",
    "LongStatus", "SaveRestore", "Picture", "Status", "SetTray", "About", "CustomZEM", "AllZEM",
    "AllZEMNo", "Tray", "AllowOpen", "DelayV", "DelayT", "grZEM", "grIf", "grSet", "grMain",
    "Lang", "VirtPlayState", "Compatible", "Active", "SkipText", "Skip", "TrayNotes",
    "ResetCaptions", "Clients", "ClientsTexts"};

const std::array<TSettingKind, SettingCount> SettingKinds = {
    CheckBox, CheckBox, RadioButton, RadioButton, CheckBox, CheckBox, CheckBox,
    ComboBox, CheckBox, ComboBox, ComboBox, CheckBox, StaticText, ComboBox, RadioButton,
    RadioButton, ComboBox, CheckBox, ComboBox, StaticText, GroupBox, GroupBox, GroupBox, GroupBox,
    ComboBox, ComboBox, CheckBox, CheckBox, StaticText, ComboBox, ComboBox, StaticText,
    StaticText, ComboBox};
// clang-format on

namespace {

bool IsSwitch(TSettingKind kind)
{
    return kind == CheckBox || kind == RadioButton;
}

}  // namespace

int SettingIndex(int id)
{
    const int index = id - FirstSettingId;
    return index >= 0 && index < SettingCount ? index : -1;
}

std::string ValueText(int id, const std::string& value)
{
    const int index = SettingIndex(id);
    return index >= 0 && !IsSwitch(SettingKinds[index]) ? value : std::string();
}

std::string TextIn(const TDlgControlsAr& values, int id)
{
    const int index = SettingIndex(id);
    return index >= 0 ? ValueText(id, values[index]) : std::string();
}

bool ValueOn(int id, const std::string& value)
{
    const int index = SettingIndex(id);
    return index >= 0 && IsSwitch(SettingKinds[index]) && TextToIntDef(value, 0) != 0;
}

bool OnIn(const TDlgControlsAr& values, int id)
{
    const int index = SettingIndex(id);
    return index >= 0 && ValueOn(id, values[index]);
}

std::string OnOffText(bool on)
{
    return on ? "1" : "0";
}

std::string EscapeLineBreaks(const std::string& text)
{
    return ReplaceText(text, "\r\n", "\\n", ReplaceAll);
}
