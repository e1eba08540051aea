#include "clients/SlotStatus.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/RandomInput.h"
#include "tests/TempFolder.h"
#include "util/Files.h"

namespace {

TStatus Status(int32_t picture, const std::string& caption, const std::string& longText)
{
    TStatus status;
    status.PictureIndex = picture;
    status.Caption = caption;
    status.LongText = longText;
    return status;
}

// A ZEM instance whose client has exited: no status window any more.
struct CustomStatusTest : ::testing::Test {
    TempFolder folder;
    TClient slot;
    std::string file = folder.Path + "_st_cust.txt";

    void SetUp() override
    {
        ModuleInit();
        CopyState(DefaultState, CurrentState);
        GClients = TClientsState{};
        GClients.Wanted.Values = DefaultState.Values;
        slot.ProcessId = 1234;
        slot.MainWnd.ClassName = "TMainForm";
        slot.AccountClosed = true;  // the client has ended
        slot.ProfileDir = folder.Path;
        slot.Current = Status(1, "Music", "Now playing");
        slot.Saved[0] = Status(5, "Working", "at desk");
    }
    void Write(const std::string& text)
    {
        ASSERT_TRUE(WriteWholeFile(file, text.data(), static_cast<uint32_t>(text.size()), false));
    }
};

TEST_F(CustomStatusTest, TheRecordOfThePluginsTextsGetsTheUsersBack)
{
    Write(
        "A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n"
        "Другое#custom_status_descr#прочее\r\n");
    EXPECT_TRUE(ApplySlotStatus(slot, Status(1, "ignored", "ignored")));
    EXPECT_EQ(ReadWholeFile(file),
              "#custom_status_descr#\r\nWorking#custom_status_descr#at desk\r\n"
              "Другое#custom_status_descr#прочее\r\n");
}

// The file is replaced whole, never rewritten in place: a process ended in
// the middle of the write leaves the old file as it was. A file replaced is
// another file.
uint64_t FileIdentity(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    BY_HANDLE_FILE_INFORMATION information{};
    const bool read = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    return read ? (uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow : 0;
}

TEST_F(CustomStatusTest, TheFileIsReplacedWholeNeverRewrittenInPlace)
{
    Write("A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n");
    const uint64_t before = FileIdentity(file);
    ASSERT_NE(before, 0u);
    EXPECT_TRUE(ApplySlotStatus(slot, Status(1, "ignored", "ignored")));
    EXPECT_NE(FileIdentity(file), before);
    EXPECT_EQ(ReadWholeFile(file),
              "#custom_status_descr#\r\nWorking#custom_status_descr#at desk\r\n");
    EXPECT_FALSE(PathExists(file + ".new", PathAny));
}

TEST_F(CustomStatusTest, OnlyLinesEndedByCrLfAreRecords)
{
    Write("A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing");
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    EXPECT_EQ(ReadWholeFile(file),
              "#custom_status_descr#\r\nMusic#custom_status_descr#Now playing");
}

TEST_F(CustomStatusTest, NothingIsTouchedWithoutAPictureOrAFile)
{
    const std::string text = "A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n";
    Write(text);
    slot.Current.PictureIndex = 0;
    EXPECT_FALSE(WriteCustomStatusFile(slot));
    slot.Current.PictureIndex = -1;
    EXPECT_FALSE(WriteCustomStatusFile(slot));
    EXPECT_EQ(ReadWholeFile(file), text);

    slot.Current.PictureIndex = 1;
    slot.ProfileDir = folder.Path + "missing\\";
    EXPECT_FALSE(WriteCustomStatusFile(slot));
    EXPECT_FALSE(FileExists(slot.ProfileDir + "_st_cust.txt"));

    // A client still running without its status window saves the file
    // itself; an RnQ instance has no such file. Nothing is done for them.
    slot.ProfileDir = folder.Path;
    slot.AccountClosed = false;
    EXPECT_FALSE(ApplySlotStatus(slot, slot.Current));
    slot.AccountClosed = true;
    slot.MainWnd.ClassName = "TRnQmain";
    EXPECT_FALSE(ApplySlotStatus(slot, slot.Current));
    EXPECT_EQ(ReadWholeFile(file), text);
}

TEST_F(CustomStatusTest, AFileThatCannotBeReadWholeIsNeverShortened)
{
    const std::string text = std::string("A#custom_status_descr#a\r\nMusic#custom_status_descr#") +
                             "Now playing\r\nB#custom_status_descr#b" + '\0' + "tail\r\n";
    Write(text);
    EXPECT_FALSE(WriteCustomStatusFile(slot));
    EXPECT_EQ(FileSizeOf(file), text.size());

    Write("Music#custom_status_descr#Now playing\r\n");
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteCustomStatusFile(slot));
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(file), "Music#custom_status_descr#Now playing\r\n");

