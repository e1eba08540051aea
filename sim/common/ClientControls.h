// The window classes the stand-in clients build their forms from, named as
// a Delphi program names them. "TEdit", "TMemo" and "TComboBox" are
// superclasses of the system's EDIT and COMBOBOX, so other programs'
// WM_GETTEXT, WM_SETTEXT, CB_GETCURSEL and CB_SETCURSEL work on them as on
// the system's controls. "TPanel" is a window of its own: it paints its
// caption with a raised edge and tells its parent about clicks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

constexpr char EditClass[] = "TEdit";          // give ES_AUTOHSCROLL
constexpr char MemoClass[] = "TMemo";          // give ES_MULTILINE
constexpr char ComboBoxClass[] = "TComboBox";  // give CBS_DROPDOWNLIST
constexpr char PanelClass[] = "TPanel";

// Sent to a panel's parent, wParam the panel, lParam the point of the
// button-up or of the double click in the panel's client coordinates
// (x low word, y high word). A click is a button-down followed by a
// button-up inside the panel.
constexpr UINT PanelClickMessage = WM_APP + 20;
constexpr UINT PanelDoubleClickMessage = WM_APP + 21;

constexpr size_t MaxControlTextBytes = 64 * 1024;

bool RegisterClientControls(HINSTANCE instance);

// A visible child with the GUI font; edits and memos get a sunken edge.
HWND CreateControl(const char* className, DWORD style, const char* text, HWND parent, int x, int y,
                   int width, int height);

// At most MaxControlTextBytes of the window's text.
std::string ControlText(HWND control);

// The signed coordinates packed in a mouse message's lParam.
POINT MessagePoint(LPARAM lParam);
