#include "LinkFixture.h"

#include "device/DpiStepTable.h"
#include "settings/ProfileDefaults.h"

namespace vexmo::test {
namespace {

std::vector<uint8_t> StatusReplyBytes(const char* tag, uint8_t sensor, uint8_t battery, uint8_t charge,
                                      uint8_t link) {
    std::vector<uint8_t> reply(33, 0);
    reply[0] = 0x0C;
    reply[2] = 0x20;
    reply[6] = 15;
    for (int i = 0; i < 4; ++i) {
        reply[8 + i] = static_cast<uint8_t>(tag[i]);
    }
    reply[15] = sensor;
    reply[18] = battery;
    reply[19] = charge;
    reply[21] = link;
    return reply;
}

class StatusTest : public LinkTest {
protected:
    StatusTest() {
        host.settings.SetSensor(0x3327);
        BuildDpiTable(0x3327, dpiSteps);
        Connect(false, true);
    }
};

TEST_F(StatusTest, AQueryReadsLinkBatteryAndChargeTenMillisecondsAfterTheWrite) {
    mouse.SetBattery(64, sim::ChargeState::Charging);
    link.QueryDeviceStatus();
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].direction, "set");
    EXPECT_EQ(log[0].Command(), 0x20);
    EXPECT_EQ(log[1].direction, "get");
    EXPECT_EQ(log[1].ms - log[0].ms, 10u);
    EXPECT_EQ(host.linkReports, std::vector<bool>{true});
    EXPECT_EQ(link.BatteryLevel(), 64);
    EXPECT_EQ(link.Charge(), ChargeState::Charging);
    EXPECT_EQ(link.RawSensorCode(), 0x27);
    EXPECT_EQ(host.sensorChanges, 0); // the model it already had
}

TEST_F(StatusTest, FullyChargedShowsAFullBattery) {
    mouse.SetBattery(37, sim::ChargeState::Charged);
    link.QueryDeviceStatus();
    EXPECT_EQ(link.BatteryLevel(), 100);
    EXPECT_EQ(link.Charge(), ChargeState::Charged);
}

TEST_F(StatusTest, AnEmptyReplyIsAskedOnceMore) {
    sim::SimFaults faults;
    faults.emptyReplies = 1;
    mouse.SetFaults(faults);
    mouse.SetBattery(55, sim::ChargeState::None);
    link.QueryDeviceStatus();
    EXPECT_EQ(link.BatteryLevel(), 55);
    faults.emptyReplies = 2;
    mouse.SetFaults(faults);
    mouse.SetBattery(20, sim::ChargeState::None);
    link.QueryDeviceStatus();
    EXPECT_EQ(link.BatteryLevel(), 55); // two empty replies: the display keeps its last value
}

TEST_F(StatusTest, ANewSensorResetsEveryProfilesDpiStepsAndTheTable) {
    host.profiles[3].XYSetting[0] = 1;
    mouse.SetSensor(0x60);
    link.QueryDeviceStatus();
    EXPECT_EQ(host.settings.sensorModel, 0x3360);
    EXPECT_EQ(host.sensorChanges, 1);
    EXPECT_EQ(dpiSteps.size(), 121u);
    const auto defaults = SensorDpiDefaults(0x3360);
    ASSERT_TRUE(defaults);
    for (const ProfileRecord& profile : host.profiles.records) {
        EXPECT_EQ(profile.XYSetting, *defaults);
    }
}

TEST_F(StatusTest, AnUnknownSensorCodeChangesNothing) {
    const std::vector<uint16_t> before = dpiSteps;
    mouse.SetSensor(0x31);
    link.QueryDeviceStatus();
    EXPECT_EQ(host.settings.sensorModel, 0x3327);
    EXPECT_EQ(dpiSteps, before);
    EXPECT_EQ(host.sensorChanges, 0);
    EXPECT_EQ(link.RawSensorCode(), 0x31);
}

