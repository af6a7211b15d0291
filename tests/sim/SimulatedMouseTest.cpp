#include "sim/SimulatedMouse.h"
#include "sim/SimTestSupport.h"

#include <gtest/gtest.h>

namespace vexmo::sim {
namespace {

using test::Bytes;
using test::FakeClock;
using test::Frame;

class SimulatedMouseTest : public ::testing::Test {
protected:
    SimulatedMouseTest() {
        mouse.Plug(SimKind::Wired);
        mouse.Plug(SimKind::Receiver);
        wired = *mouse.Connection(SimKind::Wired);
        receiver = *mouse.Connection(SimKind::Receiver);
        mouse.AddInputListener([this](SimKind kind, uint64_t, const Report& report) {
            inputs.emplace_back(kind, Bytes(report));
        });
        mouse.AddPlugListener([this](SimKind kind, bool plugged) { plugs.emplace_back(kind, plugged); });
    }
    bool Set(SimKind kind, const Report& frame) {
        return mouse.SetFeature(kind, kind == SimKind::Wired ? wired : receiver, frame.data(), frame.size());
    }
    std::optional<Report> Get(SimKind kind) {
        Report reply{};
        reply.fill(0xFF);
        reply[0] = 0x0C;
        if (!mouse.GetFeature(kind, kind == SimKind::Wired ? wired : receiver, reply.data(), reply.size())) {
            return std::nullopt;
        }
        return reply;
    }

    FakeClock clock;
    SimulatedMouse mouse{clock};
    uint64_t wired = 0;
    uint64_t receiver = 0;
    std::vector<std::pair<SimKind, std::vector<uint8_t>>> inputs;
    std::vector<std::pair<SimKind, bool>> plugs;
};

TEST_F(SimulatedMouseTest, StatusQueryThenReadGivesTheReply) {
    mouse.SetBattery(42, ChargeState::Charging);
    mouse.SetSensor(0x95);
    mouse.SetLink(false);
    ASSERT_TRUE(Set(SimKind::Receiver, Frame(0x20, 0x00, {}, 7)));
    const auto reply = Get(SimKind::Receiver);
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[4], 7);
    EXPECT_EQ((*reply)[15], 0x95);
    EXPECT_EQ((*reply)[18], 42);
    EXPECT_EQ((*reply)[19], 1);
    EXPECT_EQ((*reply)[21], 0);
    // The other kind had no query: its read carries no data.
    const auto idle = Get(SimKind::Wired);
    ASSERT_TRUE(idle);
    EXPECT_EQ((*idle)[6], 0);
}

TEST_F(SimulatedMouseTest, TransportRefusesWrongLengthsAndDeadHandles) {
    const Report frame = Frame(0x07, 0x01, {8});
    EXPECT_FALSE(mouse.SetFeature(SimKind::Wired, wired, frame.data(), 32));
    Report reply{};
    reply[0] = 0x0C;
    EXPECT_FALSE(mouse.GetFeature(SimKind::Wired, wired, reply.data(), 64));
    EXPECT_FALSE(mouse.SetFeature(SimKind::Wired, wired, nullptr, 33));

    mouse.Unplug(SimKind::Wired);
    EXPECT_FALSE(Set(SimKind::Wired, frame));
    mouse.Plug(SimKind::Wired);
    EXPECT_FALSE(Set(SimKind::Wired, frame)) << "a handle from before the replug stays dead";
    EXPECT_TRUE(
        mouse.SetFeature(SimKind::Wired, *mouse.Connection(SimKind::Wired), frame.data(), frame.size()));
    EXPECT_EQ(mouse.Snapshot().config.rateCode, 8);
}

TEST_F(SimulatedMouseTest, MalformedFrameIsCountedNotStored) {
    ASSERT_TRUE(Set(SimKind::Wired, Frame(0x07, 0x01, {3})));
    const SimSnapshot snapshot = mouse.Snapshot();
    EXPECT_EQ(snapshot.framesRejected, 1u);
    EXPECT_EQ(snapshot.framesAccepted, 0u);
    EXPECT_EQ(snapshot.lastRejection, "unknown report interval");
    EXPECT_EQ(snapshot.config.rateCode, FactoryConfig().rateCode);
}

TEST_F(SimulatedMouseTest, ButtonsSendInputOverTheCableFirst) {
    mouse.PressRateButton();
    mouse.Unplug(SimKind::Wired);
    mouse.PressDpiButton();
    mouse.Unplug(SimKind::Receiver);
    mouse.PressDpiButton(); // nowhere to send; the mouse still changes level
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[0].first, SimKind::Wired);
    EXPECT_EQ(inputs[0].second[3], 1) << "500 Hz steps to 1000 Hz";
    EXPECT_EQ(inputs[1].first, SimKind::Receiver);
    EXPECT_EQ(inputs[1].second[4], 3) << "factory level 2 steps to 3";
    EXPECT_EQ(ActiveLevelPosition(mouse.Snapshot().config), 4);
}

