// Clients that stop answering or go away in the middle of a hand-over: the
// player goes on, the other clients are served, nothing of a client's own
// status is lost.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "clients/Worker.h"
#include "player/wa_ipc.h"
#include "plugin/UpdateCycle.h"
#include "sim/common/ClientCommands.h"
#include "sim/common/EventLog.h"
#include "sim/common/TextFile.h"
#include "tests/ClientSession.h"
#include "util/Files.h"
#include "util/WinUtil.h"

namespace {

const std::string OwnA = "5|Working|at desk";
const std::string OwnB = "7|Busy|home";
const std::string FirstTrackA = "11|Working - Группа|at desk: Один";
const std::string FirstTrackB = "11|Busy - Группа|home: Один";
const std::string SecondTrackA = "11|Working - Очень дли\x85|at desk: Two";
const std::string SecondTrackB = "11|Busy - Очень длинно\x85|home: Two";
const std::string SecondTrackRnq = "11|%Status - Очень длинное имя группы|%Status2: Two";

// When the client first logged a line reading text; 0 when it never did.
uint64_t FirstTime(const StandInClient& client, const std::string& text)
{
    for (const TLogLine& line : ReadEventLog(client.LogPath))
        if (line.Text == text) return line.Time;
    return 0;
}

// The statuses the client took after the first lines of its log.
std::vector<std::string> TakenSince(const StandInClient& client, size_t from)
{
    const std::vector<std::string> lines = client.Log();
    std::vector<std::string> taken;
    for (size_t i = from; i < lines.size(); ++i)
        if (lines[i].rfind("STATUS ", 0) == 0) taken.push_back(lines[i].substr(7));
    return taken;
}

// What the player's stall lines name, "<message> <wparam>", in log order.
std::vector<std::string> Stalls(const std::vector<std::string>& lines)
{
    std::vector<std::string> stalls;
    for (const std::string& line : lines)
        if (line.rfind("TOOK ", 0) == 0) stalls.push_back(line.substr(line.find(' ', 5) + 1));
    return stalls;
}

// The client's records once the plug-in has put the track's record right,
// or as they are after 5 s.
std::vector<std::string> RepairedRecords(const std::string& file)
{
    std::vector<std::string> records;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50)) {
        records = CrLfLines(ReadWholeFile(file));
        if (records.size() == 30 && records[11].rfind("Working#", 0) == 0) break;
    }
    return records;
}

struct HangTest : ClientsTest {
    // A ZEM that answers every message after ms.
    StandInClient& AddSlowZem(const std::string& account, const std::string& status, int ms)
    {
        StandInClient& client = AddClient(true, account, status);
        client.Command("slow " + std::to_string(ms));
        client.Sync();
        return client;
    }
    void WaitUntilAsleep(const StandInClient& client, int ms)
    {
        const std::string line = "HANG " + std::to_string(ms);
        for (DWORD start = GetTickCount(); FirstTime(client, line) == 0; Sleep(20))
            ASSERT_LT(GetTickCount() - start, 5000u);
    }
    void WaitUntilAwake(const StandInClient& client)
    {
        for (DWORD start = GetTickCount(); FirstTime(client, "AWAKE") == 0; Sleep(20))
            ASSERT_LT(GetTickCount() - start, 5000u);
    }

    // Until the client wakes, the player answers what is sent to it and
    // runs what it posts itself within the wait for one client.
    void ExpectThePlayerAnswersWhileItSleeps(const StandInClient& client)
    {
        DWORD slowestAnswer = 0, slowestOwnMessage = 0;
        while (FirstTime(client, "AWAKE") == 0) {
            DWORD start = GetTickCount();
            DWORD_PTR state = 0;
            ASSERT_NE(SendMessageTimeoutA(window, WM_USER, 0, IPC_ISPLAYING, SMTO_ABORTIFHUNG, 5000,
                                          &state),
                      0);
            slowestAnswer = std::max(slowestAnswer, GetTickCount() - start);
            start = GetTickCount();
            Sync();
            slowestOwnMessage = std::max(slowestOwnMessage, GetTickCount() - start);
        }
        EXPECT_LT(slowestAnswer, SendTimeoutMs + 500);
        EXPECT_LT(slowestOwnMessage, SendTimeoutMs + 500);
    }
};

