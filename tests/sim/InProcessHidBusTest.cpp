#include "sim/InProcessHidBus.h"
#include "sim/SimTestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace vexmo::sim {
namespace {

using test::FakeClock;
using test::Frame;

class InProcessHidBusTest : public ::testing::Test {
protected:
    InProcessHidBusTest() {
        bus.SetHotplugHandler([this](HidChange change) { changes.push_back(change); });
    }
    std::string Path(SimKind kind, bool input) {
        return InProcessHidBus::InterfacePath("mouse", kind, input);
    }

    FakeClock clock;
    SimulatedMouse mouse{clock};
    InProcessHidBus bus{mouse};
    std::vector<HidChange> changes;
};

TEST_F(InProcessHidBusTest, EnumeratesTwoCollectionsPerPluggedKind) {
    EXPECT_TRUE(bus.Enumerate().empty());
    mouse.Plug(SimKind::Receiver);
    mouse.Plug(SimKind::Wired);
    const auto found = bus.Enumerate();
    ASSERT_EQ(found.size(), 4u);
    struct Expected {
        SimKind kind;
        bool input;
    };
    const Expected order[] = {{SimKind::Wired, true},
                              {SimKind::Wired, false},
                              {SimKind::Receiver, true},
                              {SimKind::Receiver, false}};
    for (size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(found[i].path);
        EXPECT_EQ(found[i].path, Path(order[i].kind, order[i].input));
        EXPECT_EQ(found[i].vendorId, 0x248D);
        EXPECT_EQ(found[i].productId, order[i].kind == SimKind::Wired ? 0x5B5E : 0x5B5F);
        EXPECT_EQ(found[i].inputReportByteLength, order[i].input ? 33 : 0);
        EXPECT_EQ(found[i].featureReportByteLength, order[i].input ? 0 : 33);
    }
    EXPECT_EQ(changes, (std::vector<HidChange>{HidChange::Arrival, HidChange::Arrival}));
}

TEST_F(InProcessHidBusTest, FeatureInterfaceCarriesCommandsAndStatus) {
    mouse.Plug(SimKind::Wired);
    auto feature = bus.Open(Path(SimKind::Wired, false));
    auto input = bus.Open(Path(SimKind::Wired, true));
    ASSERT_TRUE(feature && input);
    const Report rate = Frame(0x07, 0x01, {4});
    EXPECT_TRUE(feature->SetFeature(rate.data(), rate.size()));
    EXPECT_FALSE(input->SetFeature(rate.data(), rate.size())) << "the input collection has no feature report";
    EXPECT_EQ(mouse.Snapshot().config.rateCode, 4);
    const Report query = Frame(0x20, 0x00, {}, 9);
    ASSERT_TRUE(feature->SetFeature(query.data(), query.size()));
    Report reply{};
    reply[0] = 0x0C;
    ASSERT_TRUE(feature->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(reply[4], 9);
    EXPECT_EQ(std::string(reply.begin() + 8, reply.begin() + 12), "R417");
}

TEST_F(InProcessHidBusTest, InputReadGetsButtonReportsAndFailsOnRemoval) {
    mouse.Plug(SimKind::Wired);
    auto input = bus.Open(Path(SimKind::Wired, true));
    ASSERT_TRUE(input);
    std::vector<std::vector<uint8_t>> received;
    int lastResult = 0;
    std::thread reader([&] {
        uint8_t buffer[33];
        for (;;) {
            lastResult = input->ReadInput(buffer, sizeof buffer);
            if (lastResult < 0) {
                return;
            }
            received.emplace_back(buffer, buffer + lastResult);
        }
    });
    mouse.PressDpiButton();
    mouse.PressRateButton();
    mouse.Unplug(SimKind::Wired);
    reader.join();
    EXPECT_EQ(lastResult, -1);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0][0], 0x05);
    EXPECT_EQ(received[0][1], 0x06);
    EXPECT_EQ(received[1][3], 1);
    EXPECT_EQ(changes, (std::vector<HidChange>{HidChange::Arrival, HidChange::RemovalComplete}));
}

// The system fails a removed device's handles before it reports the removal; a handler that
// waits for its reader threads to end must not hang.
TEST_F(InProcessHidBusTest, RemovalIsRaisedAfterReadsHaveFailed) {
    mouse.Plug(SimKind::Wired);
    auto input = bus.Open(Path(SimKind::Wired, true));
    ASSERT_TRUE(input);
    std::atomic<bool> readEnded{false};
    std::thread reader([&] {
        uint8_t buffer[33];
        input->ReadInput(buffer, sizeof buffer);
        readEnded = true;
    });
    bool endedBeforeRemoval = false;
    bus.SetHotplugHandler([&](HidChange change) {
        if (change == HidChange::RemovalComplete) {
            reader.join();
            endedBeforeRemoval = readEnded;
        }
    });
    mouse.Unplug(SimKind::Wired);
    EXPECT_TRUE(endedBeforeRemoval);
}

