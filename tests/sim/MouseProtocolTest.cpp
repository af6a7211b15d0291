#include "sim/MouseProtocol.h"
#include "sim/SimTestSupport.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace vexmo::sim {
namespace {

using test::Frame;

TEST(MouseProtocol, EachCommandStoresWhatItCarries) {
    struct Case {
        const char* name;
        Report frame;
        std::function<void(const MouseConfig&)> check;
    };
    const std::vector<uint8_t> dpi = {0x34, 0x1A, 8, 0, 16, 0, 32, 0, 64, 0, 128, 0, 0x20, 0x03, 0, 0, 0, 0};
    std::vector<uint8_t> colours(24);
    for (size_t i = 0; i < colours.size(); ++i) {
        colours[i] = static_cast<uint8_t>(0xA0 + i);
    }
    const std::vector<Case> cases = {
        {"button slot 4", Frame(0x04, 0x01, {4, 0x01, 0x10, 0x00}),
         [](const MouseConfig& c) {
             EXPECT_EQ(c.buttons[4], (std::array<uint8_t, 3>{0x01, 0x10, 0x00}));
         }},
        {"dpi block", Frame(0x05, 0x01, dpi),
         [&](const MouseConfig& c) {
             EXPECT_EQ(std::vector<uint8_t>(c.dpi.begin(), c.dpi.end()), dpi);
             EXPECT_EQ(ActiveLevelPosition(c), 3);
             EXPECT_EQ(LevelDpi(c, 5), 800 * 50);
         }},
        {"dpi colours", Frame(0x06, 0x01, colours),
         [&](const MouseConfig& c) {
             EXPECT_EQ(std::vector<uint8_t>(c.dpiColours.begin(), c.dpiColours.end()), colours);
         }},
        {"report rate", Frame(0x07, 0x01, {8}), [](const MouseConfig& c) { EXPECT_EQ(c.rateCode, 8); }},
        {"lighting mode 2 with three colours", Frame(0x08, 0x01, {2, 0x53, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}),
         [](const MouseConfig& c) {
             EXPECT_EQ(c.lighting, (std::vector<uint8_t>{2, 0x53, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
         }},
        {"lift-off", Frame(0x09, 0x01, {1, 0}),
         [](const MouseConfig& c) {
             EXPECT_EQ(c.liftOff, (std::array<uint8_t, 2>{1, 0}));
         }},
        {"debounce", Frame(0x0A, 0x01, {12}), [](const MouseConfig& c) { EXPECT_EQ(c.debounce, 12); }},
        {"power", Frame(0x0B, 0x01, {30, 1}),
         [](const MouseConfig& c) {
             EXPECT_EQ(c.power, (std::array<uint8_t, 2>{30, 1}));
         }},
        {"motion wake-up", Frame(0x0C, 0x01, {1}),
         [](const MouseConfig& c) { EXPECT_EQ(c.motionWakeup, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseConfig config = FactoryConfig();
        MacroAssembly assembly;
        const FrameOutcome outcome = ApplyHostFrame(c.frame, config, assembly);
        EXPECT_TRUE(outcome.accepted) << outcome.rejection;
        c.check(config);
    }
}

TEST(MouseProtocol, FactoryResetRestoresDefaults) {
    MouseConfig config = FactoryConfig();
    MacroAssembly assembly;
    ASSERT_TRUE(ApplyHostFrame(Frame(0x07, 0x01, {8}), config, assembly).accepted);
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0E, 0x01, {1}), config, assembly).accepted);
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0F, 0x01, {0xFF}), config, assembly).accepted);
    EXPECT_EQ(config.rateCode, FactoryConfig().rateCode);
    EXPECT_FALSE(config.macros[1].has_value());
}

TEST(MouseProtocol, MalformedFramesChangeNothing) {
    struct Case {
        const char* name;
        Report frame;
    };
    Report wrongId = Frame(0x07, 0x01, {8});
    wrongId[0] = 0x0B;
    Report wrongDirection = Frame(0x07, 0x01, {8});
    wrongDirection[1] = 0x02;
    Report reservedSet = Frame(0x07, 0x01, {8});
    reservedSet[3] = 0x01;
    Report trailingGarbage = Frame(0x07, 0x01, {8});
    trailingGarbage[32] = 0x55;
    Report lengthPastFrame = Frame(0x0B, 0x01, {30, 1});
    lengthPastFrame[6] = 0xFF;
    const std::vector<Case> cases = {
        {"wrong report ID", wrongId},
        {"direction byte not 01", wrongDirection},
        {"reserved byte set", reservedSet},
        {"non-zero byte after payload", trailingGarbage},
        {"payload length past the frame", lengthPastFrame},
        {"unknown command", Frame(0x0D, 0x01, {1})},
        {"single command with chunk byte 02", Frame(0x07, 0x02, {8})},
        {"button command one byte short", Frame(0x04, 0x01, {4, 1, 2})},
        {"button slot 6", Frame(0x04, 0x01, {6, 1, 2, 3})},
        {"unknown report interval", Frame(0x07, 0x01, {3})},
        {"dpi block 17 bytes", Frame(0x05, 0x01, std::vector<uint8_t>(17, 1))},
        {"lighting with only one byte", Frame(0x08, 0x01, {0})},
        {"lighting 26 bytes", Frame(0x08, 0x01, std::vector<uint8_t>(26, 1))},
        {"factory reset without FF", Frame(0x0F, 0x01, {0x00})},
        {"status query with chunk byte 01", Frame(0x20, 0x01, {})},
        {"status query with payload", Frame(0x20, 0x00, {1})},
        {"macro chunk count 0", Frame(0x0E, 0x00, {1})},
        {"macro chunk index past count", Frame(0x0E, 0x22, {1})},
        {"macro slot 16", Frame(0x0E, 0x01, {16})},
        {"macro chunk without slot byte", Frame(0x0E, 0x01, {})},
        {"first of two chunks not full", Frame(0x0E, 0x02, {1, 2, 3})},
        {"second chunk without first", Frame(0x0E, 0x12, {1, 2, 3})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MouseConfig config = FactoryConfig();
        MacroAssembly assembly;
        const FrameOutcome outcome = ApplyHostFrame(c.frame, config, assembly);
        EXPECT_FALSE(outcome.accepted);
        EXPECT_FALSE(outcome.rejection.empty());
        const MouseConfig factory = FactoryConfig();
        EXPECT_EQ(config.rateCode, factory.rateCode);
        EXPECT_EQ(config.buttons, factory.buttons);
        EXPECT_EQ(config.dpi, factory.dpi);
        EXPECT_EQ(config.lighting, factory.lighting);
        EXPECT_EQ(config.power, factory.power);
        for (const auto& macro : config.macros) {
            EXPECT_FALSE(macro.has_value());
        }
    }
}

// 30 data bytes: chunk 0x02 with length 26 then chunk 0x12 with length 6 (slot byte + 5).
TEST(MouseProtocol, MacroChunksAssembleInOrder) {
    std::vector<uint8_t> data(30);
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(i + 1);
    }
    std::vector<uint8_t> first = {3};
    first.insert(first.end(), data.begin(), data.begin() + 25);
    std::vector<uint8_t> second = {3};
    second.insert(second.end(), data.begin() + 25, data.end());

    MouseConfig config = FactoryConfig();
    MacroAssembly assembly;
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0E, 0x02, first), config, assembly).accepted);
    EXPECT_FALSE(config.macros[3].has_value()) << "stored before its last chunk";
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0E, 0x12, second), config, assembly).accepted);
    ASSERT_TRUE(config.macros[3].has_value());
    EXPECT_EQ(*config.macros[3], data);

    // An empty macro is one report: chunk 0x01, length 1, no data.
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0E, 0x01, {5}), config, assembly).accepted);
    ASSERT_TRUE(config.macros[5].has_value());
    EXPECT_TRUE(config.macros[5]->empty());
}

