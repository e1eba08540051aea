#include "clients/RnqDriver.h"

#include <string>

#include "clients/ClientIdentity.h"
#include "clients/ClientsState.h"
#include "clients/SlotJournal.h"
#include "util/WinUtil.h"

namespace {

constexpr int GridColumns = 7;
constexpr int CellWidth = 30;
constexpr int CellHeight = 25;
constexpr POINT FirstCell = {20, 50};

// Each of these is false once a message was not answered, and sends no more:
// a client that wakes later would take the rest as a confirmed half status.
bool Sent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendToWindow(window, message, wParam, lParam).Answered;
}

// Each step, as each field, goes in only while the client shows the
// account it is for: one that logged in meanwhile gets nothing of this one's.
bool ClickCell(const TClient& instance, int32_t picture)
{
    const POINT cell = RnqPictureCell(picture);
    const LPARAM position = MAKELPARAM(cell.x, cell.y);
    HWND window = instance.StatusWnd.Handle;
    return IsSameClient(instance) && Sent(window, WM_LBUTTONDOWN, MK_LBUTTON, position) &&
           Sent(window, WM_LBUTTONUP, 0, position);
}

// On the user's screen the window is the user's to confirm.
bool Confirm(const TClient& instance)
{
    HWND window = instance.StatusWnd.Handle;
    return IsWindowVisible(window) ||
           (IsSameClient(instance) && Sent(window, WM_KEYDOWN, VK_RETURN, 0) &&
            Sent(window, WM_KEYUP, VK_RETURN, 0) && Sent(window, WM_SYSCOMMAND, SC_CLOSE, 0));
}

// False when the box is there, its text is to be written and it did not
// answer.
bool PutText(const TClient& instance, HWND box, bool wanted, const std::string& text)
{
    return !IsValidWindow(box) || !wanted || (IsSameClient(instance) && SetControlText(box, text));
}

// A cut write is finished whatever the client shows, and a restore gives
// the own status back to a client that still shows what the plug-in left
// in it, whether or not it meets the condition now.
bool MeetsCondition(const TClient& instance, const std::string& shownCaption)
{
    if (WantedOn(Setting::IfAny) || instance.Cut ||
        (GClients.RestoreDepth > 0 && !SameStatus(instance.Current, LastSaved(instance)) &&
         CompareTexts(shownCaption, instance.Current.Caption) == 0))
        return true;
    return WantedOn(Setting::IfStatus) && CompareTexts(shownCaption, IfStatusReference()) == 0;
}

// A cut write is made again whatever the client shows. The long text is
// read only when the caption leaves the change open; false when it did not
// answer.
bool ReadChange(const TClient& instance, const std::string& shownCaption, const TStatus& handed,
                bool& change)
{
    change = instance.Cut ||
             (WantedOn(Setting::SetStatus) && CompareTexts(shownCaption, handed.Caption) != 0);
    if (change || !WantedOn(Setting::SetLongStatus)) return true;
    std::string shownLongText;
    if (!ReadControlOrNone(instance.Controls[LongTextControl].Handle, shownLongText)) return false;
    change = CompareTexts(shownLongText, handed.LongText) != 0;
    return true;
}

// An RnQ has no picture box to read back: the status expected keeps the
// picture it was read with.
TStatus Expected(const TClient& instance, const TStatus& handed)
{
    TStatus written = handed;
    written.PictureIndex = instance.Current.PictureIndex;
    return ExpectedAfterWrite(instance.Current, written);
}

// Other clients of the same account see a change only through an empty
// status in between (Compatible).
bool WriteStatus(const TClient& instance, const TStatus& handed)
{
    return (!WantedOn(Setting::Compatible) || (ClickCell(instance, 0) && Confirm(instance))) &&
           (!(WantedOn(Setting::SetPicture) || WantedOn(Setting::Compatible)) ||
            ClickCell(instance, handed.PictureIndex)) &&
           PutText(instance, instance.Controls[CaptionControl].Handle, WantedOn(Setting::SetStatus),
                   handed.Caption) &&
           PutText(instance, instance.Controls[LongTextControl].Handle,
                   WantedOn(Setting::SetLongStatus), handed.LongText) &&
           Confirm(instance);
}

// What the client shows now is what a later registration compares with;
// a write not answered to its end, or not read back, is cut.
bool ReadBack(TClient& instance, bool written, const TStatus& expected)
{
    TStatus shown;
    const bool read = written && ReadShownStatus(instance, shown);
    if (read) instance.Current = shown;
    if (!read) instance.Unconfirmed = expected;
    instance.ShownUnknown = !read;
    instance.Cut = !read;
    return read;
}

}  // namespace

// The edit box and the memo are looked up anew at every apply: the client
// may have made them again. Class names are all it takes, and reading them
// sends nothing. A status window that is gone has no descendants.
bool RnqOpenStatusWindow(TClient& instance)
{
    if (!instance.StatusWnd.Handle) return false;
    TWindowsAr found;
    CollectWindows(instance.StatusWnd.Handle, found);
    // A memo that is gone is no memo, not one that cannot be read.
    instance.Controls[CaptionControl] = TWindowEx{};
    instance.Controls[LongTextControl] = TWindowEx{};
    for (int i = 0; i < found.Count; ++i) {
        TWindowEx window;
        window.Handle = found.Handles[i];
        // A window that died meanwhile has no class name and matches nothing.
        window.ClassName = GetClassText(window.Handle);
        if (window.ClassName == "TEdit") instance.Controls[CaptionControl] = window;
        if (window.ClassName == "TMemo") instance.Controls[LongTextControl] = window;
    }
    // Found just now, so a window.
    return instance.Controls[CaptionControl].Handle != nullptr;
}

POINT RnqPictureCell(int32_t pictureIndex)
{
    const int32_t index = pictureIndex < 0 ? 0 : pictureIndex;
    return POINT{FirstCell.x + CellWidth * (index % GridColumns),
                 FirstCell.y + CellHeight * (index / GridColumns)};
}

bool RnqApplyStatus(TClient& instance, const TStatus& status)
{
    instance.Use = TClientUse::StatusWindowClosed;
    if (!RnqOpenStatusWindow(instance)) return false;
    const TStatus handed = status;
    // What a client that does not answer shows is unknown: nothing is
    // compared and nothing written.
    std::string shownCaption;
    instance.Use = TClientUse::NotAnswering;
    if (!GetControlText(instance.Controls[CaptionControl].Handle, shownCaption)) return false;
    // "Music only" is a ZEM's condition: an RnQ meets it never.
    if (!MeetsCondition(instance, shownCaption)) {
        instance.Use = WantedOn(Setting::IfStatus) ? TClientUse::NotPluginCaption
                                                   : TClientUse::NotMusicPicture;
        return true;
    }
    instance.Use = TClientUse::ShowsTrack;
    bool change = false;
    if (!ReadChange(instance, shownCaption, handed, change)) return false;
    if (!change) return true;
    // Under another account nothing of this one's goes in, and a restore
    // is not done: the entry stays for the account's return.
    if (!IsSameClient(instance)) return GClients.RestoreDepth == 0;
    const TStatus expected = Expected(instance, handed);
    JournalAhead(instance, ShownBefore(instance), expected);
    return ReadBack(instance, WriteStatus(instance, handed), expected);
}
