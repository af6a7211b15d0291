#include "settings/KeyFunctionCode.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

TEST(KeyFunctionCode, TextFormRoundTrips) {
    struct Case {
        KeyFunctionCode code;
        const char* text;
    };
    const Case cases[] = {
        {kLeftButtonCode, "100100"},    {kNoFunctionCode, "000000"},    {ConsumerCode(0x0192), "809201"},
        {{0x70, 0x05, 0x04}, "700504"}, {{0xAB, 0xCD, 0xEF}, "ABCDEF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatKeyFunctionCode(c.code), c.text);
        EXPECT_EQ(ParseKeyFunctionCode(c.text), c.code) << c.text;
    }
}

TEST(KeyFunctionCode, ReaderTakesWhatIsHexAndReadsTheRestAsZero) {
    struct Case {
        const char* text;
        KeyFunctionCode code;
    };
    const Case cases[] = {
        {"XYZ", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"10", {0x10, 0, 0}},
        {"1001", {0x10, 0x01, 0}},
        {"10010", {0x10, 0x01, 0}},
        {"abcdef", {0xAB, 0xCD, 0xEF}},
        {"1G0Z7-", {0x01, 0x00, 0x07}},
        {"10010099", {0x10, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseKeyFunctionCode(c.text), c.code) << c.text;
    }
}

TEST(KeyFunctionCode, HexPairAtOffsetStaysInsideTheText) {
    EXPECT_EQ(ReadHexPair("01|FF|7f", 3), 0xFF);
    EXPECT_EQ(ReadHexPair("01|FF|7f", 6), 0x7F);
    EXPECT_EQ(ReadHexPair("01|FF|7", 6), 0x07);
    EXPECT_EQ(ReadHexPair("01", 2), 0);
    EXPECT_EQ(ReadHexPair("01", 1000), 0);
}

} // namespace
} // namespace vexmo
