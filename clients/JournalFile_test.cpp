#include "clients/JournalFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "clients/ClientsState.h"
#include "clients/SlotJournal.h"
#include "tests/TempFolder.h"
#include "util/Files.h"

namespace {

// Every byte but zero, the format's own marks among them.
std::string EveryByte()
{
    std::string text;
    for (int c = 1; c < 256; ++c) text += static_cast<char>(c);
    return text + "\\t\\\\\t\r\n\\";
}

TJournal Hostile()
{
    TJournalEntry zem;
    zem.ClientName = "ZEM";
    zem.Title = "[zem] - 111\tend 2\r\n";
    zem.SavedIndex = 1;
    zem.Saved = {TStatus{5, EveryByte(), "at\r\ndesk\\", ""}, TStatus{INT32_MIN, "", "", ""}};
    zem.Current = TStatus{INT32_MAX, "gen_ZEM slot journal 1", "\n", ""};
    zem.Writing = true;
    zem.ToLeave = TStatus{11, "end 1", EveryByte(), ""};
    TJournalEntry rnq;
    rnq.ClientName = "RnQ";
    rnq.Title = "R&Q 333";
    rnq.Saved[0] = TStatus{-1, "Away", EveryByte(), ""};
    rnq.Current = TStatus{0, "%Status - Группа", "\\n", ""};
    return {zem, rnq};
}

void ExpectSame(const TJournal& read, const TJournal& written)
{
    ASSERT_EQ(read.size(), written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].ClientName, written[i].ClientName);
        EXPECT_EQ(read[i].Title, written[i].Title);
        EXPECT_EQ(read[i].SavedIndex, written[i].SavedIndex);
        for (int j = 0; j < 2; ++j) EXPECT_TRUE(SameStatus(read[i].Saved[j], written[i].Saved[j]));
        EXPECT_TRUE(SameStatus(read[i].Current, written[i].Current));
        EXPECT_EQ(read[i].Writing, written[i].Writing);
        EXPECT_TRUE(SameStatus(read[i].ToLeave, written[i].ToLeave));
    }
}

TEST(JournalFileTest, HostileTextsComeBackAsTheyWereAndTheFileIsReplacedWhole)
{
    TempFolder folder;
    const std::string path = JournalPathFor(folder.Path + "gen_ZEM.dll.ini");
    EXPECT_EQ(path, folder.Path + "gen_ZEM.dll.journal");
    EXPECT_TRUE(ReadJournal(path).empty());

    const TJournal journal = Hostile();
    ASSERT_TRUE(WriteJournal(path, journal));
    ExpectSame(ReadJournal(path), journal);
    EXPECT_FALSE(PathExists(path + ".new", PathAny));

    // A later write replaces the whole file; no entries, no file.
    ASSERT_TRUE(WriteJournal(path, {journal[1]}));
    ExpectSame(ReadJournal(path), {journal[1]});
    ASSERT_TRUE(WriteJournal(path, {}));
    EXPECT_FALSE(PathExists(path, PathAny));
}

TEST(JournalFileTest, DamagedForeignOrCutJournalsGiveNoEntries)
{
    const std::string text = JournalText(Hostile());
    TJournal read;
    ASSERT_TRUE(ParseJournal(text, read));
    ASSERT_EQ(read.size(), 2u);
    for (size_t size = 0; size < text.size(); ++size) {
        ASSERT_FALSE(ParseJournal(text.substr(0, size), read)) << size;
        EXPECT_TRUE(read.empty());
    }
    // A journal of the version before holds no write under way.
    const std::string entry = "ZEM\t111\t0\t5\tWorking\tat desk\t0\t\t\t11\tMusic\tplaying\r\n";
    const std::string before = "gen_ZEM slot journal 1\r\n";
    ASSERT_TRUE(ParseJournal(before + entry + "end 1\r\n", read));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_FALSE(read[0].Writing);
    EXPECT_TRUE(SameStatus(read[0].ToLeave, TStatus{11, "Music", "playing", ""}));
    const std::string head = "gen_ZEM slot journal 2\r\n";
    const std::string writing = "ZEM\t111\t0\t5\tWorking\tat desk\t0\t\t\t11\tMusic\tplaying";
    ASSERT_TRUE(ParseJournal(head + writing + "\t1\t0\t\t\r\nend 1\r\n", read));
    EXPECT_TRUE(read[0].Writing);
    const std::string damaged[] = {
        "gen_ZEM slot journal 3\r\n" + entry + "end 1\r\n",  // another version
        head + entry + "end 1\r\n",                          // fields of the version before
        before + writing + "\t1\t0\t\t\r\nend 1\r\n",
        head + writing + "\t2\t0\t\t\r\nend 1\r\n",
        "[ZER ozavod irozav]\r\nLang=Russian\r\n",  // another file
        before + entry + "end 2\r\n",
        before + entry + entry + "end 1\r\n",
        before + "ZEM\t111\t2\t5\tWorking\tat desk\t0\t\t\t11\tMusic\tplaying\r\nend 1\r\n",
        before + "ZEM\t111\t0\t5x\tWorking\tat desk\t0\t\t\t11\tMusic\tplaying\r\nend 1\r\n",
        before + "ZEM\t111\t0\t5\tWor\\king\tat desk\t0\t\t\t11\tMusic\tplaying\r\nend 1\r\n",
        before + "ZEM\t111\t0\t5\tWorking\tat desk\t0\t\t\t11\tMusic\r\nend 1\r\n",
        before + "ZEM\t111\t0\t5\tWorking\tat desk\t0\t\t\t11\tMusic\tplaying\t\r\nend 1\r\n",
        head + "end 0\r\n\r\n",
    };
    for (const std::string& bad : damaged) {
        EXPECT_FALSE(ParseJournal(bad, read)) << bad;
        EXPECT_TRUE(read.empty());
    }

    // A file too large to be a journal is not read.
    TempFolder folder;
    const std::string path = folder.Path + "gen_ZEM.dll.journal";
    const std::string large = text + std::string(MaxJournalBytes, 'x');
    ASSERT_TRUE(WriteWholeFile(path, large.data(), static_cast<uint32_t>(large.size()), false));
    EXPECT_TRUE(ReadJournal(path).empty());
}

