#pragma once
// Names and numbers shared by the simulated mouse, its daemon and the buses over it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vexmo::sim {

// The two ways the mouse reaches the computer; each is its own USB device.
enum class SimKind { Wired = 0, Receiver = 1 };
inline constexpr int kKindCount = 2;

inline constexpr uint16_t kVendorId = 0x248D;
inline constexpr uint16_t kWiredProductId = 0x5B5E;
inline constexpr uint16_t kReceiverProductId = 0x5B5F;

// Both collections use 33-byte reports, report ID byte included.
inline constexpr size_t kReportLength = 33;
inline constexpr uint8_t kFeatureReportId = 0x0C;
inline constexpr uint8_t kInputReportId = 0x05;
inline constexpr uint8_t kSettingChangedMessage = 0x06;

enum class ChargeState : uint8_t { None = 0, Charging = 1, Charged = 2 };

inline int KindIndex(SimKind kind) {
    return static_cast<int>(kind);
}
inline uint16_t ProductId(SimKind kind) {
    return kind == SimKind::Wired ? kWiredProductId : kReceiverProductId;
}
inline std::string_view KindName(SimKind kind) {
    return kind == SimKind::Wired ? "wired" : "receiver";
}
inline std::optional<SimKind> ParseKind(std::string_view name) {
    if (name == "wired") {
        return SimKind::Wired;
    }
    if (name == "receiver") {
        return SimKind::Receiver;
    }
    return std::nullopt;
}

inline std::string_view ChargeName(ChargeState charge) {
    switch (charge) {
    case ChargeState::Charging:
        return "charging";
    case ChargeState::Charged:
        return "charged";
    case ChargeState::None:
        break;
    }
    return "none";
}
inline std::optional<ChargeState> ParseCharge(std::string_view name) {
    if (name == "none") {
        return ChargeState::None;
    }
    if (name == "charging") {
        return ChargeState::Charging;
    }
    if (name == "charged") {
        return ChargeState::Charged;
    }
    return std::nullopt;
}

} // namespace vexmo::sim