TEST_F(HangTest, AHungClientFreezesNeitherThePlayerNorTheOthers)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    StandInClient& b = AddClient(true, "222", OwnB);
    StandInClient& r = AddClient(false, "333", "3|Away|lunch");
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
    ASSERT_TRUE(b.WaitForStatus(FirstTrackB, 3000)) << b.Status();

    const size_t before = a.Log().size();
    a.Command("hang 4000");
    WaitUntilAsleep(a, 4000);
    Command("next");
    ExpectThePlayerAnswersWhileItSleeps(a);

    // The others took the new track while the first one still slept.
    const uint64_t awake = FirstTime(a, "AWAKE");
    ASSERT_TRUE(b.WaitForStatus(SecondTrackB, 3000)) << b.Status();
    ASSERT_TRUE(r.WaitForStatus(SecondTrackRnq, 3000)) << r.Status();
    EXPECT_LT(FirstTime(b, "STATUS " + SecondTrackB), awake);
    EXPECT_LT(FirstTime(r, "STATUS " + SecondTrackRnq), awake);

    // Awake, it gets the track, and nothing it missed counts as its own
    // choice: on stop it has its own status back.
    EXPECT_TRUE(a.WaitForStatus(SecondTrackA, 4000)) << a.Status();
    EXPECT_EQ(TakenSince(a, before), std::vector<std::string>{SecondTrackA});
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus(OwnA, 3000)) << a.Status();
    EXPECT_TRUE(b.WaitForStatus(OwnB, 3000)) << b.Status();
    Close();
    EXPECT_EQ(Value("SetPicture"), "1");
}

// The longest that the player's thread was held by one update cycle, from
// the stall lines after the first `from` lines of its log.
DWORD LongestCycle(const std::vector<std::string>& lines, size_t from)
{
    const std::string timer = " " + std::to_string(WM_TIMER) + " " + std::to_string(UpdateTimerId);
    DWORD longest = 0;
    for (size_t i = from; i < lines.size(); ++i)
        if (const std::string& line = lines[i]; line.rfind("TOOK ", 0) == 0 && line.size() > timer.size() &&
            line.compare(line.size() - timer.size(), timer.size(), timer) == 0)
            longest = std::max(longest, static_cast<DWORD>(std::stoul(line.substr(5))));
    return longest;
}

// A client that answers every message, but slowly, never holds the
// player's thread: no cycle waits as long as one of its answers, while it
// is found, written and given back. It ends with its own status all the
// same. The first cycle is not counted: it runs the cycle's code for the
// first time, which an emulator spends translating it, and hands over no
// more than any other.
TEST_F(HangTest, ASlowClientNeverHoldsThePlayer)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    StandInClient& s = AddSlowZem("222", OwnB, 150);
    Start(TwoTracks);
    const size_t from = s.Log().size();
    Command("play");
    const int first = WaitForLine(CycleRequest);
    ASSERT_GE(first, 0);
    const int second = WaitForLine(CycleRequest, static_cast<size_t>(first) + 1);
    ASSERT_GE(second, 0);
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 30000)) << a.Status();
    ASSERT_TRUE(s.WaitForStatus(FirstTrackB, 30000)) << s.Status();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus(OwnA, 3000)) << a.Status();
    EXPECT_TRUE(s.WaitForStatus(OwnB, 30000)) << s.Status();
    // Nothing it missed was taken for the user's: only the track and its
    // own status, each once.
    EXPECT_EQ(TakenSince(s, from), (std::vector<std::string>{FirstTrackB, OwnB}));
    EXPECT_LT(LongestCycle(Log(), static_cast<size_t>(second)), 150u)
        << ::testing::PrintToString(Stalls(Log()));
    Close();
    EXPECT_EQ(a.Status(), OwnA);
    EXPECT_EQ(s.Status(), OwnB);
}

