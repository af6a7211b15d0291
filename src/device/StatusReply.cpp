#include "device/StatusReply.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vexmo {

namespace {
constexpr size_t kEchoOffset = 2;
constexpr size_t kEchoStatusOffset = 3;
constexpr uint8_t kStatusCommand = 0x20;
constexpr size_t kModelTagOffset = 8;
constexpr std::array<uint8_t, 4> kModelTag{'R', '4', '1', '7'};
constexpr size_t kSensorOffset = 15;
constexpr size_t kBatteryOffset = 18;
constexpr size_t kChargeOffset = 19;
constexpr size_t kLinkOffset = 21;
constexpr uint8_t kFullBattery = 100;

constexpr std::array<std::pair<uint8_t, uint16_t>, 10> kSensorModels{{
    {0x04, 0x3104},
    {0x12, 0x3212},
    {0x25, 0x3325},
    {0x27, 0x3327},
    {0x35, 0x3335},
    {0x60, 0x3360},
    {0x70, 0x3370},
    {0x89, 0x3389},
    {0x95, 0x3395},
    {0x99, 0x3399},
}};
} // namespace

std::optional<StatusReply> DecodeStatusReply(std::span<const uint8_t> reply) {
    if (reply.size() < kStatusReplyMinLength) {
        return std::nullopt;
    }
    if (reply[kEchoOffset] != kStatusCommand || reply[kEchoStatusOffset] != 0) {
        return std::nullopt;
    }
    StatusReply status;
    status.modelTag.assign(reply.begin() + kModelTagOffset,
                           reply.begin() + kModelTagOffset + kModelTag.size());
    status.identified = std::equal(kModelTag.begin(), kModelTag.end(), reply.begin() + kModelTagOffset);
    status.linkUp = reply[kLinkOffset] != 0;
    status.sensorCode = reply[kSensorOffset];
    status.batteryLevel = reply[kBatteryOffset];
    switch (reply[kChargeOffset]) {
    case 1:
        status.charge = ChargeState::Charging;
        break;
    case 2:
        status.charge = ChargeState::Charged;
        status.batteryLevel = kFullBattery;
        break;
    default:
        status.charge = ChargeState::NotCharging;
        break;
    }
    return status;
}

std::optional<uint16_t> SensorModelForCode(uint8_t sensorCode) {
    for (const auto& [code, model] : kSensorModels) {
        if (code == sensorCode) {
            return model;
        }
    }
    return std::nullopt;
}

} // namespace vexmo
