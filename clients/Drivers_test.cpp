#include <gtest/gtest.h>

#include "clients/RnqDriver.h"
#include "clients/ZemDriver.h"
#include "plugin/Plugin.h"

namespace {

TEST(RnqPictureCell, RowByRowFromTheTopLeft)
{
    const std::pair<int, POINT> cells[] = {
        {0, {20, 50}}, {6, {200, 50}}, {7, {20, 75}}, {15, {50, 100}}, {-1, {20, 50}}};
    for (const auto& cell : cells) {
        const POINT point = RnqPictureCell(cell.first);
        EXPECT_EQ(point.x, cell.second.x) << cell.first;
        EXPECT_EQ(point.y, cell.second.y) << cell.first;
    }
}

TEST(ZemCaption, LongerThanTwentyEndsInTheEllipsis)
{
    EXPECT_EQ(CutCaption(std::string(20, 'a')), std::string(20, 'a'));
    EXPECT_EQ(CutCaption(std::string(25, 'b')), std::string(19, 'b') + "\x85");
    EXPECT_EQ(CutCaption("Группа - Очень длинная песня"), "Группа - Очень длин\x85");
    EXPECT_EQ(CutCaption(""), "");
}

TEST(ZemExpandSaved, StatusTwoBeforeStatusInAnyCase)
{
    TClient slot;
    slot.Saved[0].Caption = "Busy";
    slot.Saved[0].LongText = "at home";
    EXPECT_EQ(ZemExpandSaved(slot, "%Status2 / %Status"), "at home / Busy");
    EXPECT_EQ(ZemExpandSaved(slot, "%status. winamp: %STATUS2"), "Busy. winamp: at home");
    slot.SavedIndex = 1;
    slot.Saved[1].Caption = "Newer";
    EXPECT_EQ(ZemExpandSaved(slot, "%Status2|%Status"), "|Newer");
    slot.SavedIndex = 7;  // never past the two saved statuses
    EXPECT_EQ(ZemExpandSaved(slot, "%Status"), "Newer");
}

TEST(ClientKinds, CarryTheirDriversOperations)
{
    ModuleInit();
    EXPECT_EQ(ClientKinds[0].OpenStatusWindow, ZemOpenStatusWindow);
    EXPECT_EQ(ClientKinds[0].ApplyStatus, ZemApplyStatus);
    EXPECT_EQ(ClientKinds[1].OpenStatusWindow, RnqOpenStatusWindow);
    EXPECT_EQ(ClientKinds[1].ApplyStatus, RnqApplyStatus);
}

}  // namespace