// A slow client's account switches while its status is being written: the
// new account never takes the old one's texts for its own. It shows the
// track under the old account's own status, and gets that back at stop and
// at the close, never a caption made twice.
TEST_F(HangTest, AnAccountSwitchDuringASlowUpdateKeepsTheAccountsApart)
{
    InstallServing();
    StandInClient& s = AddSlowZem("111", OwnA, 150);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(s.WaitForStatus(FirstTrackA, 30000)) << s.Status();
    const size_t from = s.Log().size();
    // The next track's cycle comes a delay after the command (the command
    // put off any cycle due), and its update reads the client's three
    // controls, then writes: the account switches in the middle of it.
    Press("next", PlayerNext);
    ASSERT_GE(WaitForLine(CycleRequest, Log().size()), 0);
    Sleep(450);
    s.Command("title 222");
    ASSERT_TRUE(s.WaitForStatus(SecondTrackA, 30000)) << s.Status();
    Command("stop");
    EXPECT_TRUE(s.WaitForStatus(OwnA, 30000)) << s.Status();
    Close();
    EXPECT_EQ(s.Status(), OwnA);
    for (const std::string& taken : TakenSince(s, from))
        EXPECT_TRUE(taken == OwnA || taken == SecondTrackA) << taken;

    // The new account's user sets its own status at once: the write goes no
    // further into it, and nothing of the old account's ever reaches it.
    const std::string own222 = "7|Own222|long222";
    s.Command("title 111");
    s.UserStatus(OwnA);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(s.WaitForStatus(FirstTrackA, 30000)) << s.Status();
    Press("next", PlayerNext);
    ASSERT_GE(WaitForLine(CycleRequest, Log().size()), 0);
    Sleep(450);
    s.Command("title 222");
    s.UserStatus(own222);
    const size_t switched = s.Log().size();
    ASSERT_TRUE(s.WaitForStatus("11|Own222 - Очень длин\x85|long222: Two", 30000)) << s.Status();
    Command("stop");
    EXPECT_TRUE(s.WaitForStatus(own222, 30000)) << s.Status();
    Close();
    EXPECT_EQ(s.Status(), own222);
    for (const std::string& taken : TakenSince(s, switched))
        EXPECT_EQ(taken.find("Working"), std::string::npos) << taken;

    // The account switches right after the write has chosen the picture:
    // neither text nor OK follows into the new account, which keeps the
    // old account's own status as its own.
    s.Command("slow 0");
    s.Command("title 111");
    s.UserStatus(OwnA);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(s.WaitForStatus(FirstTrackA, 30000)) << s.Status();
    s.Command("title-on " + std::to_string(CB_SETCURSEL) + " 222");
    s.Sync();
    Press("next", PlayerNext);
    ASSERT_TRUE(s.WaitForStatus(SecondTrackA, 30000)) << s.Status();
    Command("stop");
    EXPECT_TRUE(s.WaitForStatus(OwnA, 30000)) << s.Status();
    Close();
    EXPECT_EQ(s.Status(), OwnA);
}

// Windows asks to end the session while five clients answer slowly, so
// that giving their statuses back takes longer than the player waits; the
// player is closed next. The close does not wait again for the restores
// whose wait ran out.
TEST_F(HangTest, TheWaitsOfOneShutdownAreNotStacked)
{
    InstallServing();
    std::vector<StandInClient*> slow;
    for (const char* account : {"100", "101", "102", "103", "104"})
        slow.push_back(&AddClient(true, account, OwnA));
    Start(TwoTracks);
    Command("play");
    for (StandInClient* client : slow) ASSERT_TRUE(client->WaitForStatus(FirstTrackA, 8000));
    Cycle();
    for (StandInClient* client : slow) {
        client->Command("slow 150");
        client->Sync();
    }
    const DWORD start = GetTickCount();
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, WaitMs, &answer);
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, WaitMs, &answer);
    ASSERT_TRUE(player.WaitForExit(WaitMs));
    EXPECT_LT(GetTickCount() - start, CloseWaitMs + 1000);
    for (StandInClient* client : slow) client->Command("slow 0");
}

// Another account logs in to a ZEM that shows the track, and the client
// sleeps when the new account is first read: the new account, registered
// once it answers, still takes the track for what the plug-in wrote for the
// account before, and gets that account's own status at stop.
TEST_F(HangTest, ANewAccountReadOnlyLaterStillKnowsTheAccountBefore)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
    Cycle();
    Sleep(500);
    a.Command("title 222");
    a.Command("hang-on " + std::to_string(CB_GETCURSEL) + " 2000");
    WaitUntilAsleep(a, 2000);
    WaitUntilAwake(a);
    Cycle();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus(OwnA, 3000)) << a.Status();
    Close();
}

