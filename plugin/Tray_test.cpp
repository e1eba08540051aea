#include "plugin/Tray.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "plugin/Plugin.h"
#include "plugin/gen_ZEM.h"

namespace {

TEST(TrayRecord, SizeFollowsTheShellVersion)
{
    const DWORD v1 = offsetof(NOTIFYICONDATAA, szTip) + 64;
    const DWORD v2 = offsetof(NOTIFYICONDATAA, guidItem);
    EXPECT_EQ(TrayRecordSize(600), sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(TrayRecordSize(601), v2);
    EXPECT_EQ(TrayRecordSize(500), v2);
    EXPECT_EQ(TrayRecordSize(471), v1);
    EXPECT_EQ(TrayRecordSize(400), v1);
    EXPECT_GE(ShellVersion(), 400);
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

}  // namespace
