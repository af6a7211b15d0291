#include "device/StatusReply.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexmo {
namespace {

std::vector<uint8_t> Reply(const char* tag, uint8_t sensor, uint8_t battery, uint8_t charge, uint8_t link) {
    std::vector<uint8_t> reply(33, 0);
    reply[0] = 0x0C;
    reply[2] = 0x20;
    reply[6] = 1;
    for (int i = 0; i < 4; ++i) {
        reply[8 + i] = static_cast<uint8_t>(tag[i]);
    }
    reply[15] = sensor;
    reply[18] = battery;
    reply[19] = charge;
    reply[21] = link;
    return reply;
}

TEST(StatusReply, DecodesEveryField) {
    const auto status = DecodeStatusReply(Reply("R417", 0x27, 64, 1, 1));
    ASSERT_TRUE(status);
    EXPECT_TRUE(status->identified);
    EXPECT_TRUE(status->linkUp);
    EXPECT_EQ(status->sensorCode, 0x27);
    EXPECT_EQ(status->batteryLevel, 64);
    EXPECT_EQ(status->charge, ChargeState::Charging);
}

TEST(StatusReply, FullyChargedShowsHundredWhateverTheLevelByteSays) {
    const auto status = DecodeStatusReply(Reply("R417", 0x27, 37, 2, 1));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->charge, ChargeState::Charged);
    EXPECT_EQ(status->batteryLevel, 100);
}

TEST(StatusReply, AnyOtherChargeByteIsNotCharging) {
    for (uint8_t charge : {0, 3, 0xFF}) {
        const auto status = DecodeStatusReply(Reply("R417", 0x27, 37, charge, 1));
        ASSERT_TRUE(status);
        EXPECT_EQ(status->charge, ChargeState::NotCharging);
        EXPECT_EQ(status->batteryLevel, 37);
    }
}

TEST(StatusReply, AnotherModelTagIsNotIdentified) {
    const auto status = DecodeStatusReply(Reply("R418", 0x60, 50, 0, 1));
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->identified);
    EXPECT_EQ(status->sensorCode, 0x60);
}

TEST(StatusReply, WrongEchoOrShortReplyIsDropped) {
    auto wrongCommand = Reply("R417", 0x27, 50, 0, 1);
    wrongCommand[2] = 0x21;
    auto wrongStatus = Reply("R417", 0x27, 50, 0, 1);
    wrongStatus[3] = 0x01;
    auto shortReply = Reply("R417", 0x27, 50, 0, 1);
    shortReply.resize(21);
    EXPECT_FALSE(DecodeStatusReply(wrongCommand));
    EXPECT_FALSE(DecodeStatusReply(wrongStatus));
    EXPECT_FALSE(DecodeStatusReply(shortReply));
    EXPECT_FALSE(DecodeStatusReply({}));
}

TEST(StatusReply, SensorCodes) {
    const std::pair<uint8_t, uint16_t> known[] = {
        {0x04, 0x3104}, {0x12, 0x3212}, {0x25, 0x3325}, {0x27, 0x3327}, {0x35, 0x3335},
        {0x60, 0x3360}, {0x70, 0x3370}, {0x89, 0x3389}, {0x95, 0x3395}, {0x99, 0x3399}};
    for (const auto& [code, model] : known) {
        EXPECT_EQ(SensorModelForCode(code), model) << int(code);
    }
    EXPECT_FALSE(SensorModelForCode(0x00));
    EXPECT_FALSE(SensorModelForCode(0x31));
}

} // namespace
} // namespace vexmo
