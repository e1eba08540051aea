// The stand-in clients zem.exe and rnq.exe, each run as its own process
// from a copy in the test's folder, driven by channel commands and by the
// very window messages the plug-in sends from another process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "sim/common/ClientCommands.h"
#include "sim/common/EventLog.h"
#include "sim/common/TextFile.h"
#include "tests/PlayerSession.h"
#include "tests/TempFolder.h"

namespace {

constexpr char Marker[] = "#custom_status_descr#";

LPARAM Point(int x, int y)
{
    return MAKELPARAM(x, y);
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam)
{
    try {
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> found;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::string> Classes(const std::vector<HWND>& windows)
{
    std::vector<std::string> names;
    for (HWND window : windows) names.push_back(ClassOf(window));
    return names;
}

std::vector<HWND> DirectPanels(HWND window)
{
    std::vector<HWND> panels;
    for (HWND panel = FindWindowExA(window, nullptr, "TPanel", nullptr); panel;
         panel = FindWindowExA(window, panel, "TPanel", nullptr)) {
        panels.push_back(panel);
    }
    return panels;
}

std::string WholeFile(const std::string& path)
{
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    CloseHandle(file);
    return text;
}

// A client in its own folder; the session's process is the client here.
struct ClientTest : ::testing::Test, PlayerSession {
    std::string program;

    void Copy(const char* name)
    {
        program = folder.Path + name;
        ASSERT_TRUE(CopyFileA((ProgramFolder() + name).c_str(), program.c_str(), FALSE));
    }

    void Launch(const std::string& arguments, const char* mainClass)
    {
        ASSERT_TRUE(
            player.Start("\"" + program + "\" " + arguments + " --log \"" + logPath + "\""));
        window = player.WaitForWindow(mainClass, WaitMs);
        ASSERT_NE(window, nullptr);
        // A window is found as soon as it is made, before its children: the
        // client logs its status once all are made.
        for (DWORD start = GetTickCount(); !LoggedStatus(); Sleep(10))
            ASSERT_LT(GetTickCount() - start, WaitMs) << "the client never stood whole";
    }

    bool LoggedStatus() const
    {
        for (const std::string& line : Log())
            if (line.rfind("STATUS ", 0) == 0) return true;
        return false;
    }

    HWND StatusWindow(const char* className) const
    {
        return player.WaitForWindow(className, WaitMs);
    }

    LRESULT Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const
    {
        DWORD_PTR answer = 0;
        EXPECT_NE(
            SendMessageTimeoutA(target, message, wParam, lParam, SMTO_ABORTIFHUNG, WaitMs, &answer),
            0);
        return static_cast<LRESULT>(answer);
    }

    std::string Text(HWND target) const
    {
        char text[1024] = {};
        Send(target, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }

    void SetText(HWND target, const std::string& text) const
    {
        EXPECT_EQ(Send(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())), TRUE);
    }

    void Click(HWND target, int x, int y, WPARAM upState = MK_LBUTTON) const
    {
        Send(target, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
        Send(target, WM_LBUTTONUP, upState, Point(x, y));
    }

    void Enter(HWND target) const
    {
        Send(target, WM_KEYDOWN, VK_RETURN, 0);
        Send(target, WM_KEYUP, VK_RETURN, 0);
    }

    void CloseCommand(HWND target) const { Send(target, WM_SYSCOMMAND, SC_CLOSE, 0); }

    // Waits for the line after the lines there were before.
    void Expect(const std::string& command, const std::string& line)
    {
        const size_t from = Log().size();
        Command(command);
        EXPECT_GE(WaitForLine(line, from), 0) << command;
    }

    // What the log shows from line `from` on, once every command sent has run.
    std::vector<std::string> LinesSince(size_t from)
    {
        Sync();
        const std::vector<std::string> lines = Log();
        std::vector<std::string> since;
        for (size_t i = from; i < lines.size(); ++i) {
            if (lines[i].compare(0, 4, "CMD ") != 0 && lines[i].compare(0, 5, "MARK ") != 0) {
                since.push_back(lines[i]);
            }
        }
        return since;
    }

    void Quit()
    {
        Command("quit");
        ASSERT_TRUE(player.WaitForExit(WaitMs));
        EXPECT_EQ(player.ExitCode(), 0u);
        ASSERT_FALSE(Log().empty());
        EXPECT_EQ(Log().back(), "EXIT");
    }

    void Crash()
    {
        Command("crash");
        ASSERT_TRUE(player.WaitForExit(WaitMs));
        EXPECT_EQ(player.ExitCode(), CrashExitCode);
        ASSERT_FALSE(Log().empty());
        EXPECT_EQ(Log().back(), "CMD crash");
    }
};

struct ZemClient : ClientTest {
    HWND dialog = nullptr;
    std::string profile;

    void Start(const std::string& account, const std::string& options = "")
    {
        Copy("zem.exe");
        profile = folder.Path + "Users\\" + account + "\\";
        Launch("--account " + account + options, "TMainForm");
        dialog = StatusWindow("TCusForm");
        ASSERT_NE(dialog, nullptr);
    }

    // The controls in the dialog's order: combo box, long status, caption,
    // OK, Cancel.
    std::vector<HWND> Controls() const { return Descendants(dialog); }

    void PressOk()
    {
        const std::vector<HWND> controls = Controls();
        ASSERT_EQ(controls.size(), 5u);
        Click(controls[3], 1, 1);
    }
};

struct RnqClient : ClientTest {
    HWND form = nullptr;
    HWND caption = nullptr;
    HWND memo = nullptr;

    void Start(const std::string& account)
    {
        Copy("rnq.exe");
        Launch("--account " + account, "TRnQmain");
        form = StatusWindow("TxStatusForm");
        ASSERT_NE(form, nullptr);
        const std::vector<HWND> controls = Descendants(form);
        ASSERT_EQ(Classes(controls), (std::vector<std::string>{"TEdit", "TMemo"}));
        caption = controls[0];
        memo = controls[1];
    }

    void ClickCell(int cell) const { Click(form, 20 + 30 * (cell % 7), 50 + 25 * (cell / 7), 0); }
};

TEST_F(ZemClient, ShowsTheWindowsThePluginLooksFor)
{
    Start("123456");
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "[zem] - 123456");
    EXPECT_EQ(GetParent(window), nullptr);

    // Exactly two panels, the status bar last and wide enough for a click
    // 40 pixels from its right end.
    const std::vector<HWND> panels = DirectPanels(window);
    ASSERT_EQ(panels.size(), 2u);
    EXPECT_EQ(Classes(Descendants(window)), (std::vector<std::string>{"TPanel", "TPanel"}));
    RECT bar{};
    GetClientRect(panels[1], &bar);
    EXPECT_GT(bar.right, 80);

    // The dialog is a hidden top-level window of its own, not owned.
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(GetParent(dialog), nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
    const std::vector<HWND> controls = Controls();
    ASSERT_EQ(Classes(controls),
              (std::vector<std::string>{"TComboBox", "TEdit", "TEdit", "TPanel", "TPanel"}));
    EXPECT_EQ(Send(controls[0], CB_GETCOUNT, 0, 0), 30);
    EXPECT_EQ(Send(controls[0], CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(controls[3]), "OK");
    EXPECT_EQ(Text(controls[4]), "Cancel");

    // No profile yet: no picture, empty texts.
    EXPECT_EQ(Log(), (std::vector<std::string>{"PROFILE " + profile, "CONTROLS", "STATUS 0||"}));
}

TEST_F(ZemClient, OkTakesWhatTheDialogShowsAndNothingElseDoes)
{
    Start("123");
    const std::vector<HWND> controls = Controls();
    ASSERT_EQ(controls.size(), 5u);
    const HWND pictures = controls[0], longText = controls[1], caption = controls[2];

    // Selecting and writing only change what the dialog shows.
    size_t from = Log().size();
    EXPECT_EQ(Send(pictures, CB_SETCURSEL, 11, 0), 11);
    SetText(caption, "Артист - Песня");
    SetText(longText, "Альбом (2001)");
    EXPECT_EQ(Send(pictures, CB_GETCURSEL, 0, 0), 11);
    EXPECT_EQ(Text(caption), "Артист - Песня");
    EXPECT_EQ(Text(longText), "Альбом (2001)");
    Click(controls[4], 1, 1);  // Cancel
    EXPECT_TRUE(LinesSince(from).empty());
    Expect("status", "STATUS 0||");

    // OK on the hidden dialog takes it, and the dialog stays hidden.
    from = Log().size();
    PressOk();
    EXPECT_EQ(LinesSince(from),
              (std::vector<std::string>{"STATUS 11|Артист - Песня|Альбом (2001)"}));
    EXPECT_FALSE(IsWindowVisible(dialog));
    Expect("status", "STATUS 11|Артист - Песня|Альбом (2001)");

    // No picture chosen is taken as "no picture".
    Send(pictures, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    from = Log().size();
    PressOk();
    EXPECT_EQ(LinesSince(from),
              (std::vector<std::string>{"STATUS 0|Артист - Песня|Альбом (2001)"}));
    EXPECT_EQ(Send(pictures, CB_GETCURSEL, 0, 0), 0);

    // Opened on the screen it shows the status; OK closes it.
    from = Log().size();
    Send(pictures, CB_SETCURSEL, 4, 0);
    SetText(caption, "unconfirmed");
    Command("open-status");
    EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"OPEN"}));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(Send(pictures, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(caption), "Артист - Песня");
    Send(pictures, CB_SETCURSEL, 3, 0);
    from = Log().size();
    PressOk();
    EXPECT_EQ(LinesSince(from),
              (std::vector<std::string>{"STATUS 3|Артист - Песня|Альбом (2001)", "HIDE"}));
    EXPECT_FALSE(IsWindowVisible(dialog));

    // hide-status closes it without taking anything.
    from = Log().size();
    Command("open-status");
    Command("hide-status");
    EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"OPEN", "HIDE"}));
    EXPECT_FALSE(IsWindowVisible(dialog));
}

TEST_F(ZemClient, KeepsCaptionAndDescriptionPerPicture)
{
    Start("123");
    Expect("user-status 5|Кофе|Пью кофе", "STATUS 5|Кофе|Пью кофе");
    EXPECT_FALSE(IsWindowVisible(dialog));
    Expect("user-status 7|Обед|Ем", "STATUS 7|Обед|Ем");
    // Picking a picture brings its own texts back.
    Expect("user-status 5", "STATUS 5|Кофе|Пью кофе");
    Expect("user-status 7|Ужин", "STATUS 7|Ужин|Ем");

    // Selected from outside, a picture does not bring its texts.
    const std::vector<HWND> controls = Controls();
    Send(controls[0], CB_SETCURSEL, 5, 0);
    EXPECT_EQ(Text(controls[2]), "Ужин");
    const size_t from = Log().size();
    PressOk();
    EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"STATUS 5|Ужин|Ем"}));

    Expect("user-status 30|x|y", "BAD user-status 30|x|y");
    Expect("user-status x", "BAD user-status x");
}

