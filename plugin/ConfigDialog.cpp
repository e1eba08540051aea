#include "plugin/ConfigDialog.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "clients/Worker.h"
#include "player/PluginRecord.h"
#include "plugin/ClientsWindow.h"
#include "plugin/RunningState.h"
#include "plugin/UpdateCycle.h"
#include "settings/Languages.h"
#include "settings/SettingsFile.h"
#include "util/Files.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

constexpr int LastSettingId = FirstSettingId + SettingCount - 1;
constexpr WPARAM DroppedListWidth = 300;  // pixels; the template's boxes are narrow

TSettingKind KindOf(int id)
{
    return SettingKinds[SettingIndex(id)];
}

bool IsSwitch(int id)
{
    return KindOf(id) == CheckBox || KindOf(id) == RadioButton;
}

std::string& DialogValue(int id)
{
    return DialogState.Values[SettingIndex(id)];
}

LRESULT SendToControl(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

// The dialog's own controls answer at once.
std::string ItemText(HWND dialog, int id)
{
    std::string text;
    GetControlText(GetDlgItem(dialog, id), text);
    return EscapeLineBreaks(text);
}

void EnableControl(HWND dialog, int id, bool on)
{
    HWND control = GetDlgItem(dialog, id);
    if (IsValidWindow(control)) EnableWindow(control, on);
}

std::string ComboItems(HWND dialog, int id)
{
    std::vector<std::string> items;
    const LRESULT count = SendToControl(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendToControl(dialog, id, CB_GETLBTEXTLEN, i, 0);
        std::vector<char> buffer(std::max<LRESULT>(length, 0) + 2, '\0');
        if (length >= 0)
            SendToControl(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data());
    }
    return ListText(items);
}

void CheckButton(HWND dialog, int id, bool on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void AcceptChanges(HWND dialog)
{
    ReadAllControls(dialog);
    CopyState(DialogState, CurrentState);
    SaveSettings();
    LoadSettings();
    EndDialog(dialog, IDOK);
}

// The language shown stays, so that a user who reads no Russian keeps a
// dialog he can read; a language that only the settings file knows keeps
// the texts it brought.
void ShowDefaults(HWND dialog)
{
    const std::string language = DialogValue(Setting::Lang);
    const TDlgControlsAr shown = DialogState.Captions;
    CopyState(DefaultState, DialogState);
    if (!language.empty()) {
        const TLanguageDefaults defaults = LanguageDefaults(language);
        DialogState.Values = defaults.Values;
        DialogState.Captions = IsBuiltInLanguage(language) ? defaults.Captions : shown;
        DialogValue(Setting::Lang) = language;
    }
    ShowAllControls(dialog);
}

void OpenHelpPage(HWND dialog)
{
    ShellExecuteA(dialog, nullptr, HelpPagePath().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The clients are those served when the dialog opened. The user pressed
// for it and waits for it whole.
void ResetZemCaptions()
{
    const HCURSOR shown = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    ResetClientCaptions(WantedNow());
    Sleep(ResetCaptionsPauseMs);
    SetCursor(shown);
}

// Every unsaved edit gives way to what the chosen language has stored.
void ShowLanguage(HWND dialog)
{
    CopyState(DefaultState, DialogState);
    const std::string name = ItemText(dialog, Setting::Lang);
    ReadLanguage(DialogState, SettingsFilePath(), name);
    ShowAllControls(dialog);
}

void OnClientChoice(HWND dialog, int id)
{
    CheckRadioButton(dialog, Setting::AllZEM, Setting::AllZEMNo, id);
    ReadControlValue(dialog, Setting::AllZEM);
    ReadControlValue(dialog, Setting::AllZEMNo);
    UpdateEnabled(dialog);
}

// Each radio button starts a group of its own, so the pair is kept
// exclusive here.
void OnConditionChoice(HWND dialog, int id)
{
    const bool any = id == Setting::IfPicture ? !IsChecked(dialog, Setting::IfPicture)
                                              : IsChecked(dialog, Setting::IfAny);
    CheckButton(dialog, Setting::IfPicture, !any);
    CheckButton(dialog, Setting::IfAny, any);
    UpdateEnabled(dialog);
}

void OnCommand(HWND dialog, WPARAM wParam)
{
    const int id = LOWORD(wParam);
    if (id == IDOK) AcceptChanges(dialog);
    if (id == IDCANCEL) EndDialog(dialog, IDCANCEL);
    if (id == IDC_DEFAULTS) ShowDefaults(dialog);
    if (id == IDC_HELPPAGE) OpenHelpPage(dialog);
    if (id == IDC_RESETCAPTIONS) ResetZemCaptions();
    if (id == IDC_CLIENTS)
        ShowClientsWindow(dialog, DialogState.Captions, DialogValue(Setting::Lang));
    if (id == Setting::Lang && HIWORD(wParam) == CBN_SELCHANGE) ShowLanguage(dialog);
    if (id == Setting::AllZEM || id == Setting::AllZEMNo) OnClientChoice(dialog, id);
    if (id == Setting::IfPicture || id == Setting::IfAny) OnConditionChoice(dialog, id);
    if (id == Setting::Enable) {
        ReadControlValue(dialog, Setting::Enable);
        UpdateEnabled(dialog);
    }
}

}  // namespace

void ShowAllControls(HWND dialog)
{
    for (int id = FirstSettingId; id <= LastSettingId; ++id) {
        if (KindOf(id) == ComboBox) SendToControl(dialog, id, CB_RESETCONTENT, 0, 0);
    }
    for (int id :
         {Setting::Lang, Setting::Picture, Setting::Status, Setting::LongStatus, Setting::Tray})
        SendToControl(dialog, id, CB_SETDROPPEDWIDTH, DroppedListWidth, 0);
    for (int id = FirstSettingId; id <= LastSettingId; ++id)
        ShowCaption(dialog, id, DialogState.Captions[SettingIndex(id)]);
    // The push buttons that are no settings take their texts from hidden ones.
    for (const auto& [button, id] : {std::pair{IDC_RESETCAPTIONS, +Setting::ResetCaptions},
                                     std::pair{IDC_CLIENTS, +Setting::Clients}})
        SetDlgItemTextA(dialog, button,
                        ConvertLineBreaks(DialogState.Captions[SettingIndex(id)]).c_str());
    for (int id = FirstSettingId; id <= LastSettingId; ++id) ShowValue(dialog, id, DialogValue(id));
    UpdateEnabled(dialog);
}

void ShowCaption(HWND dialog, int id, const std::string& caption)
{
    if (KindOf(id) != ComboBox) {
        SetDlgItemTextA(dialog, id, ConvertLineBreaks(caption).c_str());
        return;
    }
    const std::vector<std::string> items =
        id == Setting::Lang ? OfferedLanguages(caption) : ListItems(caption);
    for (const std::string& item : items)
        SendToControl(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ShowValue(HWND dialog, int id, const std::string& value)
{
    if (IsSwitch(id)) {
        CheckButton(dialog, id, ValueOn(id, value));
        return;
    }
    if (KindOf(id) != ComboBox) return;
    // A drop-down list without a matching item stays without a selection.
    const std::string text = ValueText(id, value);
    const LPARAM pointer = reinterpret_cast<LPARAM>(text.c_str());
    if (SendToControl(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1), pointer) == CB_ERR)
        SendToControl(dialog, id, WM_SETTEXT, 0, pointer);
}

void ReadControlValue(HWND dialog, int id)
{
    if (IsSwitch(id))
        DialogValue(id) = OnOffText(IsChecked(dialog, id));
    else if (KindOf(id) == ComboBox)
        DialogValue(id) = ItemText(dialog, id);
}

void ReadControlCaption(HWND dialog, int id)
{
    // The built-in languages offered beside the list are not written into it.
    if (id == Setting::Lang) return;
    std::string& caption = DialogState.Captions[SettingIndex(id)];
    if (KindOf(id) == ComboBox)
        caption = ComboItems(dialog, id);
    else
        caption = EscapeLineBreaks(GetCaptionText(GetDlgItem(dialog, id)));
}

void ReadAllControls(HWND dialog)
{
    for (int id = FirstSettingId; id <= LastSettingId; ++id) ReadControlValue(dialog, id);
    for (int id = FirstSettingId; id <= LastSettingId; ++id) ReadControlCaption(dialog, id);
}

// The rules read the stored values, so every handler stores a change first.
void UpdateEnabled(HWND dialog)
{
    const bool on = ValueOn(Setting::Enable, DialogValue(Setting::Enable));
    for (int id = Setting::Enable + 1; id <= LastSettingId; ++id) EnableControl(dialog, id, on);
    EnableControl(dialog, Setting::CustomZEM,
                  ValueOn(Setting::AllZEMNo, DialogValue(Setting::AllZEMNo)));
}

std::string HelpPagePath()
{
    return FolderOf(ModulePath(PluginRecord.hDllInstance)) + HelpPageName;
}

HWND GConfigDialogWindow = nullptr;

void BeginDialogState()
{
    CopyState(CurrentState, DialogState);
}

// The dialog runs inside the player: nothing may escape to its message loop.
INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) GConfigDialogWindow = dialog;
    if (message == WM_DESTROY && GConfigDialogWindow == dialog) GConfigDialogWindow = nullptr;
    try {
        if (message == WM_INITDIALOG) ShowAllControls(dialog);
        if (message == WM_COMMAND) OnCommand(dialog, wParam);
    } catch (...) {
    }
    return 0;
}