TEST_F(SimulatedMouseTest, FailingWritesAndReads) {
    SimFaults faults;
    faults.failWrites = 2;
    faults.failReads = 1;
    mouse.SetFaults(faults);
    const Report frame = Frame(0x0A, 0x01, {9});
    EXPECT_FALSE(Set(SimKind::Wired, frame));
    EXPECT_FALSE(Set(SimKind::Receiver, frame));
    EXPECT_EQ(mouse.Snapshot().config.debounce, FactoryConfig().debounce) << "a failed write stores nothing";
    EXPECT_TRUE(Set(SimKind::Wired, frame));
    EXPECT_EQ(mouse.Snapshot().config.debounce, 9);
    EXPECT_FALSE(Get(SimKind::Wired));
    EXPECT_TRUE(Get(SimKind::Wired));

    faults = {};
    faults.failWrites = kAlways;
    mouse.SetFaults(faults);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(Set(SimKind::Wired, frame));
    }
    EXPECT_EQ(mouse.Log().size(), 2u) << "only reports that reached the mouse are logged";
}

TEST_F(SimulatedMouseTest, EmptyRepliesThenData) {
    SimFaults faults;
    faults.emptyReplies = 1;
    mouse.SetFaults(faults);
    ASSERT_TRUE(Set(SimKind::Wired, Frame(0x20, 0x00, {}, 1)));
    EXPECT_EQ((*Get(SimKind::Wired))[6], 0);
    ASSERT_TRUE(Set(SimKind::Wired, Frame(0x20, 0x00, {}, 2)));
    EXPECT_NE((*Get(SimKind::Wired))[6], 0);
}

TEST_F(SimulatedMouseTest, DisconnectAfterReportsUnplugsThatKind) {
    SimFaults faults;
    faults.disconnectAfter[KindIndex(SimKind::Wired)] = 2;
    mouse.SetFaults(faults);
    const Report frame = Frame(0x0C, 0x01, {1});
    EXPECT_TRUE(Set(SimKind::Receiver, frame)) << "other kinds do not count";
    EXPECT_TRUE(Set(SimKind::Wired, frame));
    EXPECT_TRUE(plugs.empty());
    EXPECT_TRUE(Set(SimKind::Wired, frame)) << "the second report still arrives";
    EXPECT_FALSE(mouse.IsPlugged(SimKind::Wired));
    ASSERT_EQ(plugs.size(), 1u);
    EXPECT_EQ(plugs[0], std::make_pair(SimKind::Wired, false));
    EXPECT_FALSE(Set(SimKind::Wired, frame));
    EXPECT_EQ(mouse.Snapshot().faults.disconnectAfter[0], 0) << "the fault fires once";
}

TEST_F(SimulatedMouseTest, LogLinesCarryMillisecondsKindDirectionAndHex) {
    clock.Advance(1520);
    ASSERT_TRUE(Set(SimKind::Wired, Frame(0x07, 0x01, {4}, 0x11)));
    clock.Advance(60);
    ASSERT_TRUE(Set(SimKind::Receiver, Frame(0x20, 0x00, {}, 0x12)));
    ASSERT_TRUE(Get(SimKind::Receiver));
    mouse.PressDpiButton();
    const auto log = mouse.Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(FormatLogLine(log[0]), "1520 wired set 0c010700110101"
                                     "04" +
                                         std::string(50, '0'));
    EXPECT_EQ(FormatLogLine(log[1]), "1580 receiver set 0c012000120000" + std::string(52, '0'));
    EXPECT_EQ(FormatLogLine(log[2]).substr(0, 42), "1580 receiver get 0c0120001200"
                                                   "0f0052343137");
    EXPECT_EQ(FormatLogLine(log[3]), "1580 wired input 0506000403" + std::string(56, '0'));
    mouse.ClearLog();
    EXPECT_TRUE(mouse.Log().empty());
}

TEST_F(SimulatedMouseTest, ListenersMayCallBackIntoTheMouse) {
    // A hotplug handler that inspects the mouse must not deadlock (events run outside the lock).
    bool sawUnplugged = false;
    mouse.AddPlugListener([&](SimKind kind, bool) { sawUnplugged = !mouse.IsPlugged(kind); });
    mouse.Unplug(SimKind::Receiver);
    EXPECT_TRUE(sawUnplugged);
}

} // namespace
} // namespace vexmo::sim