TEST_F(ZemClient, WritesTheCustomStatusFileOnQuitAndTakesItBack)
{
    Start("123");
    Expect("user-status 5|Кофе|Пью кофе", "STATUS 5|Кофе|Пью кофе");
    Expect("user-status 11|Песня|Группа - Название", "STATUS 11|Песня|Группа - Название");
    Quit();

    const std::string file = WholeFile(profile + "_st_cust.txt");
    EXPECT_EQ(file.find('\0'), std::string::npos);
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
    const std::vector<std::string> lines = CrLfLines(file);
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[0], Marker);
    EXPECT_EQ(lines[5], std::string("Кофе") + Marker + "Пью кофе");
    EXPECT_EQ(lines[11], std::string("Песня") + Marker + "Группа - Название");
    EXPECT_EQ(lines[29], Marker);
    EXPECT_EQ(GetPrivateProfileIntA("Status", "Picture", 0, (profile + "zem.ini").c_str()), 11u);

    // The next start takes the file's texts and the picture as its status.
    Launch("--account 123", "TMainForm");
    dialog = StatusWindow("TCusForm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_GE(WaitForLine("STATUS 11|Песня|Группа - Название"), 0);
    std::vector<HWND> controls = Controls();
    ASSERT_EQ(controls.size(), 5u);
    EXPECT_EQ(Send(controls[0], CB_GETCURSEL, 0, 0), 11);
    EXPECT_EQ(Text(controls[1]), "Группа - Название");
    EXPECT_EQ(Text(controls[2]), "Песня");
    Expect("user-status 5", "STATUS 5|Кофе|Пью кофе");

    // A killed client writes nothing.
    Crash();
    EXPECT_EQ(WholeFile(profile + "_st_cust.txt"), file);
    EXPECT_EQ(GetPrivateProfileIntA("Status", "Picture", 0, (profile + "zem.ini").c_str()), 11u);
}