TEST(MouseProtocol, InterruptedMacroIsNotStored) {
    std::vector<uint8_t> full(26, 7);
    full[0] = 2;
    MouseConfig config = FactoryConfig();
    MacroAssembly assembly;
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0E, 0x03, full), config, assembly).accepted);
    // Chunk 2 of 3 skipped: the last chunk must be refused and nothing stored.
    EXPECT_FALSE(ApplyHostFrame(Frame(0x0E, 0x23, {2, 1}), config, assembly).accepted);
    EXPECT_FALSE(config.macros[2].has_value());
    // A chunk for another slot in the middle also abandons the first macro.
    ASSERT_TRUE(ApplyHostFrame(Frame(0x0E, 0x02, full), config, assembly).accepted);
    std::vector<uint8_t> other(26, 7);
    other[0] = 4;
    EXPECT_FALSE(ApplyHostFrame(Frame(0x0E, 0x12, {4, 1}), config, assembly).accepted);
    EXPECT_FALSE(ApplyHostFrame(Frame(0x0E, 0x12, {2, 1}), config, assembly).accepted);
    EXPECT_FALSE(config.macros[2].has_value());
}

TEST(MouseProtocol, StatusReplyLayout) {
    MouseStatus status{0x60, 57, ChargeState::Charging, true};
    const Report reply = BuildStatusReply(status, 0x2A, false);
    EXPECT_EQ(reply[0], 0x0C);
    EXPECT_EQ(reply[2], 0x20);
    EXPECT_EQ(reply[3], 0x00);
    EXPECT_EQ(reply[4], 0x2A);
    EXPECT_NE(reply[6], 0);
    EXPECT_EQ(std::string(reply.begin() + 8, reply.begin() + 12), "R417");
    EXPECT_EQ(reply[15], 0x60);
    EXPECT_EQ(reply[18], 57);
    EXPECT_EQ(reply[19], 1);
    EXPECT_EQ(reply[21], 1);

    status.link = false;
    status.charge = ChargeState::Charged;
    const Report unlinked = BuildStatusReply(status, 1, false);
    EXPECT_EQ(unlinked[19], 2);
    EXPECT_EQ(unlinked[21], 0);

    const Report empty = BuildStatusReply(status, 1, true);
    EXPECT_EQ(empty[2], 0x20);
    EXPECT_EQ(empty[6], 0);
    EXPECT_EQ(empty[15], 0);
}

