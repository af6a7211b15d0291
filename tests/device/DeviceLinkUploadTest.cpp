#include "LinkFixture.h"

#include "settings/SettingPair.h"

#include <functional>

namespace vexmo::test {
namespace {

// A whole 33-byte frame from its leading bytes in hex (spaces ignored), zero-padded.
std::vector<uint8_t> FrameBytes(const std::string& hex) {
    std::vector<uint8_t> bytes;
    std::string digits;
    for (char c : hex) {
        if (c != ' ') {
            digits += c;
        }
    }
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    bytes.resize(33, 0);
    return bytes;
}

TEST_F(LinkTest, FullUploadWithEveryShadowUnknownIsByteExactInOrderAndPaced) {
    Connect(true, false);
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    const std::vector<std::string> expected = {
        "0c 01 04 00 01 01 04 00 100100",
        "0c 01 04 00 02 01 04 01 100200",
        "0c 01 04 00 03 01 04 02 100400",
        "0c 01 04 00 04 01 04 03 100800", // device slot 3 carries profile button 4 (back)
        "0c 01 04 00 05 01 04 04 101000", // device slot 4 carries profile button 3 (forward)
        "0c 01 04 00 06 01 04 05 400100",
        "0c 01 05 00 07 01 12 26 3f 1000 2000 3000 4000 8000 a000 0000 0000",
        "0c 01 06 00 08 01 18 ff0000 0000ff 00ff00 ff00ff ffff00 00ffff ffffff ffffff",
        "0c 01 07 00 09 01 01 02",
        "0c 01 09 00 0a 01 02 02 00",
        "0c 01 0a 00 0b 01 01 0c",
        "0c 01 08 00 0c 01 02 00 22",
        "0c 01 0b 00 0d 01 02 06 00",
        "0c 01 0c 00 0e 01 01 01",
    };
    const std::vector<Frame> sets = TakeSets();
    ASSERT_EQ(sets.size(), expected.size());
    for (size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i].bytes, FrameBytes(expected[i])) << "report " << i;
        EXPECT_EQ(sets[i].kind, "wired");
        EXPECT_EQ(sets[i].ms, 60 * i) << "report " << i;
    }
    EXPECT_EQ(clock.NowMs(), 60u * expected.size());
    EXPECT_EQ(mouse.Snapshot().framesRejected, 0u);
    EXPECT_EQ(host.progressShown, 0); // discovery asked for no progress dialog
    EXPECT_EQ(host.saveTimerRestarts, 1);
}

struct EditCase {
    const char* name;
    std::function<void(ProfileRecord&)> edit;
    ChangeFlags flags;
    std::vector<std::string> frames; // payload part: offset 6 onward
    uint64_t durationMs;
};

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.name;
}

class OnlyWhatDiffers : public LinkTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(OnlyWhatDiffers, OneReportPerChangedBlock) {
    const EditCase& c = GetParam();
    Connect(true, true);
    link.SyncShadows();
    link.ApplyChanges(); // what discovery raised: nothing differs
    ASSERT_TRUE(TakeSets().empty());
    const uint64_t start = clock.NowMs();
    c.edit(host.Current());
    link.RaiseChangeFlags(c.flags);
    link.ApplyChanges();
    const std::vector<Frame> sets = TakeSets();
    ASSERT_EQ(sets.size(), c.frames.size());
    for (size_t i = 0; i < sets.size(); ++i) {
        EXPECT_EQ(sets[i].kind, "wired"); // with both connected, only the cable is used
        const std::vector<uint8_t> payload(sets[i].bytes.begin() + 6, sets[i].bytes.end());
        std::vector<uint8_t> expected = FrameBytes(c.frames[i]);
        expected.resize(27);
        EXPECT_EQ(payload, expected) << i;
    }
    EXPECT_EQ(clock.NowMs() - start, c.durationMs);
    EXPECT_EQ(host.progressShown, c.frames.empty() ? 0 : 1);
    EXPECT_EQ(mouse.Snapshot().framesRejected, 0u);
}

