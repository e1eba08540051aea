#include <gtest/gtest.h>

#include <utility>

#include "clients/Instances.h"
#include "clients/RnqDriver.h"
#include "clients/SlotStatus.h"
#include "clients/ZemDriver.h"
#include "clients/ZemProfile.h"
#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "settings/Languages.h"
#include "settings/Settings.h"
#include "tests/TestWindows.h"
#include "util/Files.h"
#include "util/Text.h"
#include "util/WinUtil.h"

namespace {

TEST(RnqPictureCell, RowByRowFromTheTopLeft)
{
    const std::pair<int, POINT> cells[] = {
        {0, {20, 50}}, {6, {200, 50}}, {7, {20, 75}}, {15, {50, 100}}, {-1, {20, 50}}};
    for (const auto& cell : cells) {
        const POINT point = RnqPictureCell(cell.first);
        EXPECT_EQ(point.x, cell.second.x) << cell.first;
        EXPECT_EQ(point.y, cell.second.y) << cell.first;
    }
}

TEST(ZemCaption, LongerThanTwentyEndsInTheEllipsis)
{
    EXPECT_EQ(CutCaption(std::string(20, 'a')), std::string(20, 'a'));
    EXPECT_EQ(CutCaption(std::string(25, 'b')), std::string(19, 'b') + "\x85");
    EXPECT_EQ(CutCaption("Группа - Очень длинная песня"), "Группа - Очень длин\x85");
    EXPECT_EQ(CutCaption(""), "");
    EXPECT_EQ(EllipsisIn(1251), "\x85");
}

std::wstring Wide(const std::string& text, unsigned codePage)
{
    std::wstring wide(text.size(), L'\0');
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(),
                            static_cast<int>(text.size()), &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length : 0);
    return wide;
}

// In the code pages of two-byte characters 0x85 is a lead byte: the caption
// is cut where a character ends, and ends with the code page's "…"; three
// dots where the code page has none. So do the built-in texts.
TEST(ZemCaption, CutAtACharacterOfTheCodePageWithItsOwnEllipsis)
{
    for (const unsigned codePage : {932u, 936u, 949u, 950u}) {
        const std::string ellipsis = EllipsisIn(codePage);
        EXPECT_EQ(Wide(ellipsis, codePage), L"\u2026") << codePage;
        // One character the code page writes in two bytes.
        char middle[4] = {};
        ASSERT_EQ(
            WideCharToMultiByte(codePage, 0, L"\u4E2D", 1, middle, sizeof middle, nullptr, nullptr),
            2)
            << codePage;
        const std::string wide = middle;
        for (const std::string& front : {std::string("a"), std::string("ab")}) {
            std::string caption = front;
            for (int i = 0; i < 12; ++i) caption += wide;
            ASSERT_EQ(Wide(caption, codePage).size(), front.size() + 12) << codePage;
            const std::string cut = CutCaption(caption, codePage);
            EXPECT_LE(cut.size(), MaxZemCaption) << codePage;
            EXPECT_GE(cut.size(), MaxZemCaption - 1) << codePage;
            EXPECT_EQ(cut.substr(cut.size() - ellipsis.size()), ellipsis) << codePage;
            const std::string kept = cut.substr(0, cut.size() - ellipsis.size());
            EXPECT_EQ(caption.compare(0, kept.size(), kept), 0) << codePage;
            EXPECT_EQ(Wide(kept, codePage).size(), front.size() + (kept.size() - front.size()) / 2)
                << codePage;
            EXPECT_EQ((kept.size() - front.size()) % 2, 0u) << codePage;
        }
        EXPECT_EQ(LanguageDefaults("English", codePage).Captions[SettingIndex(Setting::Clients)],
                  "Clients" + ellipsis);
    }
    EXPECT_EQ(EllipsisIn(437), "...");
    EXPECT_EQ(CutCaption(std::string(25, 'b'), 437), std::string(17, 'b') + "...");
    EXPECT_EQ(LanguageDefaults("English", 1251).Captions[SettingIndex(Setting::Clients)],
              "Clients\x85");
}

TEST(ZemExpandSaved, StatusTwoBeforeStatusInAnyCase)
{
    TClient slot;
    slot.Saved[0].Caption = "Busy";
    slot.Saved[0].LongText = "at home";
    EXPECT_EQ(ZemExpandSaved(slot, "%Status2 / %Status"), "at home / Busy");
    EXPECT_EQ(ZemExpandSaved(slot, "%status. winamp: %STATUS2"), "Busy. winamp: at home");
    slot.SavedIndex = 1;
    slot.Saved[1].Caption = "Newer";
    EXPECT_EQ(ZemExpandSaved(slot, "%Status2|%Status"), "|Newer");
    slot.SavedIndex = 7;  // never past the two saved statuses
    EXPECT_EQ(ZemExpandSaved(slot, "%Status"), "Newer");
}

