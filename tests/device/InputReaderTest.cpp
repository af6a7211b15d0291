#include "device/InputReader.h"
#include "FakeHid.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace vexmo {
namespace {

using test::FakeBus;

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 2000 && !done(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

std::vector<uint8_t> Input(uint8_t id, uint8_t message, uint8_t interval, uint8_t level) {
    std::vector<uint8_t> report(33, 0);
    report[0] = id;
    report[1] = message;
    report[3] = interval;
    report[4] = level;
    return report;
}

class InputReaderTest : public ::testing::Test {
protected:
    InputReaderTest() {
        bus.AddMouseKind("r", kReceiverProductId);
        queue.SetWake([this] { ++wakes; });
        reader.RecordInterfaceIfNone(0, "r/input");
    }

    FakeBus bus;
    LinkEventQueue queue;
    std::atomic<int> wakes{0};
    InputReader reader{DeviceKind::Receiver, queue};
};

TEST_F(InputReaderTest, HandsOnlySettingChangesToTheQueueAndWakesTheUiThread) {
    ASSERT_TRUE(reader.Start(bus.Open("r/input")));
    bus.QueueInput("r/input", Input(0x05, 0x07, 8, 1));             // another message
    bus.QueueInput("r/input", Input(0x01, 0x06, 8, 1));             // another report
    bus.QueueInput("r/input", std::vector<uint8_t>{0x05, 0x06, 0}); // too short
    bus.QueueInput("r/input", Input(0x05, 0x06, 4, 2));
    ASSERT_TRUE(WaitFor([&] { return queue.Size() == 1; }));
    const auto events = queue.TakeAll();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, LinkEvent::Type::SettingChange);
    EXPECT_EQ(events[0].kind, DeviceKind::Receiver);
    EXPECT_EQ(events[0].report, Input(0x05, 0x06, 4, 2));
    EXPECT_EQ(wakes.load(), 1);
}

TEST_F(InputReaderTest, EndsWhenTheDeviceGoesAndForgetsItsPath) {
    ASSERT_TRUE(reader.Start(bus.Open("r/input")));
    EXPECT_TRUE(reader.Busy());
    bus.UnplugPrefix("r/");
    ASSERT_TRUE(WaitFor([&] { return !reader.Busy(); }));
    EXPECT_EQ(reader.InputPath(), "");
    EXPECT_EQ(bus.OpenNow(), 0u); // the interface is released by the thread itself
}

TEST_F(InputReaderTest, ASecondStartWhileBusyDoesNothing) {
    ASSERT_TRUE(reader.Start(bus.Open("r/input")));
    EXPECT_FALSE(reader.Start(bus.Open("r/input")));
    EXPECT_EQ(bus.OpenNow(), 1u);
}

TEST_F(InputReaderTest, StopUnblocksAWaitingReader) {
    ASSERT_TRUE(reader.Start(bus.Open("r/input")));
    reader.Stop();
    EXPECT_FALSE(reader.Busy());
    EXPECT_EQ(bus.OpenNow(), 0u);
}

TEST_F(InputReaderTest, ThePathIsRecordedOnlyWhileNoneIs) {
    reader.RecordInterfaceIfNone(5, "other");
    EXPECT_EQ(reader.InputPath(), "r/input");
    reader.ForgetInterface();
    reader.RecordInterfaceIfNone(5, "other");
    EXPECT_EQ(reader.InputPath(), "other");
    EXPECT_EQ(reader.InputMemberIndex(), 5);
}

} // namespace
} // namespace vexmo
