#include "device/InputReport.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexmo {
namespace {

TEST(InputReport, SettingChangeIsDecoded) {
    std::vector<uint8_t> report(33, 0xFF);
    report[0] = 0x05;
    report[1] = 0x06;
    report[3] = 4;
    report[4] = 3;
    const auto change = DecodeSettingChange(report);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->intervalCode, 4);
    EXPECT_EQ(change->levelByte, 3);
}

TEST(InputReport, OtherOrShortReportsAreIgnored) {
    EXPECT_FALSE(DecodeSettingChange(std::vector<uint8_t>{0x05, 0x07, 0, 8, 1}));
    EXPECT_FALSE(DecodeSettingChange(std::vector<uint8_t>{0x04, 0x06, 0, 8, 1}));
    EXPECT_FALSE(DecodeSettingChange(std::vector<uint8_t>{0x05, 0x06, 0, 8}));
    EXPECT_FALSE(DecodeSettingChange(std::vector<uint8_t>{}));
}

TEST(InputReport, IntervalCodesAndRateIndexes) {
    const std::pair<uint8_t, uint8_t> cases[] = {{8, 0}, {4, 1}, {2, 2}, {1, 3}, {0, 3}, {16, 3}};
    for (const auto& [interval, index] : cases) {
        EXPECT_EQ(RateIndexForInterval(interval), index) << int(interval);
    }
    const std::pair<uint8_t, uint8_t> back[] = {{0, 8}, {1, 4}, {2, 2}, {3, 1}, {9, 1}};
    for (const auto& [index, interval] : back) {
        EXPECT_EQ(IntervalForRateIndex(index), interval) << int(index);
    }
}

TEST(InputReport, EnabledLevelPositions) {
    // Levels 1, 3 and 4 enabled (levels counted from 1 on the mouse, bits from 0 here).
    const uint8_t mask = 0b00001101;
    EXPECT_EQ(EnabledLevelCount(mask), 3);
    EXPECT_EQ(EnabledLevelAt(mask, 0), 0);
    EXPECT_EQ(EnabledLevelAt(mask, 1), 2);
    EXPECT_EQ(EnabledLevelAt(mask, 2), 3);
    EXPECT_FALSE(EnabledLevelAt(mask, 3));
    EXPECT_FALSE(EnabledLevelAt(0, 0));
}

} // namespace
} // namespace vexmo