// Another program closes the player while a slow client it has just found
// is being read, at one moment of the reading or another: nothing half read
// is written into the client (at most the track, if it was done), and its
// own status stays.
TEST_F(HangTest, AClosingDuringASlowRegistrationWritesNothingHalfRead)
{
    InstallServing();
    StandInClient& s = AddSlowZem("111", OwnA, 150);
    // The first cycle hands over the track, and the client is read: the
    // close comes at one moment or another after that cycle began.
    for (const DWORD ms : {500, 1500, 2500}) {
        SCOPED_TRACE(ms);
        Start(TwoTracks);
        const size_t from = s.Log().size();
        const size_t cycles = Log().size();
        Command("play");
        ASSERT_GE(WaitForLine(CycleRequest, cycles), 0);
        Sleep(ms);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, WaitMs, &answer);
        ASSERT_TRUE(player.WaitForExit(WaitMs));
        s.Sync();
        EXPECT_EQ(s.Status(), OwnA);
        for (const std::string& taken : TakenSince(s, from))
            EXPECT_TRUE(taken == OwnA || taken == FirstTrackA) << taken;
    }
}

// The client sleeps when it is first asked for the length of a text, while
// it is being registered: it is not recorded with a status it never gave,
// and is registered once it answers.
TEST_F(HangTest, AClientHungWhenFirstFoundIsServedOnceItAnswers)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    a.Command("hang-on " + std::to_string(WM_GETTEXTLENGTH) + " 4000");
    a.Sync();
    Start(TwoTracks);
    Command("play");
    WaitUntilAsleep(a, 4000);
    ExpectThePlayerAnswersWhileItSleeps(a);
    EXPECT_TRUE(a.WaitForStatus(FirstTrackA, 4000)) << a.Status();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus(OwnA, 3000)) << a.Status();
    Close();
}

// The player closes while a client sleeps: the client keeps the track, and
// its own status comes back from the journal at the player's next start.
TEST_F(HangTest, AClientHungWhileThePlayerClosesGetsItsOwnStatusAtTheNextStart)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
    Cycle();
    a.Command("hang 3000");
    WaitUntilAsleep(a, 3000);
    Close();
    WaitUntilAwake(a);
    a.Sync();
    ASSERT_EQ(a.Status(), FirstTrackA);

    Start(TwoTracks);
    Command("play");
    Cycle();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus(OwnA, 3000)) << a.Status();
    Close();
}

// A client hangs when the player's "Uninstall" is pressed: the others get
// their own status back at once, and it gets its own once it wakes, while
// the player runs. The player removes the file at its next start.
TEST_F(HangTest, AClientHungAtTheRemovalGetsItsOwnStatusOnceItWakes)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    StandInClient& h = AddClient(true, "222", OwnB);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
    ASSERT_TRUE(h.WaitForStatus(FirstTrackB, 3000)) << h.Status();
    Cycle();
    h.Command("hang 3000");
    WaitUntilAsleep(h, 3000);
    const size_t from = Log().size();
    Command("uninstall");
    ASSERT_GE(WaitForLine("UNINSTALL gen_ZEM.dll 0", from), 0);
    EXPECT_EQ(a.Status(), OwnA);
    EXPECT_TRUE(h.WaitForStatus(OwnB, 6000)) << h.Status();
    Close();
    EXPECT_TRUE(DeleteFileA((pluginFolder + "\\gen_ZEM.dll").c_str()));
}

// Another program closes the player while the clients' work waits on a
// client that hangs, or on one that is slow: no cycle of the player waited
// on it, and what the work had still to do is never done. Every client that
// answers keeps the own status the close gave back.
TEST_F(HangTest, AClosingInsideACycleLeavesTheClientsTheirOwnStatus)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    StandInClient& r = AddClient(false, "333", "3|Away|lunch");
    // Started last, it is met first by every cycle.
    StandInClient& late = AddClient(true, "100", "9|Late|again");
    const std::string trackRnq = "11|%Status - Группа|%Status2: Один";
    struct Round {
        std::string LateCommand;
        bool Hangs;
        UINT Message;
        WPARAM WParam;
    };
    for (const Round& round : {Round{"hang 3000", true, WM_CLOSE, 0},
                               Round{"slow 150", false, WM_SYSCOMMAND, SC_CLOSE}}) {
        SCOPED_TRACE(round.LateCommand);
        Start(TwoTracks);
        Command("play");
        ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
        ASSERT_TRUE(r.WaitForStatus(trackRnq, 3000)) << r.Status();
        Cycle();
        const size_t cycles = Log().size();
        late.Command(round.LateCommand);
        if (round.Hangs)
            WaitUntilAsleep(late, 3000);
        else
            late.Sync();
        const size_t fromA = a.Log().size();
        const size_t fromR = r.Log().size();

        // The close comes once the next cycle has begun: the player takes it
        // when the cycle first waits for a client.
        ASSERT_GE(WaitForLine(CycleRequest, Log().size()), 0);
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, round.Message, round.WParam, 0, SMTO_NORMAL, WaitMs, &answer);
        ASSERT_TRUE(player.WaitForExit(WaitMs));
        EXPECT_EQ(Log().back(), "EXIT");
        // No cycle waited as long as one answer of the slow client.
        EXPECT_LT(LongestCycle(Log(), cycles), 150u) << ::testing::PrintToString(Stalls(Log()));
        a.Sync();
        r.Sync();

        // Its own status back, and no track after it.
        for (StandInClient* client : {&a, &r}) {
            const std::vector<std::string> taken =
                TakenSince(*client, client == &a ? fromA : fromR);
            const std::string& track = client == &a ? FirstTrackA : trackRnq;
            const auto own = std::find_if(taken.begin(), taken.end(),
                                          [&](const std::string& s) { return s != track; });
            ASSERT_NE(own, taken.end()) << client->LogPath;
            EXPECT_EQ(std::count(own, taken.end(), track), 0) << client->LogPath;
            EXPECT_NE(client->Status(), track) << client->LogPath;
        }
        EXPECT_EQ(a.Status(), OwnA);
        late.Command("slow 0");
        late.Sync();
    }
}

