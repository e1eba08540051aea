// Custom-status files of random bytes, zero bytes and missing line ends,
// put right for a ZEM client that has exited: the file never loses or gains
// a line, and no record changes but the first and the plug-in's own.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/RandomInput.h"
#include "tests/TempFolder.h"
#include "track/SlotStatus.h"
#include "util/Files.h"

namespace {

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

struct CustomStatusFuzz : ::testing::Test {
    TempFolder folder;
    TClient slot;
    std::string file = folder.Path + CustomStatusFile;

    void SetUp() override
    {
        ModuleInit();
        CopyState(DefaultState, CurrentState);
        slot.ProcessId = 1234;
        slot.MainWnd.ClassName = "TMainForm";
        slot.ProfileDir = folder.Path;
    }
};

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

TEST_F(CustomStatusFuzz, NoLineIsLostGainedOrChangedButTheFirstAndThePluginsOwn)
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
        std::ofstream(file, std::ios::binary | std::ios::trunc) << original;

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
TEST_F(CustomStatusFuzz, LineBreaksInsideTextsStayOnTheirLine)
{
    slot.Current.PictureIndex = 11;
    slot.Current.Caption = "Music";
    slot.Current.LongText = "Band\r\nSong";
    slot.Saved[0].Caption = "Working";
    slot.Saved[0].LongText = "at\rdesk\n";
    std::ofstream(file, std::ios::binary) << "A#custom_status_descr#a\r\n"
                                             "Music#custom_status_descr#Band  Song\r\n"
                                             "B#custom_status_descr#b\r\n";
    EXPECT_TRUE(WriteCustomStatusFile(slot));
    EXPECT_EQ(RawFile(file),
              "#custom_status_descr#\r\nWorking#custom_status_descr#at desk \r\n"
              "B#custom_status_descr#b\r\n");
}

}  // namespace
