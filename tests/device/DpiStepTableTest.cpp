#include "device/DpiStepTable.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

struct SensorSteps {
    uint16_t model;
    size_t count;
    // (index, DPI) samples, including every seam between runs.
    std::vector<std::pair<size_t, uint32_t>> samples;
};

class DpiTable : public ::testing::TestWithParam<SensorSteps> {};

TEST_P(DpiTable, StepCountAndValues) {
    const SensorSteps& s = GetParam();
    std::vector<uint16_t> table;
    ASSERT_TRUE(BuildDpiTable(s.model, table));
    EXPECT_EQ(table.size(), s.count);
    for (const auto& [index, dpi] : s.samples) {
        ASSERT_LT(index, table.size());
        EXPECT_EQ(table[index] * kDpiUnit, dpi) << "index " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sensors, DpiTable,
    ::testing::Values(SensorSteps{0x3104, 48, {{0, 100}, {39, 4000}, {40, 4500}, {41, 4800}, {47, 8000}}},
                      SensorSteps{0x3212, 42, {{0, 200}, {22, 2400}, {23, 3000}, {41, 4800}}},
                      SensorSteps{0x3325, 59, {{0, 200}, {48, 5000}, {49, 5500}, {58, 10000}}},
                      SensorSteps{0x3327, 74, {{0, 200}, {60, 6200}, {61, 6500}, {72, 12000}, {73, 12400}}},
                      SensorSteps{0x3335, 160, {{0, 100}, {159, 16000}}},
                      SensorSteps{0x3389, 160, {{0, 100}, {159, 16000}}},
                      SensorSteps{0x3360, 121, {{0, 100}, {119, 12000}, {120, 24000}}},
                      SensorSteps{0x3370, 290, {{0, 50}, {199, 10000}, {200, 10100}, {289, 19000}}},
                      SensorSteps{0x3395, 520, {{0, 50}, {519, 26000}}},
                      SensorSteps{0x3399, 400, {{0, 50}, {399, 20000}}}));

TEST(DpiTable, UnknownSensorKeepsThePreviousTable) {
    std::vector<uint16_t> table;
    ASSERT_TRUE(BuildDpiTable(0x3212, table));
    EXPECT_FALSE(BuildDpiTable(0x1234, table));
    EXPECT_EQ(table.size(), 42u);
}

TEST(DpiTable, IndexPastTheTableReadsTheLastStep) {
    std::vector<uint16_t> table;
    ASSERT_TRUE(BuildDpiTable(0x3212, table));
    EXPECT_EQ(DpiStepValue(table, 41), 4800 / kDpiUnit);
    EXPECT_EQ(DpiStepValue(table, 42), 4800 / kDpiUnit);
    EXPECT_EQ(DpiStepValue(table, 65535), 4800 / kDpiUnit);
    EXPECT_EQ(DpiStepValue({}, 3), 0);
}

} // namespace
} // namespace vexmo
