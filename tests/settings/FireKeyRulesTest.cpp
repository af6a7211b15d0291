#include "settings/FireKeyRules.h"
#include "settings/LanguageTable.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

TEST(FireKeyRules, ConfirmNeedsAFirstValueAboveFour) {
    LanguageTable language;
    language.Set(26, "Fire key+");
    struct Case {
        int first;
        int second;
        bool assigned;
        KeyFunctionCode code;
    };
    const Case cases[] = {
        {50, 0, true, {0x30, 50, 0}},
        {5, 255, true, {0x30, 5, 255}},
        {255, 7, true, {0x30, 255, 7}},
        {4, 0, false, {}},
        {0, 0, false, {}},
        {-3, 0, false, {}},
        // a value typed after the last clamp is taken as 255, never wrapped into its byte
        {300, 256, true, {0x30, 255, 255}},
        {6, -1, true, {0x30, 6, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << "/" << c.second);
        const auto choice = BuildFireKey(c.first, c.second, language);
        ASSERT_EQ(choice.has_value(), c.assigned);
        if (choice) {
            EXPECT_EQ(choice->name, "Fire key");
            EXPECT_EQ(choice->code, c.code);
        }
    }
}

TEST(FireKeyRules, NameKeepsTextWithoutTrailingPlus) {
    LanguageTable language;
    language.Set(26, "Fire");
    EXPECT_EQ(BuildFireKey(10, 0, language)->name, "Fire");
    language.Set(26, "");
    EXPECT_EQ(BuildFireKey(10, 0, language)->name, "");
}

TEST(FireKeyRules, TypedValuesAreCutTo255) {
    struct Case {
        const char* text;
        int value;
        const char* clamped; // nullptr: left alone
    };
    const Case cases[] = {
        {"50", 50, nullptr}, {"255", 255, nullptr},  {"256", 256, "255"},
        {"300", 300, "255"}, {"", 0, nullptr},       {"12x", 12, nullptr},
        {"x12", 0, nullptr}, {"0255", 255, nullptr}, {"99999999999999999999", 1000000, "255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadFireValue(c.text), c.value);
        const auto clamped = ClampedFireValueText(c.text);
        if (c.clamped == nullptr) {
            EXPECT_FALSE(clamped);
        } else {
            EXPECT_EQ(clamped, c.clamped);
        }
    }
}

TEST(FireKeyRules, OnlyDigitsAndBackspaceAreQuiet) {
    for (char32_t c : {U'0', U'5', U'9', char32_t{0x08}}) {
        EXPECT_TRUE(IsFireValueCharacter(c));
    }
    for (char32_t c : {U'a', U'-', U' ', U'/', U':', char32_t{0x0D}, U'٣'}) {
        EXPECT_FALSE(IsFireValueCharacter(c));
    }
}

} // namespace
} // namespace vexmo