    // Held only for a moment, as a virus scanner holds a file just written,
    // it is put right once it is free again.
    Write("A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n");
    held = CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread release([held] {
        Sleep(150);
        CloseHandle(held);
    });
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    release.join();
    EXPECT_EQ(ReadWholeFile(file),
              "#custom_status_descr#\r\nWorking#custom_status_descr#at desk\r\n");
}

const std::string LineEnd = "\r\n";

std::string RawFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The CR LF-ended lines of a text, and what follows the last of them.
struct TLines {
    std::vector<std::string> Lines;
    std::string Tail;
};

TLines SplitLines(const std::string& text)
{
    TLines split;
    size_t start = 0;
    for (size_t end; (end = text.find(LineEnd, start)) != std::string::npos; start = end + 2)
        split.Lines.push_back(text.substr(start, end - start));
    split.Tail = text.substr(start);
    return split;
}

std::string Record(const TStatus& status)
{
    return status.Caption + CustomStatusMarker + status.LongText;
}

// A record as one line of the file: a line break inside a text would split
// it.
std::string FileLine(const TStatus& status)
{
    std::string line = Record(status);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

// A text of a status: any bytes but zero, sometimes with line breaks.
std::string StatusText(RandomInput& random)
{
    std::string text = random.Hostile(random.Chance(5) ? 3000 : 40);
    if (random.Chance(10)) text.insert(random.Below(text.size() + 1), LineEnd);
    return text;
}

TStatus RandomStatus(RandomInput& random)
{
    TStatus status;
    status.PictureIndex = static_cast<int32_t>(random.Below(30)) - 1;
    status.Caption = StatusText(random);
    status.LongText = StatusText(random);
    return status;
}

TEST_F(CustomStatusTest, NoLineIsLostGainedOrChangedButTheFirstAndThePluginsOwn)
{
    RandomInput random(5301);
    int replaced = 0;  // rounds in which the plug-in's own record was found
    for (int round = 0; round < 3000; ++round) {
        slot.Current = RandomStatus(random);
        slot.SavedIndex = static_cast<int32_t>(random.Below(4)) - 1;
        for (TStatus& saved : slot.Saved)
            saved = random.Chance(10) ? slot.Current : RandomStatus(random);

        // Records, junk and the plug-in's own record, in any order.
        std::string original;
        for (size_t line = random.Below(40); line > 0; --line) {
            const size_t kind = random.Below(10);
            if (kind < 2)
                original += FileLine(slot.Current);
            else if (kind < 6)
                original += FileLine(RandomStatus(random));
            else
                original += random.Hostile(80, random.Chance(10));
            original += random.Chance(95) ? LineEnd : random.Bytes(1 + random.Below(2));
        }
        if (random.Chance(30)) original += random.Hostile(60, random.Chance(10));
        Write(original);

        const bool written = ApplySlotStatus(slot, slot.Current);
        const std::string result = RawFile(file);
        if (original.find('\0') != std::string::npos || slot.Current.PictureIndex < 1) {
            // A file that cannot be read whole, or no picture: left alone.
            ASSERT_FALSE(written) << round;
            ASSERT_EQ(result, original) << round;
            continue;
        }
        ASSERT_TRUE(written) << round;
        const TLines before = SplitLines(original);
        const TLines after = SplitLines(result);
        ASSERT_EQ(after.Lines.size(), before.Lines.size()) << round;
        ASSERT_EQ(after.Tail, before.Tail) << round;
        for (size_t i = 0; i < before.Lines.size(); ++i) {
            const std::string& old = before.Lines[i];
            const std::string& now = after.Lines[i];
            if (i == 0) {
                ASSERT_EQ(now, old.empty() ? old : std::string(CustomStatusMarker)) << round;
            } else if (now != old) {
                ASSERT_EQ(old, FileLine(slot.Current)) << round << " line " << i;
                const bool saved = now == FileLine(slot.Saved[0]) ||
                                   (slot.SavedIndex > 0 && now == FileLine(slot.Saved[1]));
                ASSERT_TRUE(saved) << round << " line " << i;
                ++replaced;
            }
        }
    }
    EXPECT_GT(replaced, 500);
}

// A text with line breaks, as a template's "\n" makes it: the client's file
// holds it on one line, and the user's text goes back on one line too.
TEST_F(CustomStatusTest, LineBreaksInsideTextsStayOnTheirLine)
{
    slot.Current.PictureIndex = 11;
    slot.Current.Caption = "Music";
    slot.Current.LongText = "Band\r\nSong";
    slot.Saved[0].Caption = "Working";
    slot.Saved[0].LongText = "at\rdesk\n";
    Write(
        "A#custom_status_descr#a\r\nMusic#custom_status_descr#Band  Song\r\n"
        "B#custom_status_descr#b\r\n");
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    EXPECT_EQ(RawFile(file),
              "#custom_status_descr#\r\nWorking#custom_status_descr#at desk \r\n"
              "B#custom_status_descr#b\r\n");
}

TEST_F(CustomStatusTest, TwoSavedStatusesTheNewestReplacesTheRecord)
{
    Write("\r\nMusic#custom_status_descr#Now playing\r\n");
    slot.SavedIndex = 1;
    slot.Saved[1] = Status(11, "Second", "newest");
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    EXPECT_EQ(ReadWholeFile(file), "\r\nSecond#custom_status_descr#newest\r\n");
}

// The client answered the write of the track too late and went away before
// it was read again: it may have taken the track, or kept the status before.
TEST_F(CustomStatusTest, AWriteAnsweredTooLateIsPutRightAsWellAsTheStatusSeen)
{
    Write("\r\nMusic#custom_status_descr#Now playing\r\nOld#custom_status_descr#track\r\n");
    slot.Current = Status(2, "Old", "track");
    slot.ShownUnknown = true;
    slot.Unconfirmed = Status(11, "Music", "Now playing");
    slot.Saved[0] = Status(5, "Working", "at desk");
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    EXPECT_EQ(ReadWholeFile(file),
              "\r\nWorking#custom_status_descr#at desk\r\nWorking#custom_status_descr#at desk\r\n");
}

// The plug-in's texts may stand on other pictures' lines too: only the line
// of the picture shown is repaired, for the late write as for the one seen.
TEST_F(CustomStatusTest, ARepeatedRecordIsRepairedOnThePicturesOwnLine)
{
    const std::string music = "Music#custom_status_descr#Now playing";
    const std::string old = "Old#custom_status_descr#track";
    std::vector<std::string> lines(23);
    lines[0] = "X#custom_status_descr#x";
    for (size_t i = 1; i < lines.size(); ++i) lines[i] = "R" + std::to_string(i);
    lines[4] = lines[11] = lines[20] = music;  // pictures 4, 11 and 20
    lines[2] = lines[7] = old;                 // pictures 2 and 7
    std::string original;
    for (const std::string& line : lines) original += line + "\r\n";
    Write(original);
    slot.Current = Status(11, "Music", "Now playing");
    slot.ShownUnknown = true;
    slot.Unconfirmed = Status(7, "Old", "track");
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    lines[0] = CustomStatusMarker;
    lines[11] = lines[7] = "Working#custom_status_descr#at desk";
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(RawFile(file), expected);
}

TEST_F(CustomStatusTest, RestoreEmptiesTheSlotWhateverSaveRestoreSays)
{
    Write("A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n");
    GClients.Wanted.Values[SettingIndex(Setting::SaveRestore)] = "0";
    RestoreSlot(slot);
    EXPECT_EQ(slot.ProcessId, 0u);
    EXPECT_EQ(ReadWholeFile(file),
              "A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n");
    EXPECT_EQ(GClients.RestoreDepth, 0);
}

TEST_F(CustomStatusTest, BackupIsMadeOnceAndReplayedPictureByPicture)
{
    Write("A#custom_status_descr#a\r\nB\r\nC#custom_status_descr#c\r\n");
    slot.Current = Status(0, "", "");
    ResetCaptionsFromBackup(slot);
    const std::string backup = folder.Path + "_st_cust.txt.2ZEM";
    EXPECT_EQ(ReadWholeFile(backup), "A#custom_status_descr#a\r\nB\r\nC#custom_status_descr#c\r\n");
    Write("changed\r\n");
    ResetCaptionsFromBackup(slot);
    EXPECT_EQ(ReadWholeFile(backup), "A#custom_status_descr#a\r\nB\r\nC#custom_status_descr#c\r\n");
    EXPECT_EQ(GClients.RestoreDepth, 0);
}

}  // namespace
