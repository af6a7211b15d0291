#include "device/MacroEncoding.h"

#include <gtest/gtest.h>

#include <set>

namespace vexmo {
namespace {

MacroRecord MacroOf(const std::vector<MacroAction>& actions) {
    MacroRecord macro("m");
    for (const MacroAction& action : actions) {
        macro.InsertAction(macro.ActionCount, action);
    }
    return macro;
}

struct EventCase {
    const char* name;
    std::vector<MacroAction> actions;
    MacroEvent expected; // event of action 0
};

class EventEncoding : public ::testing::TestWithParam<EventCase> {};

TEST_P(EventEncoding, TypeCodeAndDelay) {
    const EventCase& c = GetParam();
    EXPECT_EQ(EncodeMacroEvent(MacroOf(c.actions), 0), c.expected);
}

void PrintTo(const EventCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, EventEncoding,
    ::testing::Values(
        EventCase{"keyPressThen50ms", {MacroAction::Press(0x41), MacroAction::Delay(50)}, {0x30, 0x32, 0x04}},
        EventCase{"keyReleaseLast", {MacroAction::Release(0x41)}, {0xB0, 0x00, 0x04}},
        EventCase{
            "delayCappedAt4095", {MacroAction::Press(0x0D), MacroAction::Delay(70000)}, {0x3F, 0xFF, 0x28}},
        EventCase{"delay0x123", {MacroAction::Press(0x0D), MacroAction::Delay(0x123)}, {0x31, 0x23, 0x28}},
        // Only code 3 is a delay for the mouse; another delay code is not folded in.
        EventCase{"otherDelayCodeIsNoDelay",
                  {MacroAction::Press(0x41), MacroAction{5, 0, 0, 50}},
                  {0x30, 0x00, 0x04}},
        EventCase{"leftShiftIsAModifier", {MacroAction::Press(0xA0)}, {0x20, 0x00, 0x02}},
        EventCase{"rightWinIsAModifier", {MacroAction::Release(0x5C)}, {0xA0, 0x00, 0x80}},
        EventCase{"leftMouseButton", {MacroAction::Press(224)}, {0x10, 0x00, 0x01}},
        EventCase{"fifthMouseButton", {MacroAction::Release(228)}, {0x90, 0x00, 0x10}},
        EventCase{"moveX", {MacroAction{229, 0, 0, 0xFB}}, {0x40, 0x00, 0xFB}},
        EventCase{"moveY", {MacroAction{230, 0, 0, 0x05}}, {0x50, 0x00, 0x05}},
        EventCase{"wheel", {MacroAction{231, 0, 0, 0xFE}}, {0x60, 0x00, 0xFE}},
        EventCase{"keyWithoutUsage", {MacroAction::Press(0x0C)}, {0x30, 0x00, 0x00}}));

TEST(DeviceMacro, DelaysAreFoldedAndCountedEventsOnly) {
    const MacroRecord macro = MacroOf({MacroAction::Press(0x41), MacroAction::Delay(20),
                                       MacroAction::Release(0x41), MacroAction::Delay(30)});
    const DeviceMacro encoded = EncodeMacroForDevice(macro);
    EXPECT_EQ(encoded.eventCount, 2u);
    EXPECT_FALSE(encoded.Shortened());
    EXPECT_EQ(encoded.data, (std::vector<uint8_t>{0x30, 20, 0x04, 0xB0, 30, 0x04}));
    const MacroBlock block = BuildMacroBlock(3, encoded);
    EXPECT_EQ(block[0], 0x09);
    EXPECT_EQ(block[1], 0x90);
    EXPECT_EQ(block[2], 3);
    EXPECT_EQ(block[3], 2);
    EXPECT_EQ(block[4], 0x30);
    EXPECT_EQ(block[10], 0);
}

TEST(DeviceMacro, AMacroThatFitsIsNeverCutEvenIfItLeavesKeysDown) {
    std::vector<MacroAction> actions;
    for (int i = 0; i < 125; ++i) {
        actions.push_back(MacroAction::Press(static_cast<uint8_t>(0x41 + i % 26)));
    }
    const DeviceMacro encoded = EncodeMacroForDevice(MacroOf(actions));
    EXPECT_EQ(encoded.eventCount, 125u);
    EXPECT_FALSE(encoded.Shortened());
}

// Replays the event bytes and returns the keys still down at the end.
std::set<std::pair<uint8_t, uint8_t>> HeldAfter(const std::vector<uint8_t>& data) {
    std::set<std::pair<uint8_t, uint8_t>> held;
    for (size_t i = 0; i + 2 < data.size(); i += 3) {
        const uint8_t type = data[i] & 0x70;
        if (type != 0x30 && type != 0x20 && type != 0x10) {
            continue;
        }
        if ((data[i] & 0x80) != 0) {
            held.erase({type, data[i + 2]});
        } else {
            held.insert({type, data[i + 2]});
        }
    }
    return held;
}

TEST(DeviceMacro, ALongMacroIsCutToOneTransferAndReleasesWhatItHolds) {
    // Ctrl held around 167 A presses and releases with delays: 336 actions, 168 events.
    std::vector<MacroAction> actions{MacroAction::Press(0xA2)};
    for (int i = 0; i < 83; ++i) {
        actions.push_back(MacroAction::Press(0x41));
        actions.push_back(MacroAction::Delay(10));
        actions.push_back(MacroAction::Release(0x41));
        actions.push_back(MacroAction::Delay(10));
    }
    actions.push_back(MacroAction::Press(0x42));
    actions.push_back(MacroAction::Release(0x42));
    actions.push_back(MacroAction::Release(0xA2));
    const DeviceMacro encoded = EncodeMacroForDevice(MacroOf(actions));
    EXPECT_TRUE(encoded.Shortened());
    EXPECT_EQ(encoded.sourceEvents, 170u);
    EXPECT_LE(encoded.eventCount, kMaxDeviceMacroEvents);
    EXPECT_EQ(encoded.data.size(), encoded.eventCount * 3);
    EXPECT_TRUE(HeldAfter(encoded.data).empty());
    // Ctrl is released by an appended event: the last one, without a delay.
    const size_t last = encoded.data.size() - 3;
    EXPECT_EQ(encoded.data[last], 0xA0);
    EXPECT_EQ(encoded.data[last + 1], 0);
    EXPECT_EQ(encoded.data[last + 2], 0x01);
    EXPECT_EQ(encoded.eventCount, 124u); // 123 kept (ending on an A release) + the release of Ctrl
}

TEST(DeviceMacro, ActionCountBeyondTheSlotsIsBounded) {
    MacroRecord macro = MacroOf({MacroAction::Press(0x41)});
    macro.ActionCount = 5000; // a damaged record
    const DeviceMacro encoded = EncodeMacroForDevice(macro);
    EXPECT_LE(encoded.eventCount, kMaxDeviceMacroEvents);
    EXPECT_LE(encoded.data.size(), size_t{kMaxDeviceMacroEvents} * 3);
}

} // namespace
} // namespace vexmo
