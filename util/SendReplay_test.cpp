#include "util/SendReplay.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/TestWindows.h"
#include "util/WinUtil.h"

namespace {

// The window's text as it is, not as a replay would answer.
std::string Shown(HWND window)
{
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// One pass of a work on the window: writes "first", reads, writes
// "second"; with tooLate, the time of the pass runs out before the second
// write. The text read is returned.
std::string RunWork(HWND window, const std::string& first, bool tooLate, bool& cut)
{
    constexpr DWORD budgetMs = 40;
    TSendPass pass(budgetMs);
    TResumable work(window, TWork::Update);
    std::string read;
    EXPECT_TRUE(SetControlText(window, first));
    EXPECT_TRUE(GetControlText(window, read));
    if (tooLate) Sleep(budgetMs + 40);
    EXPECT_EQ(SetControlText(window, "second"), !tooLate);
    cut = work.Cut();
    EXPECT_EQ(SendsPutOff(), tooLate);
    return read;
}

TEST(SendReplay, WorkCutShortGoesOnFromItsRecordInTheNextPassOnly)
{
    WindowClass edit("TReplayEdit");
    ASSERT_TRUE(edit.Registered);
    Window shown(edit, "");
    HWND window = shown.Handle;
    bool cut = false;

    EXPECT_EQ(RunWork(window, "first", true, cut), "first");
    EXPECT_TRUE(cut);
    EXPECT_EQ(Shown(window), "first");
    // The next pass answers the write and the read from the record, without
    // sending them: what the window shows meanwhile is not read again.
    SetWindowTextA(window, "meanwhile");
    EXPECT_EQ(RunWork(window, "first", false, cut), "first");
    EXPECT_FALSE(cut);
    EXPECT_EQ(Shown(window), "second");

    // Done, the work starts afresh.
    SetWindowTextA(window, "meanwhile");
    EXPECT_EQ(RunWork(window, "first", true, cut), "first");
    EXPECT_EQ(Shown(window), "first");
    // A work that took another way sends from where it differs: the new
    // text is written and the read is made again.
    SetWindowTextA(window, "meanwhile");
    EXPECT_EQ(RunWork(window, "new", false, cut), "new");
    EXPECT_EQ(Shown(window), "second");

    // A record that the next pass does not take up is dropped.
    EXPECT_EQ(RunWork(window, "first", true, cut), "first");
    { TSendPass between; }
    SetWindowTextA(window, "meanwhile");
    {
        TSendPass pass;
        TResumable work(window, TWork::Update);
        EXPECT_TRUE(SetControlText(window, "first"));
        EXPECT_EQ(Shown(window), "first");
    }
}

}  // namespace
