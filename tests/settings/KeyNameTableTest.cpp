#include "settings/KeyNameTable.h"
#include "settings/ValueTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexmo {
namespace {

TEST(KeyNameTable, NamesByVirtualKey) {
    struct Case {
        uint32_t key;
        const char* name;
    };
    const Case cases[] = {
        {0x00, "Undefined"},
        {0x01, "LBUTTON"},
        {0x06, "XBUTTON2"},
        {0x07, "Undefined"},
        {0x08, "Backspace"},
        {0x09, "Tab"},
        {0x0A, "Undefined"},
        {0x0C, "Clear"},
        {0x0D, "Enter"},
        {0x0E, "Undefined"},
        {0x10, "Shift"},
        {0x15, "Kana"},
        {0x16, "Undefined"},
        {0x17, "junja"},
        {0x19, "Hanja"},
        {0x1A, "Undefined"},
        {0x1B, "Esc"},
        {0x1F, "ModeChange"},
        {0x20, "Space"},
        {0x21, "Page Up"},
        {0x28, "Down Arrow"},
        {0x29, "Select"},
        {0x2C, "Print Screen"},
        {0x2F, "Help"},
        {0x30, "0"},
        {0x39, "9"},
        {0x3A, "Undefined"},
        {0x41, "A"},
        {0x5A, "Z"},
        {0x5B, "Win_L"},
        {0x5D, "App"},
        {0x5E, "Undefined"},
        {0x5F, "Sleep"},
        {0x60, "Num0"},
        {0x69, "Num9"},
        {0x6A, "Multiply"},
        {0x6F, "Divide"},
        {0x70, "F1"},
        {0x7B, "F12"},
        {0x87, "F24"},
        {0x88, "Undefined"},
        {0x90, "Num Lock"},
        {0x91, "Scroll Lock"},
        {0xA0, "Shift_L"},
        {0xA5, "Alt_R"},
        {0xA6, "Undefined"},
        {0xBA, ";"},
        {0xC0, "~"},
        {0xC1, "Undefined"},
        {0xDB, "["},
        {0xDC, "\\"},
        {0xDE, "'"},
        {0xDF, "Undefined"},
        {0xE0, "L Key"},
        {0xE4, "K5"},
        {0xE7, "Mouse Wheel"},
        {0xE8, "Undefined"},
        {0xFF, "Undefined"},
        {0x100, "Undefined"},
        {0xFFFFFFFF, "Undefined"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(KeyName(c.key), c.name);
    }
}

TEST(KeyNameTable, EveryCodeHasANameAndTheDefinedOnesAreAsListed) {
    int defined = 0;
    for (std::string_view name : KeyNameTable()) {
        EXPECT_FALSE(name.empty());
        defined += name != kUndefinedKeyName;
    }
    // 6+4+6+3+5+9+7+10+26+4+10+6+24+2+6+7+4+8 names in the table.
    EXPECT_EQ(defined, 147);
}

TEST(ValueTexts, ListsAndPercentagesByPosition) {
    const auto join = [](std::span<const std::string_view> texts) {
        std::string all;
        for (std::string_view t : texts) {
            all += std::string(t) + ",";
        }
        return all;
    };
    EXPECT_EQ(join(PollingRateTexts()), "125Hz,250Hz,500Hz,1000Hz,");
    EXPECT_EQ(join(DpiLockTexts()), "200,300,400,500,600,700,800,900,1000,1100,1200,");
    EXPECT_EQ(join(PercentTexts()), "25%,50%,75%,100%,");
    struct Case {
        int position;
        const char* text;
    };
    const Case cases[] = {{0, "25%"}, {3, "100%"}, {4, "25%"}, {6, "75%"}, {-1, "100%"}, {-4, "25%"}};
    for (const Case& c : cases) {
        EXPECT_EQ(PercentText(c.position), c.text) << c.position;
    }
}

} // namespace
} // namespace vexmo