TEST_F(ZemClient, ReadsWholeLinesAndSavesForTheAccountShownAtExit)
{
    Copy("zem.exe");
    const std::string first = folder.Path + "Users\\111\\";
    CreateDirectoryA((folder.Path + "Users").c_str(), nullptr);
    CreateDirectoryA(first.c_str(), nullptr);
    const std::string file = std::string(Marker) + "\r\nЗлой" + Marker + "Очень\r\nВанна" + Marker +
                             "Моюсь\r\nУсталый" + Marker + "без конца";
    WriteText(first + "_st_cust.txt", file);
    WriteText(first + "zem.ini", "[Status]\r\nPicture=2\r\n");

    Start("111");
    EXPECT_GE(WaitForLine("STATUS 2|Ванна|Моюсь"), 0);
    // A last line without CR LF is no record.
    Expect("user-status 3", "STATUS 3||");

    Expect("title", "BAD title");
    Expect("title 222", "TITLE 222");
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "[zem] - 222");
    Quit();

    EXPECT_EQ(WholeFile(first + "_st_cust.txt"), file);
    const std::vector<std::string> lines =
        CrLfLines(WholeFile(folder.Path + "Users\\222\\_st_cust.txt"));
    ASSERT_EQ(lines.size(), 30u);
    EXPECT_EQ(lines[1], std::string("Злой") + Marker + "Очень");
    EXPECT_EQ(lines[2], std::string("Ванна") + Marker + "Моюсь");
    EXPECT_EQ(lines[3], Marker);
}

