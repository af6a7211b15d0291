#pragma once
// The mouse's answer to the status query (command 0x20): who it is, whether its radio link
// is up, its sensor, battery level and charge state.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vexmo {

enum class ChargeState : uint8_t { NotCharging = 0, Charging = 1, Charged = 2 };

struct StatusReply {
    std::string modelTag;    // the four tag bytes as sent
    bool identified = false; // the model tag is ours, so the link byte counts
    bool linkUp = false;
    uint8_t sensorCode = 0;
    uint8_t batteryLevel = 0; // percent; 100 whenever the mouse reports fully charged
    ChargeState charge = ChargeState::NotCharging;
};

// Bytes a reply must have to reach the link byte.
inline constexpr size_t kStatusReplyMinLength = 22;

// None for a reply that is not a status reply (wrong echo bytes) or is too short to hold
// every field; such a reply is dropped as a whole.
std::optional<StatusReply> DecodeStatusReply(std::span<const uint8_t> reply);

// The sensor model of a sensor code, or none for a code the program does not know.
std::optional<uint16_t> SensorModelForCode(uint8_t sensorCode);

} // namespace vexmo
