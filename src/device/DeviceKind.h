#pragma once
// The two ways the mouse reaches the computer, and the HID identities that tell them apart.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vexmo {

enum class DeviceKind : uint8_t { Wired = 0, Receiver = 1 };

inline constexpr size_t kDeviceKindCount = 2;
// Wired first: every command goes to the cable when both are present.
inline constexpr std::array<DeviceKind, kDeviceKindCount> kDeviceKinds{DeviceKind::Wired,
                                                                       DeviceKind::Receiver};

inline constexpr uint16_t kMouseVendorId = 0x248D;
inline constexpr uint16_t kWiredProductId = 0x5B5E;
inline constexpr uint16_t kReceiverProductId = 0x5B5F;
// Input and feature reports of the mouse, report ID byte included.
inline constexpr uint16_t kMouseReportByteLength = 33;

constexpr size_t KindIndex(DeviceKind kind) {
    return static_cast<size_t>(kind);
}

constexpr uint16_t ProductIdOf(DeviceKind kind) {
    return kind == DeviceKind::Wired ? kWiredProductId : kReceiverProductId;
}

// "wired" or "receiver", as logs and vexmoctl print them.
constexpr const char* KindName(DeviceKind kind) {
    return kind == DeviceKind::Wired ? "wired" : "receiver";
}

// The kind a HID identity belongs to, or none for any other device.
constexpr std::optional<DeviceKind> KindOfDevice(uint16_t vendorId, uint16_t productId) {
    if (vendorId != kMouseVendorId) {
        return std::nullopt;
    }
    if (productId == kWiredProductId) {
        return DeviceKind::Wired;
    }
    if (productId == kReceiverProductId) {
        return DeviceKind::Receiver;
    }
    return std::nullopt;
}

} // namespace vexmo