TEST_F(ZemClient, LazyDialogGetsItsControlsWhenThePanelOpensIt)
{
    Start("123", " --lazy-dialog");
    EXPECT_TRUE(Controls().empty());
    EXPECT_GE(WaitForLine("STATUS 0||"), 0);
    const std::vector<HWND> panels = DirectPanels(window);
    ASSERT_EQ(panels.size(), 2u);
    const HWND bar = panels[1];

    // Far from the right end, a click does not open it.
    size_t from = Log().size();
    Click(bar, 5, 5, 0);
    EXPECT_TRUE(LinesSince(from).empty());

    // The plug-in's double clicks on the second panel do no harm.
    Send(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(25, 5));
    Send(bar, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(25, 5));
    EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"COMPACT on", "COMPACT off"}));
    EXPECT_EQ(DirectPanels(window), panels);
    EXPECT_TRUE(Controls().empty());

    // Where the plug-in clicks: from the main window's left edge to the
    // panel's right end, less 15.
    RECT mainRect{}, barRect{};
    GetWindowRect(window, &mainRect);
    GetWindowRect(bar, &barRect);
    from = Log().size();
    Click(bar, barRect.right - mainRect.left - 15, 15, 0);
    EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"CONTROLS", "OPEN"}));
    EXPECT_TRUE(IsWindowVisible(dialog));
    ASSERT_EQ(Classes(Controls()),
              (std::vector<std::string>{"TComboBox", "TEdit", "TEdit", "TPanel", "TPanel"}));
    EXPECT_EQ(Send(Controls()[0], CB_GETCURSEL, 0, 0), 0);

    CloseCommand(dialog);
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(Controls().size(), 5u);
}

