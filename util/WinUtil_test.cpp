#include "util/WinUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <list>
#include <set>
#include <string>
#include <thread>

#include "sim/common/Process.h"
#include "tests/TestWindows.h"
#include "util/Sends.h"

namespace {

std::set<HWND> Collected(const TWindowsAr& record)
{
    return std::set<HWND>(record.Handles.begin(), record.Handles.begin() + record.Count);
}

bool Contains(const TWindowsAr& record, HWND window)
{
    return Collected(record).count(window) == 1;
}

// The text GetControlText read, empty when it read none.
std::string ControlText(HWND window)
{
    std::string text = "not read";
    const bool read = GetControlText(window, text);
    EXPECT_TRUE(read || text.empty()) << text;
    return text;
}

// A window that answers the text messages the way a careless or hostile
// program might: the first FilledAnswers requests for its text fill the
// whole buffer without a terminating zero, later ones write nothing.
struct OddAnswers {
    LRESULT ReportedLength = 0;
    int FilledAnswers = 0;
    WPARAM LastBufferSize = 0;
};
OddAnswers Odd;

LRESULT CALLBACK OddWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_GETTEXTLENGTH:
            return Odd.ReportedLength;
        case WM_GETTEXT:
            Odd.LastBufferSize = wParam;
            if (Odd.FilledAnswers <= 0) return 0;
            --Odd.FilledAnswers;
            std::fill_n(reinterpret_cast<char*>(lParam), wParam, 'x');
            return static_cast<LRESULT>(wParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

TEST(WinUtil, InvalidHandlesGiveEmptyTextsAndUnchangedRecords)
{
    EXPECT_FALSE(IsValidWindow(nullptr));
    EXPECT_EQ(GetClassText(nullptr), "");
    EXPECT_EQ(ControlText(nullptr), "");
    EXPECT_EQ(GetCaptionText(nullptr), "");

    TWindowEx none{nullptr, "text", "title", "class"};
    FillWindowEx(none);
    EXPECT_EQ(none.Handle, nullptr);
    EXPECT_EQ(none.Text, "text");
    EXPECT_EQ(none.WindowText, "title");
    EXPECT_EQ(none.ClassName, "class");

    WindowClass edit("TWinUtilEdit");
    ASSERT_TRUE(edit.Registered);
    HWND dead = nullptr;
    {
        Window window(edit, "gone");
        ASSERT_NE(window.Handle, nullptr);
        EXPECT_TRUE(IsValidWindow(window.Handle));
        dead = window.Handle;
    }
    EXPECT_FALSE(IsValidWindow(dead));
    EXPECT_EQ(GetClassText(dead), "");
    EXPECT_EQ(ControlText(dead), "");
    EXPECT_EQ(GetCaptionText(dead), "");

    TWindowTexts texts{"title", "class", "text"};
    EXPECT_FALSE(ReadWindowTexts(dead, texts));
    EXPECT_EQ(texts.WindowText, "");
    EXPECT_EQ(texts.ClassName, "");
    EXPECT_EQ(texts.Text, "");

    TWindowEx vanished{dead, "text", "title", "class"};
    FillWindowEx(vanished);
    EXPECT_EQ(vanished.Handle, dead);
    EXPECT_EQ(vanished.Text, "");
    EXPECT_EQ(vanished.WindowText, "");
    EXPECT_EQ(vanished.ClassName, "");
}

TEST(WinUtil, ReadsTextsWholeBeyondTheDefaultBuffer)
{
    WindowClass edit("TWinUtilEdit");
    ASSERT_TRUE(edit.Registered);

    Window shortText(edit, "Музыка 1");
    ASSERT_NE(shortText.Handle, nullptr);
    TWindowTexts texts;
    ASSERT_TRUE(ReadWindowTexts(shortText.Handle, texts));
    EXPECT_EQ(texts.ClassName, "TWinUtilEdit");
    EXPECT_EQ(texts.WindowText, "Музыка 1");
    EXPECT_EQ(texts.Text, "Музыка 1");

    TWindowEx record{shortText.Handle, "", "", ""};
    FillWindowEx(record);
    EXPECT_EQ(record.ClassName, "TWinUtilEdit");
    EXPECT_EQ(record.WindowText, "Музыка 1");
    EXPECT_EQ(record.Text, "Музыка 1");

    std::string longText(5000, 'a');
    longText.replace(4990, 10, "конец_____");
    Window longWindow(edit, longText);
    ASSERT_NE(longWindow.Handle, nullptr);
    ASSERT_EQ(SendMessageA(longWindow.Handle, WM_GETTEXTLENGTH, 0, 0), 5000);
    ASSERT_TRUE(ReadWindowTexts(longWindow.Handle, texts));
    EXPECT_EQ(texts.Text, longText);
    EXPECT_EQ(texts.WindowText, longText);
    EXPECT_EQ(ControlText(longWindow.Handle), longText);
    EXPECT_EQ(GetCaptionText(longWindow.Handle), longText);
    EXPECT_EQ(GetClassText(longWindow.Handle), "TWinUtilEdit");
}

TEST(WinUtil, BoundsWhatOtherWindowsReport)
{
    constexpr size_t MiB = 1024 * 1024;  // the helpers' largest buffer
    WindowClass oddClass("TWinUtilOdd", OddWindowProc);
    ASSERT_TRUE(oddClass.Registered);
    Window odd(oddClass, "");
    ASSERT_NE(odd.Handle, nullptr);

    // A length near the integer limit must neither wrap around nor be
    // allocated; the text is cut at the cap and not read past the buffer.
    Odd = OddAnswers{std::numeric_limits<LRESULT>::max(), 100, 0};
    std::string text = ControlText(odd.Handle);
    EXPECT_EQ(Odd.LastBufferSize, MiB);
    EXPECT_EQ(text.size(), MiB);
    EXPECT_EQ(text.find_first_not_of('x'), std::string::npos);
    TWindowTexts texts;
    ASSERT_TRUE(ReadWindowTexts(odd.Handle, texts));
    EXPECT_EQ(Odd.LastBufferSize, MiB);
    EXPECT_EQ(texts.Text.size(), MiB);
    EXPECT_EQ(texts.ClassName, "TWinUtilOdd");

    // A negative length counts as none.
    Odd = OddAnswers{-5, 100, 0};
    EXPECT_EQ(ControlText(odd.Handle), "xx");
    ASSERT_TRUE(ReadWindowTexts(odd.Handle, texts));
    EXPECT_EQ(Odd.LastBufferSize, 1024u);
    EXPECT_EQ(texts.Text, std::string(1024, 'x'));

    // A window that answers without writing has no text, not what an
    // earlier read left in the shared buffer.
    Odd = OddAnswers{3, 1, 0};
    ASSERT_TRUE(ReadWindowTexts(odd.Handle, texts));
    EXPECT_EQ(texts.ClassName, "TWinUtilOdd");
    EXPECT_NE(texts.WindowText, "");
    EXPECT_EQ(texts.Text, "");
    EXPECT_EQ(ControlText(odd.Handle), "");
}

TEST(WinUtil, CompareTextsIgnoresCaseAsTheLocaleDoes)
{
    EXPECT_EQ(CompareTexts("Music", "MUSIC"), 0);
    EXPECT_NE(CompareTexts("Music", "Music "), 0);
    EXPECT_EQ(CompareTexts("Музыка", "МУЗЫКА"), 0);
    EXPECT_EQ(CompareTexts("музыка ё", "МУЗЫКА Ё"), 0);
    EXPECT_NE(CompareTexts("Музыка", "Музыки"), 0);
    EXPECT_EQ(CompareTexts("", ""), 0);
    EXPECT_EQ(CompareTexts("a", "B"), -1);
    EXPECT_EQ(CompareTexts("b", "A"), 1);
    EXPECT_EQ(CompareTexts("", "a"), -1);
}

TEST(WinUtil, CollectsByClassNameAsSubstringOfNameAndBlank)
{
    WindowClass parentClass("TWinUtilEdit");
    WindowClass mainForm("TMainForm"), rnqMain("TRnQmain"), tail("MainForm"), head("TMain"),
        other("TEdit");
    for (const WindowClass* c : {&parentClass, &mainForm, &rnqMain, &tail, &head, &other})
        ASSERT_TRUE(c->Registered) << c->Name;

    Window parent(parentClass, "parent");
    Window zem(mainForm, "", parent.Handle), rnq(rnqMain, "", parent.Handle),
        tailWindow(tail, "", parent.Handle), headWindow(head, "", parent.Handle),
        otherWindow(other, "", parent.Handle);

    TWindowsAr record;
    record.Classes = "TMainForm TRnQmain ";
    EXPECT_EQ(CollectWindows(parent.Handle, record), 3);
    EXPECT_EQ(Collected(record), (std::set<HWND>{zem.Handle, rnq.Handle, tailWindow.Handle}));

    TWindowsAr noTrailingBlank;
    noTrailingBlank.Classes = "TMainForm TRnQmain";
    CollectWindows(parent.Handle, noTrailingBlank);
    EXPECT_TRUE(Contains(noTrailingBlank, rnq.Handle));

    // The same over the top-level windows; other programs' windows of these
    // classes may be there too, so only ours are checked.
    Window topZem(mainForm, ""), topTail(tail, ""), topOther(other, "");
    TWindowsAr topLevel;
    topLevel.Classes = "TMainForm TRnQmain ";
    CollectWindows(nullptr, topLevel);
    EXPECT_TRUE(Contains(topLevel, topZem.Handle));
    EXPECT_TRUE(Contains(topLevel, topTail.Handle));
    EXPECT_FALSE(Contains(topLevel, topOther.Handle));
    EXPECT_FALSE(Contains(topLevel, zem.Handle));  // a child, not top-level
}

TEST(WinUtil, CollectsByEitherTextIgnoringCase)
{
    WindowClass edit("TWinUtilEdit");
    ASSERT_TRUE(edit.Registered);
    Window parent(edit, "parent");
    Window music(edit, "Music", parent.Handle), muzyka(edit, "Музыка", parent.Handle),
        spaced(edit, "Music ", parent.Handle), other(edit, "Other", parent.Handle);

    TWindowsAr byTitle;
    byTitle.WindowText = "МУЗЫКА";
    EXPECT_EQ(CollectWindows(parent.Handle, byTitle), 1);
    EXPECT_EQ(byTitle.Handles[0], muzyka.Handle);

    TWindowsAr byText;
    byText.Text = "music";
    EXPECT_EQ(CollectWindows(parent.Handle, byText), 1);
    EXPECT_EQ(byText.Handles[0], music.Handle);

    // The filters are alternatives.
    TWindowsAr either;
    either.WindowText = "музыка";
    either.Text = "OTHER";
    either.Classes = "TWinUtilNone ";
    EXPECT_EQ(CollectWindows(parent.Handle, either), 2);
    EXPECT_EQ(Collected(either), (std::set<HWND>{muzyka.Handle, other.Handle}));

    std::string title = "Окно WinUtil " + std::to_string(GetCurrentProcessId());
    Window top(edit, title);
    TWindowsAr topLevel;
    topLevel.WindowText = "ОКНО winutil " + std::to_string(GetCurrentProcessId());
    CollectWindows(nullptr, topLevel);
    EXPECT_TRUE(Contains(topLevel, top.Handle));
    EXPECT_FALSE(Contains(topLevel, parent.Handle));
}

TEST(WinUtil, CollectsDescendantsUpToTwentyOne)
{
    WindowClass edit("TWinUtilEdit"), leaf("TWinUtilLeaf");
    ASSERT_TRUE(edit.Registered);
    ASSERT_TRUE(leaf.Registered);

    Window parent(edit, "parent");
    Window child(edit, "child", parent.Handle);
    Window grandchild(leaf, "grandchild", child.Handle);
    TWindowsAr leaves;
    leaves.Classes = "TWinUtilLeaf ";
    EXPECT_EQ(CollectWindows(parent.Handle, leaves), 1);
    EXPECT_EQ(leaves.Handles[0], grandchild.Handle);

    TWindowsAr all;
    EXPECT_EQ(CollectWindows(parent.Handle, all), 2);
    EXPECT_EQ(Collected(all), (std::set<HWND>{child.Handle, grandchild.Handle}));

    // A second collection appends to what the record holds.
    Window crowd(edit, "crowd");
    std::list<Window> children;
    std::set<HWND> ours;
    for (int i = 0; i < 25; ++i) {
        children.emplace_back(edit, std::to_string(i), crowd.Handle);
        ASSERT_NE(children.back().Handle, nullptr);
        ours.insert(children.back().Handle);
    }
    EXPECT_EQ(CollectWindows(crowd.Handle, all), 21);
    EXPECT_EQ(std::set<HWND>(all.Handles.begin(), all.Handles.begin() + 2),
              (std::set<HWND>{child.Handle, grandchild.Handle}));
    for (int i = 2; i < 21; ++i) EXPECT_EQ(ours.count(all.Handles[i]), 1u) << i;
    EXPECT_EQ(Collected(all).size(), 21u);

    TWindowsAr full;
    EXPECT_EQ(CollectWindows(crowd.Handle, full), 21);
    auto before = full.Handles;
    EXPECT_EQ(CollectWindows(crowd.Handle, full), 21);
    EXPECT_EQ(full.Count, 21);
    EXPECT_EQ(full.Handles, before);
    EXPECT_EQ(Collected(full).size(), 21u);
}

// An edit window whose own thread sleeps for the milliseconds posted to it
// as HangMessage, as a client's hung user-interface thread does.
struct HangingWindow {
    static constexpr UINT HangMessage = WM_APP + 7;
    HWND Handle = nullptr;
    DWORD ThreadId = 0;
    HANDLE Ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE Hanging = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE Awake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread Thread;

    explicit HangingWindow(const WindowClass& windowClass)
    {
        Thread = std::thread([this, &windowClass] {
            Window window(windowClass, "hanging text");
            Handle = window.Handle;
            ThreadId = GetCurrentThreadId();
            SetEvent(Ready);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                if (message.message == HangMessage) {
                    SetEvent(Hanging);
                    Sleep(static_cast<DWORD>(message.wParam));
                    SetEvent(Awake);
                }
                DispatchMessageA(&message);
            }
        });
        WaitForSingleObject(Ready, 10000);
    }
    ~HangingWindow()
    {
        PostThreadMessageA(ThreadId, WM_QUIT, 0, 0);
        Thread.join();
        CloseHandle(Ready);
        CloseHandle(Hanging);
        CloseHandle(Awake);
    }
    // Returns once the thread has begun to sleep.
    void Hang(DWORD ms) const
    {
        PostMessageA(Handle, HangMessage, ms, 0);
        WaitForSingleObject(Hanging, 10000);
    }
    // A send of this process given up while the thread slept may still be
    // answered into a buffer that is gone: nothing is sent before it wakes.
    bool WaitUntilAwake() const { return WaitForSingleObject(Awake, 10000) == WAIT_OBJECT_0; }
};

DWORD ElapsedSince(DWORD start)
{
    return GetTickCount() - start;
}

TEST(WinUtil, AThreadThatDoesNotAnswerIsWaitedForABoundedTime)
{
    WindowClass edit("TWinUtilEdit");
    ASSERT_TRUE(edit.Registered);
    HangingWindow hanging(edit);
    ASSERT_NE(hanging.Handle, nullptr);
    std::string text;
    ASSERT_TRUE(GetControlText(hanging.Handle, text));
    EXPECT_EQ(text, "hanging text");

    hanging.Hang(2500);
    // The length is asked first: it must keep the limit too.
    DWORD start = GetTickCount();
    EXPECT_FALSE(GetControlText(hanging.Handle, text));
    EXPECT_EQ(text, "");
    EXPECT_LT(ElapsedSince(start), 3 * SendTimeoutMs);
    start = GetTickCount();
    EXPECT_FALSE(SetControlText(hanging.Handle, "never"));
    EXPECT_GE(ElapsedSince(start) + 20, SendTimeoutMs);
    EXPECT_LT(ElapsedSince(start), 2 * SendTimeoutMs);

    // A large text gets time in proportion to its size, but none past the
    // end that someone waiting for the sends has set.
    ASSERT_TRUE(hanging.WaitUntilAwake());
    hanging.Hang(2500);
    const std::string large(128 * 1024, 'x');
    start = GetTickCount();
    LimitSendsUntil(start + 400);
    EXPECT_FALSE(SetControlText(hanging.Handle, large));
    LimitSendsUntil(0);
    EXPECT_LT(ElapsedSince(start), 400 + 2 * SendTimeoutMs);
    // Without an end set, a text of a megabyte still waits no more than a
    // close of the player can afford, which is a few seconds for all.
    const std::string huge(1024 * 1024, 'x');
    start = GetTickCount();
    EXPECT_FALSE(SetControlText(hanging.Handle, huge));
    EXPECT_LT(ElapsedSince(start), 1500u);

    // Awake again, it answers.
    ASSERT_TRUE(hanging.WaitUntilAwake());
    ASSERT_TRUE(GetControlText(hanging.Handle, text));
    // A control that is no window reads as empty, without a send.
    EXPECT_TRUE(ReadControlOrNone(nullptr, text));
    EXPECT_EQ(text, "");
}

// The peer program of the tests, in the folder of the test program.
std::string PeerPath()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "WindowPeer.exe";
}

