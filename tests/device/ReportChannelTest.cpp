#include "device/ReportChannel.h"
#include "FakeHid.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

using test::FakeBus;
using test::VirtualClock;

std::vector<uint8_t> StatusReplyBytes(uint8_t hasData) {
    std::vector<uint8_t> reply(33, 0);
    reply[0] = 0x0C;
    reply[2] = 0x20;
    reply[6] = hasData;
    return reply;
}

class ReportChannelTest : public ::testing::Test {
protected:
    ReportChannelTest() {
        bus.AddMouseKind("w", 0x5B5E);
        bus.AddMouseKind("r", 0x5B5F);
        wired = bus.Open("w/feature");
        receiver = bus.Open("r/feature");
    }

    VirtualClock clock;
    FakeBus bus{&clock};
    std::unique_ptr<HidDevice> wired;
    std::unique_ptr<HidDevice> receiver;
    ReportChannel channel{clock};
};

TEST_F(ReportChannelTest, CommandsGoToTheWiredInterfaceWhenBothAreOpen) {
    channel.SetTargets(wired.get(), receiver.get());
    EXPECT_EQ(channel.Send(Command::Debounce, kSingleChunk, 1, std::vector<uint8_t>{12}), SendResult::Sent);
    channel.SetTargets(nullptr, receiver.get());
    EXPECT_EQ(channel.Send(Command::Debounce, kSingleChunk, 1, std::vector<uint8_t>{14}), SendResult::Sent);
    const auto written = bus.Written();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0].path, "w/feature");
    EXPECT_EQ(written[0].bytes[4], 1);
    EXPECT_EQ(written[1].path, "r/feature");
    EXPECT_EQ(written[1].bytes[4], 2);
}

TEST_F(ReportChannelTest, ANumberIsTakenEvenWhenNothingCanBeWritten) {
    EXPECT_EQ(channel.Send(Command::Debounce, kSingleChunk, 1, std::vector<uint8_t>{12}),
              SendResult::NoDevice);
    EXPECT_EQ(channel.NextSequence(), 2);
    channel.SetTargets(wired.get(), nullptr);
    bus.SetFailWrites("w/feature", true);
    EXPECT_EQ(channel.Send(Command::Debounce, kSingleChunk, 1, std::vector<uint8_t>{12}), SendResult::Failed);
    EXPECT_EQ(channel.NextSequence(), 3);
}

struct StatusCase {
    const char* name;
    std::vector<std::vector<uint8_t>> replies; // queued answers
    bool failWrites;
    bool expectReply;
    size_t expectQueries;
};

class StatusQuery : public ReportChannelTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusQuery, RetriesOnceOnlyForAnEmptyReply) {
    const StatusCase& c = GetParam();
    channel.SetTargets(nullptr, receiver.get());
    for (const auto& reply : c.replies) {
        bus.QueueReply("r/feature", reply);
    }
    bus.SetFailWrites("r/feature", c.failWrites);
    const auto reply = channel.QueryStatus();
    EXPECT_EQ(reply.has_value(), c.expectReply);
    const auto written = bus.Written();
    ASSERT_EQ(written.size(), c.expectQueries);
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i].bytes[2], 0x20);
        EXPECT_EQ(written[i].bytes[4], i + 1); // every query takes its own number
        EXPECT_EQ(written[i].bytes[5], 0x00);
        EXPECT_EQ(written[i].atMs, i * kStatusReplyWaitMs);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusQuery,
    ::testing::Values(StatusCase{"answered", {StatusReplyBytes(1)}, false, true, 1},
                      StatusCase{
                          "emptyThenAnswered", {StatusReplyBytes(0), StatusReplyBytes(1)}, false, true, 2},
                      StatusCase{"emptyTwice", {StatusReplyBytes(0), StatusReplyBytes(0)}, false, false, 2},
                      StatusCase{"readFails", {}, false, false, 1},
                      StatusCase{"writeFails", {StatusReplyBytes(1)}, true, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReportChannelTest, NoStatusQueryWithoutAnOpenInterface) {
    EXPECT_FALSE(channel.QueryStatus().has_value());
    EXPECT_EQ(channel.NextSequence(), 1);
}

} // namespace
} // namespace vexmo