TEST_F(ZemClient, DestroyedDialogLeavesTheMainWindowAndComesBackWhenOpened)
{
    Start("123");
    Expect("user-status 4|Вечеринка|", "STATUS 4|Вечеринка|");
    Expect("destroy-status", "DESTROY");
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(IsWindow(window));
    Expect("status", "STATUS 4|Вечеринка|");

    Expect("open-status", "OPEN");
    dialog = StatusWindow("TCusForm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    const std::vector<HWND> controls = Controls();
    ASSERT_EQ(controls.size(), 5u);
    EXPECT_EQ(Send(controls[0], CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(Text(controls[2]), "Вечеринка");
}

// The traps wait for a message from another program; the client's own
// messages and other messages pass, answered as ever.
TEST_F(ZemClient, TrapsSpringOnTheNamedMessageFromOutside)
{
    Start("123");
    std::vector<HWND> controls = Controls();
    ASSERT_EQ(controls.size(), 5u);
    Expect("destroy-status-on 12", "CMD destroy-status-on 12");
    Expect("user-status 4|Вечеринка|", "STATUS 4|Вечеринка|");  // sets texts itself
    EXPECT_EQ(Text(controls[2]), "Вечеринка");
    EXPECT_EQ(LinesSince(0).back(), "STATUS 4|Вечеринка|");
    SetText(controls[2], "Кино");
    EXPECT_GE(WaitForLine("DESTROY"), 0);
    EXPECT_FALSE(IsWindow(dialog));
    Expect("status", "STATUS 4|Вечеринка|");

    Expect("open-status", "OPEN");
    dialog = StatusWindow("TCusForm");
    ASSERT_NE(dialog, nullptr);
    controls = Controls();
    ASSERT_EQ(controls.size(), 5u);
    Expect("die-on 65536", "BAD die-on 65536");
    Expect("hang-on 12", "BAD hang-on 12");
    Expect("die-on 0", "CMD die-on 0");
    Command("die-on 327");  // replaces the one before
    Sync();
    Send(dialog, WM_NULL, 0, 0);
    EXPECT_TRUE(IsWindow(dialog));
    DWORD_PTR answer = 0;
    EXPECT_EQ(
        SendMessageTimeoutA(controls[0], CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, WaitMs, &answer), 0);
    ASSERT_TRUE(player.WaitForExit(WaitMs));
    EXPECT_EQ(player.ExitCode(), CrashExitCode);
    EXPECT_EQ(Log().back(), "DIE 327");
}

TEST_F(ZemClient, HangingThreadAnswersNothingUntilItWakes)
{
    Start("123");
    const size_t from = Log().size();
    Command("hang 1500");
    const int hang = WaitForLine("HANG 1500", from);
    ASSERT_GE(hang, 0);
    DWORD_PTR answer = 0;
    EXPECT_EQ(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &answer), 0);
    const int awake = WaitForLine("AWAKE", from);
    ASSERT_GT(awake, hang);
    EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    const std::vector<TLogLine> lines = ReadEventLog(logPath);
    EXPECT_GE(lines[awake].Time - lines[hang].Time, 1400u);
    Expect("hang 60001", "BAD hang 60001");
}

TEST_F(RnqClient, TakesTheClickedCellAndTheTextsOnEnter)
{
    Start("555");
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "R&Q 555");
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_EQ(GetParent(form), nullptr);
    EXPECT_GE(WaitForLine("STATUS 0||"), 0);

    for (int cell : {0, 6, 7}) {
        size_t from = Log().size();
        ClickCell(cell);
        const std::string text = "Ячейка " + std::to_string(cell);
        SetText(caption, text);
        SetText(memo, "строка 1\r\nстрока 2");
        EXPECT_EQ(Text(memo), "строка 1\r\nстрока 2");
        EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"PICK " + std::to_string(cell)}));
        from = Log().size();
        Enter(form);
        CloseCommand(form);
        EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"STATUS " + std::to_string(cell) +
                                                              "|" + text + "|строка 1  строка 2"}));
        EXPECT_FALSE(IsWindowVisible(form));
    }

    // The cells' edges: x 5..35, y 37..62 for the first one.
    size_t from = Log().size();
    Click(form, 34, 61);
    Click(form, 35, 37);
    Click(form, 2, 10);
    Click(form, 20, 170);
    EXPECT_EQ(LinesSince(from), (std::vector<std::string>{"PICK 0", "PICK 1"}));
    // A click alone takes nothing.
    Expect("status", "STATUS 7|Ячейка 7|строка 1  строка 2");

    // On the screen, Enter takes the status and closes the window.
    Expect("open-status", "OPEN");
    EXPECT_TRUE(IsWindowVisible(form));
    EXPECT_EQ(Text(caption), "Ячейка 7");
    ClickCell(3);
    from = Log().size();
    Enter(form);
    EXPECT_EQ(LinesSince(from),
              (std::vector<std::string>{"STATUS 3|Ячейка 7|строка 1  строка 2", "HIDE"}));
    Expect("open-status", "OPEN");
    CloseCommand(form);
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_TRUE(IsWindow(form));
}

TEST_F(RnqClient, KeepsItsStatusAcrossRunsAndACrashWritesNothing)
{
    Start("555");
    Expect("user-status 12|Слушаю|Группа\r\nПесня \\n", "STATUS 12|Слушаю|Группа  Песня \\n");
    Quit();

    Launch("--account 555", "TRnQmain");
    form = StatusWindow("TxStatusForm");
    ASSERT_NE(form, nullptr);
    EXPECT_GE(WaitForLine("STATUS 12|Слушаю|Группа  Песня \\n"), 0);
    const std::vector<HWND> controls = Descendants(form);
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(Text(controls[0]), "Слушаю");
    EXPECT_EQ(Text(controls[1]), "Группа\r\nПесня \\n");
    // What the plug-in wrote but did not confirm is gone when the user opens it.
    SetText(controls[0], "не подтверждено");
    Expect("user-status 34", "STATUS 34|Слушаю|Группа  Песня \\n");
    Expect("user-status 35", "BAD user-status 35");

    const std::string saved = WholeFile(folder.Path + "555\\rnq.ini");
    EXPECT_FALSE(saved.empty());
    Crash();
    EXPECT_EQ(WholeFile(folder.Path + "555\\rnq.ini"), saved);
}

}  // namespace
