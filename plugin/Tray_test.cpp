#include "plugin/Tray.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"
#include "tests/RandomInput.h"
#include "track/Templates.h"

namespace {

TEST(TrayRecord, SizeFollowsTheShellVersion)
{
    // The shell's three record layouts: the shipped 32-bit sizes, or those of
    // the 64-bit test build, whose handles take 8 bytes.
    const bool wide = sizeof(void*) == 8;
    const DWORD v1 = wide ? 104 : 88;
    const DWORD v2 = wide ? 504 : 488;
    const DWORD v3 = wide ? 520 : 504;
    EXPECT_EQ(TrayRecordSize(600), v3);
    EXPECT_EQ(TrayRecordSize(601), v2);
    EXPECT_EQ(TrayRecordSize(500), v2);
    EXPECT_EQ(TrayRecordSize(599), v2);
    EXPECT_EQ(TrayRecordSize(499), v1);
    EXPECT_EQ(TrayRecordSize(471), v1);
    EXPECT_EQ(TrayRecordSize(400), v1);
}

struct TrayTipTest : ::testing::Test {
    NOTIFYICONDATAA& data = CurrentState.TrayData;
    void SetUp() override
    {
        ModuleInit();
        CopyState(DefaultState, CurrentState);
    }
    size_t TipLength() const { return strnlen(data.szTip, sizeof data.szTip); }
};

TEST_F(TrayTipTest, LongTextsAreCutInsideTheField)
{
    data.cbSize = TrayRecordSize(600);
    SetTrayTip(std::string(127, 'a'));
    EXPECT_EQ(TipLength(), 127u);
    SetTrayTip(std::string(500, 'b'));
    EXPECT_EQ(TipLength(), 127u);
    EXPECT_EQ(data.szTip[127], '\0');
    EXPECT_EQ(data.szTip[0], 'b');
    EXPECT_EQ(data.dwState, 0u);  // nothing beyond the field is touched

    // The first layout lets the shell read 64 bytes: the text ends in them.
    data.cbSize = TrayRecordSize(400);
    SetTrayTip(std::string(100, 'c'));
    EXPECT_EQ(TipLength(), 63u);
    SetTrayTip("");
    EXPECT_EQ(TipLength(), 0u);
    SetTrayTip("Файл: a\r\nИсполнитель: b");
    EXPECT_STREQ(data.szTip, "Файл: a\r\nИсполнитель: b");
}

TEST_F(TrayTipTest, RefreshFillsTheRecordForTheShell)
{
    CurrentState.CurStatus.TrayTip = "a\\nb";
    RefreshTrayIcon();
    EXPECT_EQ(data.cbSize, TrayRecordSize(ShellVersion()));
    EXPECT_EQ(data.uID, 1000u);
    EXPECT_EQ(data.uCallbackMessage, 3732u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_TIP));  // later changes touch the tip only
    EXPECT_STREQ(data.szTip, "a\r\nb");

    CurrentState.Values[SettingIndex(Setting::SetTray)] = "0";
    CurrentState.TrayData = NOTIFYICONDATAA{};
    RefreshTrayIcon();
    EXPECT_EQ(data.uFlags, 0u);
    EXPECT_EQ(data.uCallbackMessage, 0u);
}

// Tool-tips from hostile templates and values: the field always ends with a
// zero byte inside what the shell reads, holds the front of the text, and
// not a byte of the record outside the field changes.
TEST_F(TrayTipTest, HostileTextsStayInsideTheField)
{
    RandomInput random(1301);
    const DWORD sizes[] = {TrayRecordSize(400), TrayRecordSize(500), TrayRecordSize(600), 0,
                           static_cast<DWORD>(random.Any())};
    const size_t first = offsetof(NOTIFYICONDATAA, szTip);
    const size_t end = first + sizeof data.szTip;
    TTrackValues track;
    for (int round = 0; round < 3000; ++round) {
        for (std::string& value : track.TokenValues) value = random.Hostile(300);
        const std::string text = random.Chance(20) ? random.Bytes(random.Length(300, 128), true)
                                                   : ExpandTemplate(random.Hostile(400), track);
        std::memset(&data, 0xA5, sizeof data);
        data.cbSize = sizes[random.Below(5)];
        NOTIFYICONDATAA before;
        std::memcpy(&before, &data, sizeof data);
        SetTrayTip(text);

        const unsigned char* now = reinterpret_cast<const unsigned char*>(&data);
        const unsigned char* old = reinterpret_cast<const unsigned char*>(&before);
        ASSERT_EQ(std::memcmp(now, old, first), 0) << round;
        ASSERT_EQ(std::memcmp(now + end, old + end, sizeof data - end), 0) << round;
        const size_t shown = data.cbSize == TrayRecordSize(400) ? 64 : sizeof data.szTip;
        const size_t length = strnlen(data.szTip, shown);
        ASSERT_LT(length, shown) << round;
        ASSERT_EQ(std::string(data.szTip, length), text.substr(0, length)) << round;
        ASSERT_TRUE(length == shown - 1 || length == text.size() || text[length] == '\0') << round;
        ASSERT_EQ(data.szTip[shown - 1], '\0') << round;
    }
}

}  // namespace