// A slow client is being registered, each message answered after 180 ms,
// when another program closes the player: the work on it stops at its next
// message, and the clients that answer promptly get their own status back
// within the close's wait. The slow one is written nothing.
TEST_F(HangTest, AClosingCutsIntoTheWorkOnSlowClients)
{
    InstallServing({{"Picture", "11"}});
    StandInClient& a = AddClient(true, "111", OwnA);
    StandInClient& r = AddClient(false, "333", "3|Away|lunch");
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
    ASSERT_TRUE(r.WaitForStatus("11|%Status - Группа|%Status2: Один", 3000)) << r.Status();
    // Its dialog has no controls until it is opened, and it is given its own
    // texts under the music picture: registering it takes some forty
    // messages.
    StandInClient& s = AddClient(true, "100", "9|Late|again", " --lazy-dialog");
    s.Command("slow 180");
    s.Sync();
    ASSERT_GE(WaitForLine(CycleRequest, Log().size()), 0);
    Sleep(500);
    const DWORD start = GetTickCount();
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL, WaitMs, &answer);
    ASSERT_TRUE(player.WaitForExit(WaitMs));
    EXPECT_LT(GetTickCount() - start, CloseWaitMs + 500);
    a.Sync();
    r.Sync();
    EXPECT_EQ(a.Status(), OwnA);
    EXPECT_EQ(r.Status(), "0|Away|lunch");
    s.Sync();
    EXPECT_EQ(s.Status(), "9|Late|again");
}

// The client answers the new caption only after the plug-in has given up
// waiting, and the rest of the hand-over is never sent: what the client
// shows then is the plug-in's doing, not the user's. It wakes while a later
// message of the write would still wait for it, had one been sent: it
// would take that too, and might confirm half a status.
TEST_F(ClientsTest, AWriteLeftUnansweredIsNoChangeByTheUser)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", OwnA);
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(a.WaitForStatus(FirstTrackA, 3000)) << a.Status();
    a.Command("hang-on " + std::to_string(WM_SETTEXT) + " " + std::to_string(5 * SendTimeoutMs / 2));
    a.Sync();
    const size_t before = a.Log().size();
    Command("next");
    EXPECT_TRUE(a.WaitForStatus(SecondTrackA, 4000)) << a.Status();
    EXPECT_NE(FirstTime(a, "AWAKE"), 0u);
    EXPECT_EQ(TakenSince(a, before), std::vector<std::string>{SecondTrackA});
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus(OwnA, 3000)) << a.Status();
    Close();
    EXPECT_EQ(a.Status(), OwnA);
}

