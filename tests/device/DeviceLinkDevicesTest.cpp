#include "LinkFixture.h"

namespace vexmo::test {
namespace {

TEST_F(LinkTest, BothKindsConnectedUseTheCableUntilItIsUnplugged) {
    Connect(true, true);
    EXPECT_TRUE(link.Discovery().Reader(DeviceKind::Wired).Busy());
    EXPECT_TRUE(link.Discovery().Reader(DeviceKind::Receiver).Busy());
    EXPECT_EQ(host.statusTimerStarts, 1);
    link.SyncShadows();

    mouse.Unplug(sim::SimKind::Wired);
    link.ProcessLinkEvents();
    EXPECT_FALSE(link.Discovery().Present(DeviceKind::Wired));
    EXPECT_TRUE(link.Discovery().Present(DeviceKind::Receiver));
    EXPECT_EQ(host.statusCounter, 19);
    EXPECT_EQ(host.allGone, 0);
    // Discovery raised the flags; the mouse holds what the shadows say, so nothing goes out.
    link.ApplyChanges();
    EXPECT_TRUE(TakeSets().empty());

    host.Current().keys[0].code = {0x10, 0x02, 0x00};
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].kind, "receiver");

    mouse.Unplug(sim::SimKind::Receiver);
    link.ProcessLinkEvents();
    EXPECT_EQ(host.allGone, 1);
    EXPECT_TRUE(link.StatusNeeded());
}

TEST_F(LinkTest, AnUnrelatedArrivalOnlyRediscoversWhileAKindIsMissing) {
    Connect(true, true);
    const int applyTimerStarts = host.applyTimerStarts;
    bus.AddOtherInterface({"other/keyboard", 0x046D, 0xC31C, 9, 0});
    link.ProcessLinkEvents();
    EXPECT_EQ(host.applyTimerStarts, applyTimerStarts); // no discovery
    EXPECT_EQ(host.statusCounter, 0);

    mouse.Unplug(sim::SimKind::Receiver);
    link.ProcessLinkEvents();
    bus.AddOtherInterface({"other/headset", 0x046D, 0x0A44, 9, 0});
    link.ProcessLinkEvents();
    EXPECT_EQ(host.applyTimerStarts, applyTimerStarts + 2); // the removal and the arrival
}

TEST_F(LinkTest, AnArrivalAfterStartWithoutMouseConnectsAndQueriesTheStatus) {
    link.StartUp();
    EXPECT_FALSE(link.AnyFound());
    EXPECT_EQ(host.statusTimerStarts, 0);
    mouse.Plug(sim::SimKind::Receiver);
    link.ProcessLinkEvents();
    EXPECT_TRUE(link.AnyFound());
    EXPECT_EQ(host.statusTimerStarts, 1);
    EXPECT_FALSE(link.StatusNeeded());
    const auto log = TakeLog();
    ASSERT_EQ(log.size(), 2u); // the status query and its reply
    EXPECT_EQ(log[0].Command(), 0x20);
    EXPECT_EQ(log[0].Sequence(), 1);
    EXPECT_EQ(host.linkReports, std::vector<bool>{true});
}

TEST_F(LinkTest, StartUpSyncsTheShadowsSoTheFirstApplySendsNothing) {
    mouse.SetSensor(0x04); // the sensor the settings already name
    mouse.Plug(sim::SimKind::Wired);
    link.StartUp();
    EXPECT_TRUE(link.PendingChanges().keys);
    EXPECT_EQ(host.applyTimerStarts, 1);
    TakeLog();
    link.ApplyChanges();
    EXPECT_TRUE(TakeSets().empty());
}

TEST_F(LinkTest, ASensorReportedAtStartUpSendsTheNewDpiDefaults) {
    mouse.SetSensor(0x27);
    mouse.Plug(sim::SimKind::Wired);
    link.StartUp();
    EXPECT_EQ(host.sensorChanges, 1);
    TakeLog();
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].Command(), 0x05);
    EXPECT_EQ(sets[0].bytes[9], 400 / 50); // level 0 of the 0x3327 defaults: step 2, 400 DPI
}

// The cable is pulled after the third report: the rest of the transfer is skipped at once
// and everything reaches the mouse over the receiver afterwards.
TEST_F(LinkTest, ATransferEndsCleanlyWhenTheDeviceGoesAndNothingIsLost) {
    Connect(true, true);
    sim::SimFaults faults;
    faults.disconnectAfter[0] = 3;
    mouse.SetFaults(faults);
    link.RaiseChangeFlags(ChangeFlags::All());
    const uint64_t start = clock.NowMs();
    link.ApplyChanges();
    EXPECT_EQ(clock.NowMs() - start, 180u); // three reports, then nothing more to wait for
    auto sets = TakeSets();
    EXPECT_EQ(sets.size(), 3u);
    EXPECT_TRUE(link.PendingChanges().keys);

    link.ProcessLinkEvents(); // the removal
    EXPECT_FALSE(link.Discovery().Present(DeviceKind::Wired));
    link.ApplyChanges();
    sets = TakeSets();
    ASSERT_EQ(sets.size(), 14u);
    for (const Frame& frame : sets) {
        EXPECT_EQ(frame.kind, "receiver");
    }
    EXPECT_EQ(mouse.Snapshot().framesRejected, 0u);
}