TEST(MouseProtocol, DpiButtonStepsThroughEnabledLevels) {
    MouseConfig config = FactoryConfig();
    config.dpi[1] = 0x1A;       // levels 1, 3 and 4
    config.dpi[0] = 2 << 4 | 3; // second enabled level active
    ASSERT_TRUE(StepDpiLevel(config));
    EXPECT_EQ(config.dpi[0], 3 << 4 | 3);
    const Report report = BuildSettingChangedReport(config);
    EXPECT_EQ(report[0], 0x05);
    EXPECT_EQ(report[1], 0x06);
    EXPECT_EQ(report[3], config.rateCode);
    EXPECT_EQ(report[4], 3);
    ASSERT_TRUE(StepDpiLevel(config));
    EXPECT_EQ(ActiveLevelPosition(config), 1) << "wraps after the last enabled level";

    config.dpi[0] = 9 << 4 | 3; // a position the host should never have sent
    ASSERT_TRUE(StepDpiLevel(config));
    EXPECT_EQ(ActiveLevelPosition(config), 1);

    config.dpi[1] = 0;
    EXPECT_FALSE(StepDpiLevel(config));
}

TEST(MouseProtocol, RateButtonCyclesThroughTheFourRates) {
    MouseConfig config = FactoryConfig();
    config.rateCode = 8;
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        StepReportRate(config);
        seen.push_back(RateHz(config.rateCode));
    }
    EXPECT_EQ(seen, (std::vector<int>{250, 500, 1000, 125, 250}));
}

} // namespace
} // namespace vexmo::sim

namespace vexmo::sim {
namespace {

// Random frames with a valid header reach every check; whatever is rejected changes nothing
// and nothing reads past the frame (the sanitizers watch).
TEST(MouseProtocol, RandomFramesNeverCorruptTheMouse) {
    std::mt19937 random(20240430);
    std::uniform_int_distribution<int> byte(0, 255);
    const uint8_t commands[] = {0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0E, 0x0F, 0x20, 0x33};
    MouseConfig config = FactoryConfig();
    MacroAssembly assembly;
    for (int i = 0; i < 20000; ++i) {
        Report frame{};
        for (auto& b : frame) {
            b = static_cast<uint8_t>(byte(random));
        }
        frame[0] = kFeatureReportId;
        frame[1] = 0x01;
        frame[2] = commands[static_cast<size_t>(byte(random)) % std::size(commands)];
        frame[3] = 0;
        frame[6] = static_cast<uint8_t>(byte(random) % 28);
        // Usually honour the zero padding, so the per-command checks are reached too.
        if (byte(random) < 200) {
            std::fill(frame.begin() + 7 + std::min<int>(frame[6], 26), frame.end(), 0);
        }
        const MouseConfig before = config;
        const FrameOutcome outcome = ApplyHostFrame(frame, config, assembly);
        if (!outcome.accepted) {
            ASSERT_EQ(config.buttons, before.buttons);
            ASSERT_EQ(config.dpi, before.dpi);
            ASSERT_EQ(config.lighting, before.lighting);
            ASSERT_EQ(config.macros, before.macros);
        }
        ASSERT_LE(config.lighting.size(), 25u);
        ASSERT_LT(config.dpi[0] & 0x0F, 16);
    }
}

} // namespace
} // namespace vexmo::sim