ProfileRecord& SelectLightingColours(ProfileRecord& p) {
    p.Lighting1ModeValue[0] = 2;
    p.Lighting1ColorSelected[2] = {1, 1, 0, 1, 0, 1, 0};
    p.Lighting1FixedColor[2] = {ColorFromRgb(1, 2, 3), 0, ColorFromRgb(7, 7, 7),
                                ColorFromRgb(4, 5, 6), 0, ColorFromRgb(0xAA, 0xBB, 0xCC),
                                ColorFromRgb(9, 9, 9)};
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Edits, OnlyWhatDiffers,
    ::testing::Values(EditCase{"forwardButton",
                               [](ProfileRecord& p) {
                                   p.keys[3].code = {0x10, 0x01, 0x00};
                               },
                               {true, false, false, false},
                               {"04 04 100100"},
                               360},
                      EditCase{"disableDpiLevel",
                               [](ProfileRecord& p) { p.DPIOffOnFlagValue = 0x1F; },
                               {false, true, false, false},
                               {"12 25 1f 1000 2000 3000 4000 8000 a000 0000 0000"},
                               60},
                      EditCase{"lightingColourCycle",
                               [](ProfileRecord& p) { SelectLightingColours(p); },
                               {false, true, false, false},
                               {"0c 02 22 03 010203 040506 aabbcc"},
                               60},
                      EditCase{"reportRateAndDebounce",
                               [](ProfileRecord& p) {
                                   p.PollingRateValue = {0, 0, 0};
                                   p.settings[kKeyDebounceSetting].value = "8";
                               },
                               {false, true, false, false},
                               {"01 08", "01 08"},
                               120},
                      EditCase{"power",
                               [](ProfileRecord& p) { p.settings[kPowerDownTimeSetting].value = "3"; },
                               {false, false, true, false},
                               {"02 03 00"},
                               60},
                      EditCase{"motion",
                               [](ProfileRecord& p) { p.settings[kMotionWakeupSetting].value = "0"; },
                               {false, false, false, true},
                               {"01 00"},
                               60},
                      // An edit whose flag is not raised waits for it.
                      EditCase{"unflaggedEdit",
                               [](ProfileRecord& p) { p.settings[kMotionWakeupSetting].value = "0"; },
                               {true, true, true, false},
                               {},
                               360}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkTest, AfterSyncShadowsAllFlagsSendNothing) {
    Connect(true, false);
    link.SyncShadows();
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(host.progressShown, 0);
    EXPECT_FALSE(link.PendingChanges().Any());
}

TEST_F(LinkTest, EditsWhileInactiveWaitForActivation) {
    Connect(true, false);
    link.SyncShadows();
    host.activated = false;
    host.Current().keys[0].code = {0x10, 0x02, 0x00};
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_TRUE(link.PendingChanges().keys);
    EXPECT_EQ(host.saveTimerRestarts, 0);
    host.activated = true;
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].Command(), 0x04);
    EXPECT_EQ(sets[0].bytes[7], 0);
}

TEST_F(LinkTest, WithoutAnInterfaceTheSendersReturnAtOnce) {
    link.SyncShadows();
    host.Current().keys[0].code = {0x10, 0x02, 0x00};
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    EXPECT_EQ(clock.NowMs(), 0u);
    EXPECT_EQ(link.NextSequence(), 1);
    EXPECT_EQ(host.progressShown, 0);
}

TEST_F(LinkTest, AStepIndexPastTheTableSendsTheLastStep) {
    Connect(true, false);
    link.SyncShadows();
    host.Current().XYSetting[0] = 48; // 0x3104 has 48 steps: 0 to 47
    host.Current().XYSetting[1] = 60000;
    link.RaiseChangeFlags({false, true, false, false});
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].bytes[9], 160); // 8000 DPI, the last step
    EXPECT_EQ(sets[0].bytes[11], 160);
}

TEST_F(LinkTest, FactoryResetIsOneReportWithoutPause) {
    Connect(false, true);
    EXPECT_TRUE(link.SendFactoryReset());
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].bytes, FrameBytes("0c 01 0f 00 01 01 01 ff"));
    EXPECT_EQ(clock.NowMs(), 0u);
}

TEST_F(LinkTest, SequenceNumbersContinueAcrossTransfersAndWrap) {
    Connect(true, false);
    link.SyncShadows();
    std::vector<uint8_t> seen;
    for (int i = 0; i < 260; ++i) {
        host.Current().settings[kMotionWakeupSetting].value = i % 2 == 0 ? "0" : "1";
        link.RaiseChangeFlags({false, false, false, true});
        link.ApplyChanges();
    }
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 260u);
    EXPECT_EQ(sets[0].Sequence(), 1);
    EXPECT_EQ(sets[254].Sequence(), 255);
    EXPECT_EQ(sets[255].Sequence(), 0);
    EXPECT_EQ(sets[256].Sequence(), 1); // the 256th report after the first
}

} // namespace
} // namespace vexmo::test