TEST_F(StatusTest, AnotherModelTagNeverChangesTheLinkState) {
    link.ParseStatusReply(StatusReplyBytes("X999", 0x27, 42, 0, 1));
    EXPECT_TRUE(host.linkReports.empty());
    EXPECT_EQ(link.BatteryLevel(), 42);
    link.ParseStatusReply(StatusReplyBytes("R417", 0x27, 42, 0, 0));
    EXPECT_EQ(host.linkReports, std::vector<bool>{false});
}

TEST_F(StatusTest, AShortOrForeignReplyIsDropped) {
    auto reply = StatusReplyBytes("R417", 0x60, 42, 0, 1);
    link.ParseStatusReply(std::span<const uint8_t>(reply).first(20));
    reply[2] = 0x05;
    link.ParseStatusReply(reply);
    EXPECT_EQ(link.BatteryLevel(), 10);
    EXPECT_EQ(host.sensorChanges, 0);
}

class SettingChangeTest : public LinkTest {
protected:
    SettingChangeTest() {
        Connect(true, false);
        link.RaiseChangeFlags(ChangeFlags::All());
        link.ApplyChanges(); // the mouse now holds the profile
        TakeLog();
    }
};

TEST_F(SettingChangeTest, TheMousesDpiButtonUpdatesTheProfileAndSendsNothingBack) {
    mouse.PressDpiButton(); // from the second enabled level to the third
    ASSERT_TRUE(ProcessWhenQueued(1));
    EXPECT_EQ(host.Current().CurrentDPILevelValue, 2);
    EXPECT_EQ(link.CurrentDpiLevelCache(), 2);
    EXPECT_EQ(host.displayRequests, 1);
    EXPECT_GE(host.refreshes, 1);
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    EXPECT_TRUE(TakeSets().empty());
}

TEST_F(SettingChangeTest, TheMousesRateButtonUpdatesTheRate) {
    mouse.PressRateButton(); // 500 Hz to 1000 Hz
    ASSERT_TRUE(ProcessWhenQueued(1));
    EXPECT_EQ(host.Current().PollingRateValue, (ThreeBytes{3, 0, 0}));
    EXPECT_EQ(host.Current().PollingRateName, "1000Hz");
}

struct LevelCase {
    uint8_t levelByte;
    uint8_t expectedLevel;
};

class LevelByte : public SettingChangeTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelByte, OnlyAnEnabledLevelIsTaken) {
    host.Current().DPIOffOnFlagValue = 0b00001101; // three levels enabled
    host.Current().CurrentDPILevelValue = 1;
    link.SetCurrentDpiLevelCache(1);
    std::vector<uint8_t> report(33, 0xFF);
    report[0] = 0x05;
    report[1] = 0x06;
    report[3] = 4;
    report[4] = GetParam().levelByte;
    link.HandleSettingChange(report);
    EXPECT_EQ(host.Current().CurrentDPILevelValue, GetParam().expectedLevel);
    EXPECT_EQ(link.CurrentDpiLevelCache(), GetParam().expectedLevel);
    EXPECT_EQ(host.Current().PollingRateName, "250Hz"); // the rate is taken in every case
}

INSTANTIATE_TEST_SUITE_P(Bytes, LevelByte,
                         ::testing::Values(LevelCase{1, 0}, LevelCase{3, 2},
                                           LevelCase{0, 1}, // would wrap to 255
                                           LevelCase{4, 1}, // past the three enabled levels
                                           LevelCase{255, 1}));

TEST_F(SettingChangeTest, OtherInputReportsAreIgnored) {
    link.HandleSettingChange(std::vector<uint8_t>{0x05, 0x07, 0, 8, 1});
    link.HandleSettingChange(std::vector<uint8_t>{0x05, 0x06, 0, 8}); // too short
    EXPECT_EQ(host.displayRequests, 0);
    EXPECT_EQ(host.Current().PollingRateValue[0], 2);
}

} // namespace
} // namespace vexmo::test