// Those that go away get their own record back in their files, once their
// process has ended.
TEST_F(ClientsTest, ClientsThatGoAwayInTheHandOverAreReleasedAndTheirFilesPutRight)
{
    InstallServing();
    StandInClient& dying = AddZemWithTrackSaved("111");
    StandInClient& windowless = AddZemWithTrackSaved("222");
    StandInClient& rnqDying = AddClient(false, "333", "3|Away|lunch");
    StandInClient& survivor = AddClient(false, "444", "4|Here|still");
    Start(TwoTracks);
    Command("play");
    ASSERT_TRUE(dying.WaitForStatus(FirstTrackA, 3000)) << dying.Status();
    ASSERT_TRUE(windowless.WaitForStatus(FirstTrackA, 3000)) << windowless.Status();

    // The next track's caption is where each of them goes.
    const std::string setText = std::to_string(WM_SETTEXT);
    dying.Command("die-on " + setText);
    windowless.Command("destroy-status-on " + setText);
    rnqDying.Command("die-on " + setText);
    for (StandInClient* client : {&dying, &windowless, &rnqDying}) client->Sync();
    Command("next");
    EXPECT_TRUE(dying.Process.WaitForExit(3000));
    EXPECT_EQ(dying.Process.ExitCode(), CrashExitCode);
    EXPECT_TRUE(rnqDying.Process.WaitForExit(3000));
    EXPECT_NE(FirstTime(dying, "DIE " + setText), 0u);
    EXPECT_TRUE(survivor.WaitForStatus(SecondTrackRnq, 3000)) << survivor.Status();

    // Without its status window the client still runs, and saves its file
    // itself: the plug-in waits until it has ended.
    const std::string windowlessFile = windowless.ProfileFolder("222") + "_st_cust.txt";
    const uint64_t saved = LastWriteTime(windowlessFile);
    Cycle();
    EXPECT_EQ(LastWriteTime(windowlessFile), saved);
    windowless.Quit();
    for (StandInClient* client : {&dying, &windowless}) {
        const std::string file =
            client->ProfileFolder(client == &dying ? "111" : "222") + "_st_cust.txt";
        const std::vector<std::string> records = RepairedRecords(file);
        ASSERT_EQ(records.size(), 30u) << file;
        EXPECT_EQ(records[11], "Working#custom_status_descr#at desk") << file;
        EXPECT_EQ(records[5], "Working#custom_status_descr#at desk") << file;
    }
    EXPECT_NE(FirstTime(windowless, "DESTROY"), 0u);
    EXPECT_EQ(windowless.Status(), FirstTrackA);  // the new caption was never confirmed

    // Started again, the dead one is a new client with its own status.
    dying.Start("111");
    EXPECT_TRUE(dying.WaitForStatus(SecondTrackA, 4000)) << dying.Status();
    Close();
    EXPECT_EQ(dying.Status(), OwnA);
    EXPECT_EQ(survivor.Status(), "0|Here|still");
}

// A client that shows its status dialog again is served with the statuses
// it had; one that ends without it gets them in its file. Neither file is
// written while its client runs. The first one's dialog goes the moment it
// has confirmed the track, before the track could be read back: shown
// again, its track is still no status of the user's.
TEST_F(ClientsTest, AClientWithoutItsStatusDialogKeepsItsOwnStatusUntilItEnds)
{
    InstallServing();
    StandInClient& reopening = AddZemWithTrackSaved("111");
    StandInClient& closing = AddZemWithTrackSaved("222");
    const std::vector<StandInClient*> zem = {&reopening, &closing};
    const std::vector<std::string> files = {reopening.ProfileFolder("111") + "_st_cust.txt",
                                            closing.ProfileFolder("222") + "_st_cust.txt"};
    std::vector<uint64_t> saved;
    for (const std::string& file : files) saved.push_back(LastWriteTime(file));
    reopening.Command("destroy-status-on " + std::to_string(WM_LBUTTONUP));
    reopening.Sync();
    Start(TwoTracks);
    Command("play");
    for (StandInClient* client : zem) {
        ASSERT_TRUE(client->WaitForStatus(FirstTrackA, 3000)) << client->Status();
        if (client == &closing) client->Command("destroy-status");
        client->Sync();
    }
    EXPECT_NE(FirstTime(reopening, "DESTROY"), 0u);
    Cycle();
    Cycle();
    reopening.Command("open-status");
    reopening.Sync();
    Cycle();
    reopening.Command("hide-status");
    Command("stop");
    EXPECT_TRUE(reopening.WaitForStatus(OwnA, 3000)) << reopening.Status();
    for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(LastWriteTime(files[i]), saved[i]);

    closing.Quit();
    const std::vector<std::string> records = RepairedRecords(files[1]);
    ASSERT_EQ(records.size(), 30u);
    EXPECT_EQ(records[11], "Working#custom_status_descr#at desk");
    Close();
    EXPECT_EQ(reopening.Status(), OwnA);
    EXPECT_EQ(LastWriteTime(files[0]), saved[0]);
}

}  // namespace
