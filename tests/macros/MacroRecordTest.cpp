#include "macros/MacroRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexmo {
namespace {

MacroAction Key(uint8_t code) {
    return MacroAction::Press(code);
}

// A macro holding presses of the given codes, in order.
MacroRecord MacroOf(const std::vector<uint8_t>& codes) {
    MacroRecord macro("m");
    for (uint8_t code : codes) {
        EXPECT_TRUE(macro.InsertAction(macro.ActionCount, Key(code)));
    }
    return macro;
}

std::vector<uint8_t> UsedCodes(const MacroRecord& macro) {
    std::vector<uint8_t> codes;
    for (uint32_t i = 0; i < macro.ActionCount; ++i) {
        codes.push_back(macro.Actions[i].b0);
    }
    return codes;
}

TEST(MacroRecord, NewMacroHasDefaultsAndAllZeroActionText) {
    const MacroRecord macro("Name");
    EXPECT_EQ(macro.Name, "Name");
    EXPECT_EQ(macro.MacroKeyIndex, 0u);
    EXPECT_EQ(macro.ActionCount, 0u);
    EXPECT_EQ(macro.LoopType, 2);
    EXPECT_EQ(macro.LoopCount, 1);
    EXPECT_EQ(macro.CommandCount, 0);
    EXPECT_EQ(FormatAllActions(macro), std::string(2688, '0'));
}

TEST(MacroRecord, SetActionStoresWithinTheSlotsOnly) {
    MacroRecord macro;
    EXPECT_TRUE(macro.SetAction(335, Key(0x41)));
    EXPECT_EQ(macro.Actions[335], Key(0x41));
    EXPECT_EQ(macro.ActionCount, 0u);
    EXPECT_FALSE(macro.SetAction(336, Key(0x42)));
    EXPECT_FALSE(macro.SetAction(UINT32_MAX, Key(0x42)));
}

TEST(MacroRecord, InsertMovesLaterActionsUpOrAppends) {
    struct Case {
        const char* name;
        uint32_t position;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        {"front", 0, {0x50, 0x41, 0x42, 0x43}},
        {"middle", 1, {0x41, 0x50, 0x42, 0x43}},
        {"at the end", 3, {0x41, 0x42, 0x43, 0x50}},
        {"beyond the end appends", 200, {0x41, 0x42, 0x43, 0x50}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MacroRecord macro = MacroOf({0x41, 0x42, 0x43});
        ASSERT_TRUE(macro.InsertAction(c.position, Key(0x50)));
        EXPECT_EQ(UsedCodes(macro), c.expected);
        EXPECT_EQ(macro.Actions[4], MacroAction{});
    }
}

TEST(MacroRecord, InsertIntoFullMacroFailsAndLeavesItUnchanged) {
    MacroRecord macro;
    for (uint32_t i = 0; i < kMacroActionSlots; ++i) {
        ASSERT_TRUE(macro.InsertAction(i, Key(static_cast<uint8_t>(8 + i % 200))));
    }
    const MacroRecord before = macro;
    EXPECT_FALSE(macro.InsertAction(0, Key(0x41)));
    EXPECT_FALSE(macro.InsertAction(400, Key(0x41)));
    EXPECT_EQ(macro, before);
}

TEST(MacroRecord, RemoveMovesDownAndZeroesTheFreedSlots) {
    MacroRecord macro = MacroOf({0x41, 0x42, 0x43});
    ASSERT_TRUE(macro.RemoveAction(0));
    EXPECT_EQ(UsedCodes(macro), (std::vector<uint8_t>{0x42, 0x43}));
    ASSERT_TRUE(macro.RemoveAction(1)); // the last one
    EXPECT_EQ(UsedCodes(macro), (std::vector<uint8_t>{0x42}));
    EXPECT_EQ(macro.Actions[1], MacroAction{});
    EXPECT_EQ(macro.Actions[335], MacroAction{});
}

TEST(MacroRecord, RemoveFromAFullMacroClearsSlot335) {
    MacroRecord macro;
    for (uint32_t i = 0; i < kMacroActionSlots; ++i) {
        ASSERT_TRUE(macro.InsertAction(i, Key(0x41)));
    }
    ASSERT_TRUE(macro.RemoveAction(335));
    EXPECT_EQ(macro.ActionCount, 335u);
    EXPECT_EQ(macro.Actions[335], MacroAction{});
    ASSERT_TRUE(macro.RemoveAction(0));
    EXPECT_EQ(macro.Actions[333], Key(0x41));
    EXPECT_EQ(macro.Actions[334], MacroAction{});
}

TEST(MacroRecord, RemoveAtOrPastTheCountFails) {
    MacroRecord macro = MacroOf({0x41, 0x42});
    const MacroRecord before = macro;
    EXPECT_FALSE(macro.RemoveAction(2));
    EXPECT_FALSE(macro.RemoveAction(336));
    EXPECT_EQ(macro, before);
    // A count that was set beyond the slots by hand still never lets an index past them.
    macro.ActionCount = 1000;
    EXPECT_FALSE(macro.RemoveAction(500));
}

TEST(MacroRecord, CopyKeepsTheTargetsLibraryId) {
    MacroRecord from = MacroOf({0x41, 0x42});
    from.MacroKeyIndex = 7;
    from.LoopType = 4;
    from.LoopCount = 9;
    from.CommandCount = 2;
    from.Actions[300] = Key(0x55); // unused slots travel too
    MacroRecord to("old");
    to.MacroKeyIndex = 42;
    CopyMacroContent(from, to);
    EXPECT_EQ(to.MacroKeyIndex, 42u);
    to.MacroKeyIndex = from.MacroKeyIndex;
    EXPECT_EQ(to, from);
}

TEST(MacroActionHex, ActionsAreWrittenAsEightUpperCaseDigits) {
    struct Case {
        MacroAction action;
        const char* text;
    };
    const Case cases[] = {
        {{0x41, 0x00, 0x00, 0x00}, "41000000"},
        {{3, 0x00, 0x00, 0x32}, "03000032"},
        {{0xE5, 0x80, 0xAB, 0xFB}, "E580ABFB"},
        {MacroAction::Delay(15'300'000), "03E975A0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatAction(c.action), c.text);
    }
}

TEST(MacroActionHex, AllActionTextRoundTripsEverySlot) {
    MacroRecord macro = MacroOf({0x41, 0xE0});
    macro.SetAction(335, {0xFF, 0xEE, 0xDD, 0xCC});
    const std::string text = FormatAllActions(macro);
    ASSERT_EQ(text.size(), 2688u);
    EXPECT_EQ(text.substr(0, 16), "41000000E0000000");
    EXPECT_EQ(text.substr(2680), "FFEEDDCC");
    MacroRecord read;
    ASSERT_TRUE(ParseAllActions(text, read));
    EXPECT_EQ(read.Actions, macro.Actions);
    EXPECT_EQ(read.ActionCount, 0u); // the count comes from its own line
}

TEST(MacroActionHex, ReaderNeedsExactLengthAndReadsOddPairsAsFarAsTheyAreHex) {
    MacroRecord macro;
    macro.SetAction(0, Key(0x41));
    const MacroRecord before = macro;
    EXPECT_FALSE(ParseAllActions(std::string(2687, '0'), macro));
    EXPECT_FALSE(ParseAllActions(std::string(2689, '0'), macro));
    EXPECT_FALSE(ParseAllActions("", macro));
    EXPECT_EQ(macro, before);

    std::string text(2688, '0');
    text.replace(0, 8, "a1G7XY0f"); // lower case is hex too; a non-hex character ends the pair
    ASSERT_TRUE(ParseAllActions(text, macro));
    EXPECT_EQ(macro.Actions[0], (MacroAction{0xA1, 0x00, 0x00, 0x0F}));
    text.replace(0, 8, "1G2H3I4J");
    ASSERT_TRUE(ParseAllActions(text, macro));
    EXPECT_EQ(macro.Actions[0], (MacroAction{1, 2, 3, 4}));
}

TEST(MacroActionHex, ActionCountAboveTheSlotsIsMalformed) {
    struct Case {
        const char* text;
        bool ok;
        uint32_t count;
    };
    const Case cases[] = {
        {"0", true, 0},    {"3", true, 3},           {"336", true, 336},
        {"337", false, 0}, {"4294967296", false, 0}, {"99999999999999999999", false, 0},
        {"", false, 0},    {"-1", false, 0},         {"12abc", true, 12},
        {"abc", true, 0},  {" 7", true, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        uint32_t count = 555;
        EXPECT_EQ(ParseActionCount(c.text, count), c.ok);
        EXPECT_EQ(count, c.ok ? c.count : 555u);
    }
}

TEST(MacroAction, DelayEncodesMillisecondsBigEndianAndCapsAt24Bits) {
    EXPECT_EQ(MacroAction::Delay(50), (MacroAction{3, 0, 0, 0x32}));
    EXPECT_EQ(MacroAction::Delay(4095).DelayMs(), 4095u);
    EXPECT_EQ(MacroAction::Delay(0x1234567), (MacroAction{3, 0xFF, 0xFF, 0xFF}));
    EXPECT_TRUE((MacroAction{7, 0, 0, 1}).IsDelay());
    EXPECT_FALSE((MacroAction{8, 0, 0, 1}).IsDelay());
}

} // namespace
} // namespace vexmo
