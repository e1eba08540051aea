#include "clients/ZemDriver.h"

#include <algorithm>
#include <array>
#include <vector>

#include "clients/ClientIdentity.h"
#include "clients/ClientsState.h"
#include "clients/SlotJournal.h"
#include "track/Templates.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

constexpr int MusicPicture = 11;
constexpr int MaxMainPanels = 20;

HWND Control(const TClient& instance, int number)
{
    return instance.Controls[number].Handle;
}

// False when the box is there and did not answer. The answer of
// CB_SETCURSEL is the index selected now: -1 when the index was none of the
// box's items; without a box none is selected.
bool SelectPicture(const TClient& instance, int32_t picture, int32_t& selected)
{
    HWND box = Control(instance, PictureControl);
    selected = -1;
    if (!IsValidWindow(box)) return true;
    if (!IsSameClient(instance)) return false;
    const TAnswer answer = SendToWindow(box, CB_SETCURSEL, static_cast<WPARAM>(picture), 0);
    if (answer.Answered) selected = static_cast<int32_t>(answer.Value);
    return answer.Answered;
}

// False when the edit box is there and did not answer. Each field, as the
// picture and OK, goes in only while the client shows the account it is
// for: one that logged in meanwhile gets nothing of this one's.
bool PutText(const TClient& instance, int control, const std::string& text)
{
    HWND edit = Control(instance, control);
    return !IsValidWindow(edit) || (IsSameClient(instance) && SetControlText(edit, text));
}

// OK is pressed only while the dialog is hidden: on the user's screen it is
// the user's to confirm.
bool ConfirmUnlessShown(const TClient& instance)
{
    return IsWindowVisible(instance.StatusWnd.Handle) ||
           (IsSameClient(instance) && ZemPressOk(instance));
}

struct TPanels {
    int Count = 0;
    HWND Last = nullptr;
    RECT Rect{};
};

// The main window's direct "TPanel" children; a listing that finds none
// keeps what the previous one found.
void ListPanels(HWND main, TPanels& panels)
{
    panels.Count = 0;
    HWND panel = FindWindowExA(main, nullptr, "TPanel", nullptr);
    while (IsValidWindow(panel) && panels.Count < MaxMainPanels) {
        ++panels.Count;
        panels.Last = panel;
        panel = FindWindowExA(main, panel, "TPanel", nullptr);
    }
    if (panels.Last) GetWindowRect(panels.Last, &panels.Rect);
}

}  // namespace

bool ZemPressOk(const TClient& instance)
{
    HWND ok = Control(instance, OkButtonControl);
    return !IsValidWindow(ok) ||
           (SendToWindow(ok, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1)).Answered &&
            SendToWindow(ok, WM_LBUTTONUP, MK_LBUTTON, MAKELPARAM(1, 1)).Answered);
}

bool ZemScanStatusWindow(TClient& instance, bool& answered)
{
    answered = true;
    if (!IsValidWindow(instance.StatusWnd.Handle)) return false;
    std::vector<TWindowEx> windows;
    answered = CollectDescendants(instance.StatusWnd.Handle, windows);
    if (!answered) return false;
    for (const TWindowEx& window : windows) {
        if (window.ClassName == "TPanel") {
            if (window.Text == "OK")
                instance.Controls[OkButtonControl] = window;
            else
                // Another process's window: showing it must not wait for
                // that process.
                ShowWindowAsync(window.Handle, SW_SHOW);
        }
        if (window.ClassName == "TComboBox") instance.Controls[PictureControl] = window;
        if (window.ClassName == "TEdit") {
            const int number =
                Control(instance, LongTextControl) ? CaptionControl : LongTextControl;
            instance.Controls[number] = window;
        }
    }
    return IsValidWindow(Control(instance, OkButtonControl));
}