TEST_F(InProcessHidBusTest, CancelInputEndsABlockedRead) {
    mouse.Plug(SimKind::Receiver);
    auto input = bus.Open(Path(SimKind::Receiver, true));
    ASSERT_TRUE(input);
    int result = 0;
    std::thread reader([&] {
        uint8_t buffer[33];
        result = input->ReadInput(buffer, sizeof buffer);
    });
    input->CancelInput();
    reader.join();
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(mouse.IsPlugged(SimKind::Receiver));
}

TEST_F(InProcessHidBusTest, HandlesDieWithTheirConnection) {
    mouse.Plug(SimKind::Wired);
    auto feature = bus.Open(Path(SimKind::Wired, false));
    auto input = bus.Open(Path(SimKind::Wired, true));
    mouse.Unplug(SimKind::Wired);
    mouse.Plug(SimKind::Wired);
    const Report frame = Frame(0x0A, 0x01, {2});
    EXPECT_FALSE(feature->SetFeature(frame.data(), frame.size()));
    uint8_t buffer[33];
    EXPECT_EQ(input->ReadInput(buffer, sizeof buffer), -1);
    EXPECT_FALSE(bus.Open(Path(SimKind::Receiver, false))) << "an absent kind does not open";
}

TEST_F(InProcessHidBusTest, DisconnectFaultRaisesRemovalDuringTheWrite) {
    mouse.Plug(SimKind::Wired);
    mouse.Plug(SimKind::Receiver);
    SimFaults faults;
    faults.disconnectAfter[KindIndex(SimKind::Receiver)] = 1;
    mouse.SetFaults(faults);
    auto feature = bus.Open(Path(SimKind::Receiver, false));
    const Report frame = Frame(0x0A, 0x01, {2});
    EXPECT_TRUE(feature->SetFeature(frame.data(), frame.size()));
    EXPECT_EQ(changes.back(), HidChange::RemovalComplete);
    EXPECT_EQ(bus.Enumerate().size(), 2u);
}

TEST(InProcessHidBus, SecondMouseOtherDevicesAndDeniedOpens) {
    FakeClock clock;
    SimulatedMouse mouse(clock);
    SimulatedMouse twin(clock);
    twin.Plug(SimKind::Wired);
    InProcessHidBus bus(mouse);
    bus.AddMouse(twin, "twin");
    std::vector<HidChange> changes;
    bus.SetHotplugHandler([&](HidChange change) { changes.push_back(change); });
    auto Path = [](SimKind kind, bool input) { return InProcessHidBus::InterfacePath("mouse", kind, input); };
    mouse.Plug(SimKind::Wired);
    HidInterfaceInfo keyboard{"sim://keyboard", 0x046D, 0xC31C, 9, 0};
    bus.AddOtherInterface(keyboard);
    auto found = bus.Enumerate();
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found[0].path, Path(SimKind::Wired, true));
    EXPECT_EQ(found[2].path, InProcessHidBus::InterfacePath("twin", SimKind::Wired, true));
    EXPECT_EQ(found[4].path, "sim://keyboard");

    auto twinFeature = bus.Open(InProcessHidBus::InterfacePath("twin", SimKind::Wired, false));
    const Report frame = Frame(0x0A, 0x01, {3});
    ASSERT_TRUE(twinFeature->SetFeature(frame.data(), frame.size()));
    EXPECT_EQ(twin.Snapshot().config.debounce, 3);
    EXPECT_NE(mouse.Snapshot().config.debounce, 3);

    EXPECT_TRUE(bus.Open("sim://keyboard"));
    bus.DenyOpen(Path(SimKind::Wired, false), "permission denied");
    std::string why;
    EXPECT_FALSE(bus.Open(Path(SimKind::Wired, false), &why));
    EXPECT_EQ(why, "permission denied");
    bus.RemoveOtherInterface("sim://keyboard");
    EXPECT_EQ(bus.Enumerate().size(), 4u);
    // The twin was plugged before it joined the bus; then the mouse arrived, the keyboard came and went.
    EXPECT_EQ(changes.size(), 3u);
}

} // namespace
} // namespace vexmo::sim