TEST(JournalFileTest, AnOversizedEntryIsLeftOutAndTheFullestJournalIsRead)
{
    TempFolder folder;
    const std::string path = folder.Path + "gen_ZEM.dll.journal";
    // Escaped, the peer's texts take twice their size.
    TJournal journal = Hostile();
    TJournalEntry peer = journal[0];
    peer.Title = "[zem] - 222";
    peer.Saved[0] = TStatus{3, std::string(700 * 1024, '\\'), std::string(700 * 1024, '\t'), ""};
    journal.insert(journal.begin() + 1, peer);
    ASSERT_TRUE(WriteJournal(path, journal));
    ExpectSame(ReadJournal(path), Hostile());

    // As many entries as are kept, each of the largest size, are read back;
    // one byte more leaves that entry out.
    TJournalEntry largest = Hostile()[1];
    const size_t line = JournalText({largest}).size() - JournalText({}).size();
    largest.Current.LongText += std::string(MaxJournalEntryBytes - line, 'x');
    TJournal fullest(MaxJournalEntries, largest);
    ASSERT_TRUE(WriteJournal(path, fullest));
    ExpectSame(ReadJournal(path), fullest);
    fullest[1].Current.LongText += 'x';
    ASSERT_TRUE(WriteJournal(path, fullest));
    fullest.erase(fullest.begin() + 1);
    ExpectSame(ReadJournal(path), fullest);
}

// The journal as the clients' worker keeps it: a write is journaled ahead
// from a copy of the slot too, and at the next start a dialog that a cut
// write left is told from one the user changed.
TEST(SlotJournalTest, AWriteIsJournaledAheadAndWhatACutOneLeftIsKnownAtTheNextStart)
{
    TempFolder folder;
    GClients = TClientsState{};
    GClients.Wanted.JournalPath = folder.Path + "gen_ZEM.dll.journal";
    TClient& slot = GClients.Slots[3];
    slot.ProcessId = 1234;
    slot.ClientName = "ZEM";
    slot.MainWnd.Handle = reinterpret_cast<HWND>(0x1234);
    slot.MainWnd.Text = "[zem] - 111";
    slot.Saved[0] = TStatus{5, "Own", "own long", ""};
    slot.Current = slot.Saved[0];
    const TStatus track{11, "Own - Группа", "own long: Один", ""};

    // A copy, as the drivers hand in, is the slot itself.
    const TClient copy = slot;
    JournalAhead(copy, slot.Current, track);
    TJournal journal = ReadJournal(GClients.Wanted.JournalPath);
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_TRUE(journal[0].Writing);
    EXPECT_TRUE(SameStatus(journal[0].Current, slot.Saved[0]));
    EXPECT_TRUE(SameStatus(journal[0].ToLeave, track));
    // A write that was cut keeps the entry as written ahead.
    slot.Current = track;
    slot.Cut = true;
    JournalSlot(slot);
    EXPECT_TRUE(ReadJournal(GClients.Wanted.JournalPath)[0].Writing);

    // Any mix of the entry's fields and the empty status was left by the cut
    // write; a field of anything else is the user's.
    const TJournalEntry& entry = journal[0];
    for (const TStatus& left : {TStatus{11, "Own", "own long", ""}, TStatus{0, "", "own long", ""},
                                TStatus{5, "Own - Группа", "", ""}, track, slot.Saved[0]})
        EXPECT_TRUE(LeftByCutWrite(entry, left)) << left.PictureIndex << left.Caption;
    for (const TStatus& changed :
         {TStatus{7, "Own", "own long", ""}, TStatus{5, "own", "own long", ""},
          TStatus{11, "Own - Группа", "new", ""}})
        EXPECT_FALSE(LeftByCutWrite(entry, changed)) << changed.PictureIndex << changed.Caption;

    // The next start.
    GClients = TClientsState{};
    GClients.Wanted.JournalPath = folder.Path + "gen_ZEM.dll.journal";
    TClient next = copy;
    next.Saved[0] = next.Current = TStatus{0, "Own - Группа", "own long", ""};
    ASSERT_TRUE(RecallJournalEntry(next));
    EXPECT_TRUE(next.Cut);
    EXPECT_TRUE(SameStatus(next.Saved[0], copy.Saved[0]));
    next.Cut = false;
    next.Current = TStatus{7, "Own - Группа", "own long", ""};
    EXPECT_FALSE(RecallJournalEntry(next));
    EXPECT_FALSE(next.Cut);
}

}  // namespace