TEST(WinUtil, ReadsWindowsOfAnotherProcess)
{
    std::string mainClass = "TPeerMain" + std::to_string(GetCurrentProcessId());
    TChildProcess peer;
    ASSERT_TRUE(peer.Start("\"" + PeerPath() + "\" " + mainClass)) << PeerPath();
    HWND shown = peer.WaitForWindow(mainClass.c_str(), 10000);
    ASSERT_FALSE(peer.WaitForExit(0)) << "the peer ended early";
    ASSERT_NE(shown, nullptr);

    TWindowsAr found;
    found.Classes = mainClass + " ";
    CollectWindows(nullptr, found);
    ASSERT_EQ(found.Count, 1);
    HWND main = found.Handles[0];
    EXPECT_EQ(main, shown);

    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    EXPECT_EQ(processId, peer.Id());
    EXPECT_EQ(GetClassText(main), mainClass);
    EXPECT_EQ(GetCaptionText(main), "[zem] - 777");

    TWindowsAr byTitle;
    byTitle.WindowText = "[ZEM] - 777";
    CollectWindows(nullptr, byTitle);
    EXPECT_TRUE(Contains(byTitle, main));

    TWindowsAr edits;
    edits.Classes = "TPeerEdit ";
    ASSERT_EQ(CollectWindows(main, edits), 1);
    HWND edit = edits.Handles[0];
    EXPECT_EQ(ControlText(edit), "peer contents Музыка");
    EXPECT_EQ(GetCaptionText(edit), "peer title");
    TWindowEx record{edit, "", "", ""};
    FillWindowEx(record);
    EXPECT_EQ(record.Text, "peer contents Музыка");
    EXPECT_EQ(record.WindowText, "peer title");
    EXPECT_EQ(record.ClassName, "TPeerEdit");

    TWindowsAr byContents;
    byContents.Text = "PEER CONTENTS МУЗЫКА";
    EXPECT_EQ(CollectWindows(main, byContents), 1);
    TWindowsAr byEditTitle;
    byEditTitle.WindowText = "PEER TITLE";
    EXPECT_EQ(CollectWindows(main, byEditTitle), 1);
    TWindowsAr contentsAsTitle;
    contentsAsTitle.WindowText = "peer contents Музыка";
    EXPECT_EQ(CollectWindows(main, contentsAsTitle), 0);

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(peer.WaitForExit(10000));
    EXPECT_FALSE(IsValidWindow(main));
    EXPECT_EQ(ControlText(edit), "");
}

}  // namespace
