#include "util/Files.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/TempFolder.h"

namespace {

class FilesTest : public testing::Test {
protected:
    TempFolder Temp;
    const std::string& Folder = Temp.Path;

    void SetUp() override { ASSERT_TRUE(PathExists(Folder, PathFolder)); }

    std::string Write(const std::string& name, const std::string& content)
    {
        const std::string path = Folder + name;
        EXPECT_TRUE(
            WriteWholeFile(path, content.data(), static_cast<uint32_t>(content.size()), false));
        return path;
    }
};

}  // namespace

TEST(FilePaths, TitleAndFolder)
{
    EXPECT_EQ(FileTitle("C:\\Music\\a.mp3"), "a");
    EXPECT_EQ(FileTitle("a.tar.gz"), "a.tar");
    EXPECT_EQ(FileTitle("C:\\a.b\\song.live.mp3"), "song.live");
    EXPECT_EQ(FileTitle("C:\\a.b\\noext"), "noext");
    EXPECT_EQ(FileTitle("C:\\Music\\"), "");
    EXPECT_EQ(FileTitle("C:\\Music\\.hidden"), "");
    EXPECT_EQ(FileTitle(""), "");

    EXPECT_EQ(FolderOf("C:\\Program\\client.exe"), "C:\\Program\\");
    EXPECT_EQ(FolderOf("client.exe"), "client.exe");
    EXPECT_EQ(FolderOf("C:\\"), "C:\\");
}

TEST(FilePaths, ModulePathNamesTheRunningProgram)
{
    const std::string path = ModulePath(nullptr);
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.find('\0'), std::string::npos);
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(_stricmp(path.substr(path.size() - 4).c_str(), ".exe"), 0);
    EXPECT_EQ(FolderOf(path).back(), '\\');
}

TEST_F(FilesTest, PathExistsByKind)
{
    const std::string file = Write("a.txt", "x");
    EXPECT_FALSE(PathExists(file, PathFolder));
    EXPECT_TRUE(PathExists(file, PathFile));
    EXPECT_TRUE(PathExists(file, PathAny));
    EXPECT_TRUE(PathExists("\"" + file + "\"", PathFile));
    EXPECT_TRUE(FileExists(file));

    EXPECT_TRUE(PathExists(Folder, PathFolder));
    EXPECT_FALSE(PathExists(Folder, PathFile));
    EXPECT_TRUE(PathExists(Folder, PathAny));
    EXPECT_FALSE(FileExists(Folder));

    const std::string missing = Folder + "missing.txt";
    for (int kind : {0, 1, 2}) EXPECT_FALSE(PathExists(missing, kind));
}

TEST_F(FilesTest, FileSizeOf)
{
    EXPECT_EQ(FileSizeOf(Write("five.txt", "12345")), 5u);
    EXPECT_EQ(FileSizeOf(Write("empty.txt", "")), 0u);
    EXPECT_EQ(FileSizeOf(Folder + "missing.txt"), 0u);
}

TEST_F(FilesTest, ReadWholeFileStopsAtZeroByte)
{
    EXPECT_EQ(ReadWholeFile(Folder + "missing.txt"), "");
    EXPECT_EQ(ReadWholeFile(Write("zero.txt", std::string("ab\0cd", 5))), "ab");
    EXPECT_EQ(ReadWholeFile(Write("empty.txt", "")), "");
    const std::string text = "#custom_status_descr#\r\nМузыка\r\n";
    EXPECT_EQ(ReadWholeFile(Write("text.txt", text)), text);
    EXPECT_EQ(ReadWholeFile(Folder), "");
}

TEST_F(FilesTest, ReadWholeFileRefusesHugeFiles)
{
    const std::string path = Folder + "huge.bin";
    {
        const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        SetFilePointer(file, 64 * 1024 * 1024, nullptr, FILE_BEGIN);
        EXPECT_TRUE(SetEndOfFile(file));
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, "x", 1, &written, nullptr));
        CloseHandle(file);
    }
    ASSERT_GT(FileSizeOf(path), 64u * 1024u * 1024u);
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(FilesTest, WriteWholeFileCreatesAppendsAndReplaces)
{
    const std::string path = Folder + "out.txt";
    EXPECT_TRUE(WriteWholeFile(path, "abc", 3, true));
    EXPECT_EQ(ReadWholeFile(path), "abc");
    EXPECT_TRUE(WriteWholeFile(path, "def", 3, true));
    EXPECT_EQ(ReadWholeFile(path), "abcdef");
    EXPECT_TRUE(WriteWholeFile(path, "xy", 2, false));
    EXPECT_EQ(ReadWholeFile(path), "xy");
    EXPECT_EQ(FileSizeOf(path), 2u);
    EXPECT_TRUE(WriteWholeFile(path, "123456", 3, false));
    EXPECT_EQ(ReadWholeFile(path), "123");
    EXPECT_TRUE(WriteWholeFile(path, "", 0, false));
    EXPECT_EQ(FileSizeOf(path), 0u);
    EXPECT_TRUE(FileExists(path));
}

TEST_F(FilesTest, WriteWholeFileFailsWithoutTouchingFiles)
{
    EXPECT_FALSE(WriteWholeFile(Folder + "no\\such\\folder.txt", "a", 1, false));
    const std::string path = Folder + "null.txt";
    EXPECT_FALSE(WriteWholeFile(path, nullptr, 5, false));
    EXPECT_FALSE(FileExists(path));
}

TEST_F(FilesTest, FileHeldOpenElsewhereIsNotTouched)
{
    const std::string path = Write("held.txt", "kept");
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadWholeFile(path), "");
    EXPECT_FALSE(WriteWholeFile(path, "lost", 4, false));
    CloseHandle(held);
    EXPECT_EQ(ReadWholeFile(path), "kept");
}