TEST_F(LinkTest, AFailedWriteIsSentAgainOnceTheInterfaceIsReopened) {
    Connect(true, false);
    link.SyncShadows();
    sim::SimFaults faults;
    faults.failWrites = 1;
    mouse.SetFaults(faults);
    host.Current().settings[kPowerDownTimeSetting].value = "3";
    link.RaiseChangeFlags({false, false, true, false});
    link.ApplyChanges();
    EXPECT_TRUE(link.LastTransferFailed());
    EXPECT_TRUE(TakeSets().empty());
    EXPECT_EQ(host.progressShown, 0);
    EXPECT_EQ(link.Discovery().FeatureHandle(DeviceKind::Wired), nullptr);

    host.statusCounter = 20;
    link.StatusTimerTick(); // reopens the interface and raises every flag
    EXPECT_NE(link.Discovery().FeatureHandle(DeviceKind::Wired), nullptr);
    TakeLog();
    link.ApplyChanges();
    EXPECT_FALSE(link.LastTransferFailed());
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 14u); // the mouse's state was unknown: everything again
    EXPECT_EQ(mouse.Snapshot().config.power[0], 3);
}

TEST_F(LinkTest, AfterAFailedWriteOnTheCableCommandsGoToTheReceiver) {
    Connect(true, true);
    link.SyncShadows();
    sim::SimFaults faults;
    faults.failWrites = 1;
    mouse.SetFaults(faults);
    host.Current().keys[0].code = {0x10, 0x02, 0x00};
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 14u);
    for (const Frame& frame : sets) {
        EXPECT_EQ(frame.kind, "receiver");
    }
}

TEST_F(LinkTest, AMotionEditWhileNoMouseIsConnectedIsSentOnArrival) {
    mouse.SetSensor(0x04); // the arrival queries the status: no sensor change here
    Connect(true, false);
    link.SyncShadows();
    mouse.Unplug(sim::SimKind::Wired);
    link.ProcessLinkEvents();
    host.Current().settings[kMotionWakeupSetting].value = "0";
    link.RaiseChangeFlags({false, false, false, true});
    link.ApplyChanges(); // nowhere to send it
    mouse.Plug(sim::SimKind::Wired);
    link.ProcessLinkEvents();
    TakeLog();
    link.ApplyChanges();
    const auto sets = TakeSets();
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].Command(), 0x0C);
}

TEST_F(LinkTest, StatusTimerQueriesEveryTwentyOneTicks) {
    Connect(false, true);
    for (int tick = 0; tick < 20; ++tick) {
        link.StatusTimerTick();
    }
    EXPECT_EQ(host.statusCounter, 20);
    EXPECT_TRUE(TakeLog().empty());
    link.StatusTimerTick();
    EXPECT_EQ(host.statusCounter, 0);
    EXPECT_EQ(TakeLog().size(), 2u);
    host.activated = false;
    host.statusCounter = 20;
    link.StatusTimerTick();
    EXPECT_TRUE(TakeLog().empty());
}

// Two identical mice on one bus; the mice outlive the bus and the link.
class TwoMice : public ::testing::Test {
protected:
    TwoMice() { bus.AddMouse(second, "second"); }

    size_t HostFrames(sim::SimulatedMouse& mouse) {
        size_t sets = 0;
        for (const sim::LoggedReport& report : mouse.Log()) {
            sets += report.direction == sim::ReportDirection::Set ? 1 : 0;
        }
        mouse.ClearLog();
        return sets;
    }

    TempDir temp;
    VirtualClock clock;
    sim::SimulatedMouse first{clock};
    sim::SimulatedMouse second{clock};
    sim::InProcessHidBus bus{first, "first"};
    RecordingHost host;
    std::vector<uint16_t> steps;
    DeviceLink link{host, bus, clock, steps};
};

TEST_F(TwoMice, TheRememberedMouseKeepsTheLinkAndTheOtherTakesOverWhenItGoes) {
    first.Plug(sim::SimKind::Wired);
    link.RegisterForDeviceChanges();
    link.DiscoverDevices();
    second.Plug(sim::SimKind::Wired);
    link.ProcessLinkEvents(); // the arrival: discovery keeps the first mouse, then its status
    first.ClearLog();
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    EXPECT_EQ(HostFrames(first), 14u);
    EXPECT_EQ(HostFrames(second), 0u);

    first.Unplug(sim::SimKind::Wired);
    link.ProcessLinkEvents();
    EXPECT_EQ(host.allGone, 0); // a mouse is still connected
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    EXPECT_EQ(HostFrames(second), 0u); // it is taken to hold what the shadows say
    host.Current().keys[5].code = {0x10, 0x01, 0x00};
    link.RaiseChangeFlags({true, false, false, false});
    link.ApplyChanges();
    EXPECT_EQ(HostFrames(second), 1u);
}

TEST(LinkOverFakeBus, TheStatusTimerRestartsAReaderThatStopped) {
    TempDir temp;
    FakeBus bus;
    bus.AddMouseKind("r", kReceiverProductId);
    RecordingHost host;
    std::vector<uint16_t> steps;
    VirtualClock clock;
    DeviceLink link(host, bus, clock, steps);
    ASSERT_TRUE(link.DiscoverDevices());
    bus.Unplug("r/input"); // the input collection fails, the feature interface stays
    for (int i = 0; i < 2000 && link.Discovery().Reader(DeviceKind::Receiver).Busy(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(link.Discovery().Reader(DeviceKind::Receiver).Busy());
    bus.Add({"r/input2", kMouseVendorId, kReceiverProductId, 33, 0});
    host.statusCounter = 20;
    link.StatusTimerTick();
    EXPECT_TRUE(link.Discovery().Reader(DeviceKind::Receiver).Busy());
    EXPECT_EQ(link.Discovery().Reader(DeviceKind::Receiver).InputPath(), "r/input2");
    EXPECT_EQ(host.statusCounter, 19);
}

} // namespace
} // namespace vexmo::test
