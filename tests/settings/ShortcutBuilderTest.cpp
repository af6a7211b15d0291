#include "settings/ShortcutBuilder.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

TEST(ShortcutBuilder, NameAndCodeFromTheBoxesAndTheKey) {
    struct Case {
        const char* name;
        ShortcutState state;
        const char* expectedName; // nullptr: nothing assigned
        KeyFunctionCode code;
    };
    const Case cases[] = {
        {"ctrl alt A", {false, true, false, true, false, 0x41}, "Ctrl+Alt+A", {0x70, 0x05, 0x04}},
        {"all four and F1",
         {false, true, true, true, true, 0x70},
         "Ctrl+Shift+Alt+Win+F1",
         {0x70, 0x0F, 0x3A}},
        {"switched off", {true, true, true, true, true, 0x70}, "F1", {0x70, 0x00, 0x3A}},
        {"ctrl without key", {false, true, false, false, false, std::nullopt}, "Ctrl", {0x70, 0x01, 0x00}},
        {"win shift without key",
         {false, false, true, false, true, std::nullopt},
         "Shift+Win",
         {0x70, 0x0A, 0x00}},
        {"nothing at all", {false, false, false, false, false, std::nullopt}, nullptr, {}},
        {"switched off, no key", {true, true, false, false, false, std::nullopt}, nullptr, {}},
        {"key without usage", {false, false, false, false, false, 0x0C}, "Clear", {0x70, 0x00, 0x00}},
        {"key named with +", {false, true, false, false, false, 0xBB}, "Ctrl+=", {0x70, 0x01, 0x2E}},
        {"undefined key", {false, false, false, false, false, 0xFF}, "Undefined", {0x70, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto choice = BuildShortcut(c.state);
        if (c.expectedName == nullptr) {
            EXPECT_FALSE(choice);
            continue;
        }
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->name, c.expectedName);
        EXPECT_EQ(choice->code, c.code);
        EXPECT_EQ(choice->macro, nullptr);
    }
}

TEST(ShortcutBuilder, ModifierKeysAndCodesAbove255AreNotCaptured) {
    for (uint32_t key : {0x5Bu, 0x5Cu, 0xA0u, 0xA1u, 0xA2u, 0xA3u, 0xA4u, 0xA5u, 0x100u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(ShortcutTakesKey(key)) << key;
    }
    // The generic Shift/Ctrl/Alt codes are ordinary keys here, as are the neighbours of the ranges.
    for (uint32_t key : {0x10u, 0x11u, 0x12u, 0x41u, 0x5Au, 0x5Du, 0x9Fu, 0xA6u, 0xFFu}) {
        EXPECT_TRUE(ShortcutTakesKey(key)) << key;
    }
}

} // namespace
} // namespace vexmo