TEST(ClientKinds, CarryTheirNamesClassesAndDriversOperations)
{
    // Whatever a kind record held before, module start sets it afresh.
    ZemClient.ProcessId = 7;
    ZemClient.ProfileDir = "C:\\old\\";
    ZemClient.Controls[3].Handle = reinterpret_cast<HWND>(3);
    RnqClient.Saved[1].Caption = "old";
    RnqClient.SavedIndex = 1;
    ModuleInit();
    ASSERT_EQ(ClientKinds.size(), 2u);
    struct Expected {
        const char* Name;
        const char* MainClass;
        const char* StatusClass;
        TOpenStatusWindow Open;
        TApplyStatus Apply;
    };
    const Expected kinds[] = {
        {"ZEM", "TMainForm", "TCusForm", ZemOpenStatusWindow, ZemApplyStatus},
        {"RnQ", "TRnQmain", "TxStatusForm", RnqOpenStatusWindow, RnqApplyStatus},
    };
    const TClient* records[] = {&ZemClient, &RnqClient};
    for (size_t i = 0; i < 2; ++i) {
        for (const TClient* kind : {records[i], static_cast<const TClient*>(&ClientKinds[i])}) {
            SCOPED_TRACE(kinds[i].Name);
            EXPECT_EQ(kind->ClientName, kinds[i].Name);
            EXPECT_EQ(kind->MainWnd.ClassName, kinds[i].MainClass);
            EXPECT_EQ(kind->StatusWnd.ClassName, kinds[i].StatusClass);
            EXPECT_EQ(kind->OpenStatusWindow, kinds[i].Open);
            EXPECT_EQ(kind->ApplyStatus, kinds[i].Apply);
            // Nothing else: a kind is no instance.
            EXPECT_EQ(kind->ProcessId, 0u);
            EXPECT_EQ(kind->ProfileDir, "");
            EXPECT_EQ(kind->MainWnd.Handle, nullptr);
            EXPECT_EQ(kind->MainWnd.Text + kind->MainWnd.WindowText, "");
            EXPECT_EQ(kind->StatusWnd.Handle, nullptr);
            for (const TWindowEx& control : kind->Controls) {
                EXPECT_EQ(control.Handle, nullptr);
                EXPECT_EQ(control.ClassName, "");
            }
            EXPECT_EQ(kind->SavedIndex, 0);
            for (const TStatus& status : {kind->Saved[0], kind->Saved[1], kind->Current}) {
                EXPECT_EQ(status.PictureIndex, 0);
                EXPECT_EQ(status.Caption + status.LongText, "");
            }
        }
    }
}

// ZEM windows of the test's own process: a status dialog with its "OK"
// panel is all a registration needs.
struct ZemWindowsTest : ::testing::Test {
    WindowClass mainClass{"TMainForm"}, dialogClass{"TCusForm"}, panelClass{"TPanel"};
    const uint32_t self = GetCurrentProcessId();

    void SetUp() override
    {
        ModuleInit();
        CopyState(DefaultState, CurrentState);
        GClients = TClientsState{};
        GClients.Wanted.Values = DefaultState.Values;
        for (const WindowClass* c : {&mainClass, &dialogClass, &panelClass})
            ASSERT_TRUE(c->Registered) << c->Name;
    }
    void TearDown() override
    {
        for (TClient& slot : GClients.Slots) ClearSlot(slot);
    }
};

TEST_F(ZemWindowsTest, OnlyTheLeadingTitlePrefixIsRemovedFromTheAccount)
{
    Window main(mainClass, "");
    Window dialog(dialogClass, ""), ok(panelClass, "OK", dialog.Handle);
    const std::pair<const char*, const char*> accounts[] = {
        {"[zem] - [zem] - 1", "[zem] - 1"}, {"[ZEM] - 222", "222"}, {"x[zem] - 3", "x[zem] - 3"}};
    for (const auto& account : accounts) {
        SCOPED_TRACE(account.first);
        SetWindowTextA(main.Handle, account.first);
        RegisterWindow(self, main.Handle);
        ASSERT_EQ(GClients.Slots[0].ProcessId, self);
        EXPECT_EQ(GClients.Slots[0].ProfileDir,
                  FolderOf(GetProcessExePath(self)) + "Users\\" + account.second + "\\");
        ClearSlot(GClients.Slots[0]);
    }
}

TEST_F(ZemWindowsTest, AStatusDialogIsServedByOneSlotOnly)
{
    Window first(mainClass, "[zem] - 111"), second(mainClass, "[zem] - 111");
    Window shared(dialogClass, ""), ok(panelClass, "OK", shared.Handle);
    RegisterWindow(self, first.Handle);
    RegisterWindow(self, second.Handle);
    EXPECT_EQ(GClients.Slots[0].StatusWnd.Handle, shared.Handle);
    EXPECT_EQ(GClients.Slots[1].ProcessId, 0u);

    // A dialog of its own is the second main window's.
    Window own(dialogClass, ""), ownOk(panelClass, "OK", own.Handle);
    RegisterWindow(self, second.Handle);
    EXPECT_EQ(GClients.Slots[1].StatusWnd.Handle, own.Handle);
    EXPECT_EQ(GClients.Slots[0].StatusWnd.Handle, shared.Handle);
}

