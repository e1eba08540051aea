#include "track/SlotStatus.h"

#include <gtest/gtest.h>

#include <string>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
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
        slot.ProcessId = 1234;
        slot.MainWnd.ClassName = "TMainForm";
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

    // An RnQ instance has no such file: nothing is done for it.
    slot.ProfileDir = folder.Path;
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
}

TEST_F(CustomStatusTest, TwoSavedStatusesTheNewestReplacesTheRecord)
{
    Write("\r\nMusic#custom_status_descr#Now playing\r\n");
    slot.SavedIndex = 1;
    slot.Saved[1] = Status(11, "Second", "newest");
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    EXPECT_EQ(ReadWholeFile(file), "\r\nSecond#custom_status_descr#newest\r\n");
}

TEST_F(CustomStatusTest, RestoreEmptiesTheSlotWhateverSaveRestoreSays)
{
    Write("A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n");
    CurrentState.Values[SettingIndex(Setting::SaveRestore)] = "0";
    RestoreSlot(slot);
    EXPECT_EQ(slot.ProcessId, 0u);
    EXPECT_EQ(ReadWholeFile(file),
              "A#custom_status_descr#a\r\nMusic#custom_status_descr#Now playing\r\n");
    EXPECT_EQ(CurrentState.RestoreDepth, 0);
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
    EXPECT_EQ(CurrentState.RestoreDepth, 0);
}

}  // namespace
