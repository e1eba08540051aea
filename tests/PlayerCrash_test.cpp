// A player that dies while the clients show the track: at its next start the
// plug-in still knows the users' own statuses.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/ClientSession.h"
#include "util/Files.h"

namespace {

const char Playlist[] =
    u8"file=C:\\Музыка\\Один.mp3\tentry=Группа - Один\tartist=Группа\ttitle=Один\tlength=245\n";

TEST_F(ClientsTest, AfterTheKilledPlayerEveryClientGetsItsOwnStatusBack)
{
    InstallServing();
    StandInClient& a = AddClient(true, "111", "5|Working|at desk");
    StandInClient& r = AddClient(false, "333", "3|Away|lunch");
    // A peer whose texts, escaped in the journal, are larger than a whole
    // journal may be: it must not cost the others their entries.
    clients.push_back(std::make_unique<StandInClient>(folder.Path, "zem2", true));
    StandInClient& peer = *clients.back();
    const std::string huge(350 * 1024, '\\');
    peer.KeepFromLastRun("222", 5, {{5, huge + "#custom_status_descr#" + huge}});
    peer.Start("222");
    Start(Playlist);
    Command("play");
    // Reading the peer's texts takes as long as the machine needs to copy
    // megabytes between processes (the others may wait for it once), so
    // the bound only catches a peer that is never served.
    for (DWORD start = GetTickCount(); peer.Status().substr(0, 3) != "11|"; Sleep(100))
        ASSERT_LT(GetTickCount() - start, 60000u) << peer.Status().substr(0, 40);
    ASSERT_TRUE(a.WaitForStatus("11|Working - Группа|at desk: Один", 3000)) << a.Status();
    ASSERT_TRUE(r.WaitForStatus("11|%Status - Группа|%Status2: Один", 3000)) << r.Status();
    // The journal lies beside the settings; cycles with nothing new leave it be.
    const std::string journal = pluginFolder + "\\gen_ZEM.dll.journal";
    Cycle();
    const uint64_t written = LastWriteTime(journal);
    EXPECT_NE(written, 0u);
    Cycle();
    Cycle();
    EXPECT_EQ(LastWriteTime(journal), written);

    player.Kill();
    Start(Playlist);
    Command("play");
    Cycle();
    Command("stop");
    EXPECT_TRUE(a.WaitForStatus("5|Working|at desk", 3000)) << a.Status();
    EXPECT_TRUE(r.WaitForStatus("0|Away|lunch", 3000)) << r.Status();
    Close();
    EXPECT_EQ(a.Status(), "5|Working|at desk");
    EXPECT_EQ(r.Status(), "0|Away|lunch");
    // Given back, the statuses leave the journal.
    EXPECT_FALSE(PathExists(journal, PathAny));
}

}  // namespace