bool ZemForceOpen(TClient& instance)
{
    HWND main = instance.MainWnd.Handle;
    RECT mainRect{};
    GetWindowRect(main, &mainRect);
    TPanels panels;
    ListPanels(main, panels);
    if (panels.Count == 2) {
        for (int i = 0; i < 2; ++i)
            SendToWindow(panels.Last, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(25, 5));
        ListPanels(main, panels);
    }
    if (!IsValidWindow(panels.Last)) return false;
    TWindowEx& panel = instance.Controls[OpenPanelControl];
    panel.Handle = panels.Last;
    FillWindowEx(panel);
    const LPARAM nearRightEnd = MAKELPARAM(panels.Rect.right - mainRect.left - 15, 15);
    // Once clicked, the dialog is closed again at once: left open, it would
    // stand on the user's screen as the user's own.
    SendToWindow(panel.Handle, WM_LBUTTONDOWN, MK_LBUTTON, nearRightEnd);
    SendToWindow(panel.Handle, WM_LBUTTONUP, 0, nearRightEnd);
    SendToWindow(instance.StatusWnd.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool ZemOpenStatusWindow(TClient& instance)
{
    bool answered = true;
    if (ZemScanStatusWindow(instance, answered)) return true;
    // A dialog that did not answer is not one without controls.
    if (!answered) return false;
    return ZemForceOpen(instance) && ZemScanStatusWindow(instance, answered);
}

std::string ZemExpandSaved(const TClient& instance, const std::string& text)
{
    const TStatus& saved = LastSaved(instance);
    const std::string longText =
        ReplaceText(text, "%Status2", saved.LongText, ReplaceAll | IgnoreCase, MaxExpandedText);
    return ReplaceText(longText, "%Status", saved.Caption, ReplaceAll | IgnoreCase,
                       MaxExpandedText);
}

std::string CutCaption(const std::string& caption, unsigned codePage)
{
    if (caption.size() <= MaxZemCaption) return caption;
    const std::string ellipsis = EllipsisIn(codePage);
    return LeftBytes(caption, MaxZemCaption - ellipsis.size(), codePage) + ellipsis;
}

bool ZemPutStatus(TClient& instance, const TStatus& status, bool verbatim, int32_t shownPicture)
{
    int32_t selected = -1;
    if (verbatim)
        return SelectPicture(instance, status.PictureIndex, selected) &&
               PutText(instance, CaptionControl, status.Caption) &&
               PutText(instance, LongTextControl, status.LongText) && ConfirmUnlessShown(instance);
    const bool setStatus = WantedOn(Setting::SetStatus);
    const bool setLongText = WantedOn(Setting::SetLongStatus);
    // Other clients of the same account see a change only through an empty
    // status in between.
    if (WantedOn(Setting::Compatible) && IsValidWindow(Control(instance, PictureControl)) &&
        IsValidWindow(Control(instance, OkButtonControl)) &&
        !(SelectPicture(instance, 0, selected) &&
          (!setStatus || PutText(instance, CaptionControl, "")) &&
          (!setLongText || PutText(instance, LongTextControl, "")) && ConfirmUnlessShown(instance)))
        return false;
    if (!SelectPicture(instance, WantedOn(Setting::SetPicture) ? status.PictureIndex : shownPicture,
                       selected))
        return false;
    if (selected > 0 && !((!setStatus || PutText(instance, CaptionControl, status.Caption)) &&
                          (!setLongText || PutText(instance, LongTextControl, status.LongText))))
        return false;
    return ConfirmUnlessShown(instance);
}

namespace {

// Where an apply goes after one of its steps: on to the next one, or back
// with false or with true.
enum class TStep { Next, Failed, Finished };

// What the client shows after writing it the status written. A write not
// answered to its end, or not read back, is cut, and the client may have
// taken it: so does one whose dialog went away before it was read, and the
// dialog it shows again holds the write, not a change by the user.
void RememberShown(TClient& instance, const TStatus& written, bool put)
{
    TStatus shown;
    // Under another account the dialog shows that account's status, not
    // what the write left.
    const bool read = ReadShownStatus(instance, shown) && MayBeSameClient(instance) &&
                      IsValidWindow(instance.StatusWnd.Handle);
    if (read) instance.Current = shown;
    instance.ShownUnknown = !read;
    if (!read) instance.Unconfirmed = written;
    instance.Cut = !(put && read);
}

// Each status put back is journaled ahead, from what the one before left.
bool PutBack(TClient& instance, TStatus& shown, const TStatus& status)
{
    JournalAhead(instance, shown, status);
    shown = status;
    return ZemPutStatus(instance, status, true, 0);
}

// A restore writes the status as it is. A client that did not answer has
// not been given the status back: it stays in the journal for the
// instance's next registration.
bool GiveBack(TClient& instance, const TStatus& status)
{
    if (!IsSameClient(instance)) return false;
    TStatus before = ShownBefore(instance);
    const bool put = PutBack(instance, before, status);
    RememberShown(instance, status, put);
    return !instance.Cut;
}

// The status handed, with the saved texts in its templates and the caption
// cut as the client shows it.
TStatus Expanded(const TClient& instance, const TStatus& handed)
{
    TStatus next = handed;
    next.Caption = CutCaption(ZemExpandSaved(instance, handed.Caption));
    next.LongText = ZemExpandSaved(instance, handed.LongText);
    return next;
}

// A client that went away or did not answer while it was read gave no
// status: taken for a change by the user, it would replace the status to
// give back.
bool ReadShown(TClient& instance, TStatus& shown)
{
    instance.Use = TClientUse::NotAnswering;
    if (!ReadShownStatus(instance, shown) || !IsValidWindow(instance.StatusWnd.Handle))
        return false;
    if (instance.ShownUnknown) {
        instance.Current = shown;
        instance.ShownUnknown = false;
    }
    return true;
}

// What the user chose becomes the status to give back. What the plug-in
// wrote goes back through the client, newest first, and the user's choice
// last: the client's file keeps each status under its own picture. False
// when one was not answered.
bool PutBackUnder(TClient& instance, const TStatus& shown)
{
    const std::array<TStatus, 2> overwritten = instance.Saved;
    const int newest = std::clamp(instance.SavedIndex, 0, 1);
    instance.SavedIndex = 0;
    instance.Saved[0] = shown;
    // Where the client showed the user's own status, nothing of the
    // plug-in's is left in it to put back.
    if (!GClients.Wanted.PlayerActive && SameStatus(instance.Current, overwritten[newest]))
        return true;
    TStatus left = shown;
    bool put = true;
    for (int k = newest; k >= 0 && put; --k) put = PutBack(instance, left, overwritten[k]);
    return put && PutBack(instance, left, shown);
}

// The user changed the status in the client since the last write, unless
// another account shows it now; picture is the one the plug-in would write.
TStep TakeUsersChange(TClient& instance, const TStatus& shown, int32_t picture)
{
    if (SameStatus(shown, instance.Current)) return TStep::Next;
    if (!IsSameClient(instance)) return TStep::Failed;
    if (WantedOn(Setting::SetPicture) && shown.PictureIndex != instance.Current.PictureIndex &&
        shown.PictureIndex != picture)
        SwitchSetPictureOff();
    if (!PutBackUnder(instance, shown)) {
        instance.Cut = true;
        return TStep::Failed;
    }
    // Stopped, the user's choice is the own status: nothing is written
    // over it.
    if (GClients.Wanted.PlayerActive) return TStep::Next;
    instance.Current = shown;
    return TStep::Finished;
}

// A cut write is finished whatever the client shows.
bool MeetsCondition(const TClient& instance, const TStatus& shown)
{
    if ((WantedOn(Setting::IfAny) && shown.PictureIndex > 0) || instance.Cut) return true;
    if (WantedOn(Setting::IfPicture) && shown.PictureIndex == MusicPicture) return true;
    if (!WantedOn(Setting::IfStatus)) return false;
    const std::string reference = CutCaption(ZemExpandSaved(instance, IfStatusReference()));
    return CompareTexts(shown.Caption, reference) == 0;
}

// The condition that a client showing this picture did not meet.
TClientUse LeftAloneUse(int32_t picture)
{
    if (WantedOn(Setting::IfAny) || (WantedOn(Setting::IfPicture) && picture <= 0))
        return TClientUse::NoPicture;
    return WantedOn(Setting::IfPicture) ? TClientUse::NotMusicPicture
                                        : TClientUse::NotPluginCaption;
}

bool NeedsWrite(const TClient& instance, const TStatus& shown, const TStatus& next)
{
    return instance.Cut ||
           (WantedOn(Setting::SetPicture) && shown.PictureIndex != next.PictureIndex) ||
           (WantedOn(Setting::SetStatus) && CompareTexts(shown.Caption, next.Caption) != 0) ||
           (WantedOn(Setting::SetLongStatus) && CompareTexts(shown.LongText, next.LongText) != 0);
}

// Journaled ahead with what it is to leave, then read back.
void WriteNext(TClient& instance, const TStatus& shown, const TStatus& next)
{
    JournalAhead(instance, shown, ExpectedAfterWrite(shown, next));
    const bool put = ZemPutStatus(instance, next, false, shown.PictureIndex);
    RememberShown(instance, next, put);
}

}  // namespace

bool ZemApplyStatus(TClient& instance, const TStatus& status)
{
    const bool valid = IsValidWindow(instance.StatusWnd.Handle);
    // The user's own dialog open on screen is left alone: a restore is not
    // done then, and is tried again.
    if (IsWindowVisible(instance.StatusWnd.Handle) &&
        (WantedOn(Setting::Enable) || GClients.RestoreDepth > 0)) {
        instance.Use = TClientUse::StatusWindowOpen;
        return valid && GClients.RestoreDepth == 0;
    }
    if (!valid) return valid;
    // A copy: the status handed in may be one of the slot's own, which the
    // user's change replaces.
    const TStatus handed = status;
    if (GClients.RestoreDepth > 0) return GiveBack(instance, handed);
    TStatus shown;
    if (!ReadShown(instance, shown)) return false;
    const TStep step = TakeUsersChange(instance, shown, handed.PictureIndex);
    if (step != TStep::Next) return step == TStep::Finished;
    // Expanded once the user's change is taken: the saved texts may be new.
    const TStatus next = Expanded(instance, handed);
    if (!MeetsCondition(instance, shown)) {
        instance.Use = LeftAloneUse(shown.PictureIndex);
        return true;
    }
    instance.Use = TClientUse::ShowsTrack;
    if (NeedsWrite(instance, shown, next) && IsSameClient(instance))
        WriteNext(instance, shown, next);
    return true;
}

bool RecordSetPicture(TClient& slot)
{
    const int32_t picture = TextToIntDef(WantedText(Setting::Picture), slot.Current.PictureIndex);
    if (picture == slot.Current.PictureIndex) return true;
    // The choice leaves the texts as they are.
    TStatus chosen = slot.Saved[0];
    chosen.PictureIndex = picture;
    slot.SavedIndex = 1;
    slot.Saved[1] = chosen;
    JournalAhead(slot, slot.Saved[0], chosen);
    SendToWindow(slot.Controls[PictureControl].Handle, CB_SETCURSEL, static_cast<WPARAM>(picture),
                 0);
    if (!ReadShownStatus(slot, slot.Saved[1])) return false;
    slot.Current = slot.Saved[1];
    JournalAhead(slot, slot.Saved[0], slot.Current);
    return ZemPressOk(slot);
}