// A process shows another account's main window beside its own made anew:
// the slot goes to its own, and no account is switched.
TEST_F(ZemWindowsTest, AMainWindowMadeAnewTakesItsSlotBeforeAnotherAccount)
{
    Window dialog(dialogClass, ""), ok(panelClass, "OK", dialog.Handle);
    {
        Window gone(mainClass, "[zem] - 111");
        RegisterWindow(self, gone.Handle);
    }
    ASSERT_EQ(GClients.Slots[0].ProcessId, self);
    GClients.Slots[0].Saved[0].Caption = "own 111";
    Window other(mainClass, "[zem] - 222"), anew(mainClass, "[zem] - 111");
    RegisterWindow(self, other.Handle);
    RegisterWindow(self, anew.Handle);
    EXPECT_EQ(GClients.Slots[0].MainWnd.Handle, anew.Handle);
    EXPECT_EQ(GClients.Slots[0].Saved[0].Caption, "own 111");
    EXPECT_FALSE(GClients.Slots[0].AccountClosed);
}

// A status dialog made anew since the last pass is found by the restore
// itself: no pass follows a close.
TEST_F(ZemWindowsTest, ARestoreFindsTheStatusDialogMadeAnew)
{
    WindowClass editClass{"TEdit"};
    Window main(mainClass, "[zem] - 111");
    {
        Window gone(dialogClass, ""), goneOk(panelClass, "OK", gone.Handle);
        RegisterWindow(self, main.Handle);
    }
    ASSERT_EQ(GClients.Slots[0].ProcessId, self);
    GClients.Slots[0].Saved[0].LongText = "own long";
    Window anew(dialogClass, ""), ok(panelClass, "OK", anew.Handle);
    Window edit(editClass, "track", anew.Handle);
    EXPECT_TRUE(RestoreAllSlots());
    EXPECT_EQ(GClients.Slots[0].ProcessId, 0u);
    std::string shown;
    EXPECT_TRUE(GetControlText(edit.Handle, shown));
    EXPECT_EQ(shown, "own long");
}

// A picture box that keeps the index selected, as the client's does.
LRESULT CALLBACK PictureBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CB_SETCURSEL) SetWindowLongPtrA(window, GWLP_USERDATA, wParam);
    if (message == CB_SETCURSEL || message == CB_GETCURSEL)
        return GetWindowLongPtrA(window, GWLP_USERDATA);
    return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC GOkProc = nullptr;

// An "OK" that takes the status and destroys its dialog, before the plug-in
// can read the status back.
LRESULT CALLBACK OkThatDestroysProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONUP) {
        DestroyWindow(GetParent(window));
        return 0;
    }
    return CallWindowProcA(GOkProc, window, message, wParam, lParam);
}

// The client destroyed its dialog right as it confirmed the track. Shown
// again with the track, the dialog holds no status of the user's: stopped,
// the client gets its own back.
TEST_F(ZemWindowsTest, ATrackConfirmedAsTheDialogWentIsNoChangeByTheUser)
{
    WindowClass editClass{"TEdit"}, boxClass{"TComboBox", PictureBoxProc};
    Window main(mainClass, "[zem] - 111");
    GClients.Wanted.PlayerActive = true;
    GClients.Wanted.Status = {5, "track", "track long", ""};
    {
        Window gone(dialogClass, ""), goneOk(panelClass, "OK", gone.Handle);
        Window box(boxClass, "", gone.Handle), edit(editClass, "own long", gone.Handle);
        SendMessageA(box.Handle, CB_SETCURSEL, 5, 0);
        GOkProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            goneOk.Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OkThatDestroysProc)));
        ServeClients();
        ASSERT_EQ(GClients.Slots[0].ProcessId, self);
        ASSERT_FALSE(IsWindow(gone.Handle));
    }
    Window anew(dialogClass, ""), ok(panelClass, "OK", anew.Handle);
    Window box(boxClass, "", anew.Handle), edit(editClass, "track long", anew.Handle);
    SendMessageA(box.Handle, CB_SETCURSEL, 5, 0);
    GClients.Wanted.PlayerActive = false;
    ServeClients();
    std::string shown;
    EXPECT_TRUE(GetControlText(edit.Handle, shown));
    EXPECT_EQ(shown, "own long");
}

// With the picture, the caption and the long status all off a client is
// served with nothing to write: listed so, not as one that does not answer.
TEST_F(ZemWindowsTest, AClientServedWithNothingToChangeIsListedSo)
{
    Window main(mainClass, "[zem] - 111");
    Window dialog(dialogClass, ""), ok(panelClass, "OK", dialog.Handle);
    for (int id : {Setting::SetPicture, Setting::SetStatus, Setting::SetLongStatus})
        GClients.Wanted.Values[SettingIndex(id)] = OnOffText(false);
    ServeClients();
    ASSERT_EQ(GClients.Found.size(), 1u);
    EXPECT_EQ(GClients.Found[0].Account, "111");
    EXPECT_EQ(GClients.Found[0].Use, TClientUse::NothingToChange);
}

}  // namespace
