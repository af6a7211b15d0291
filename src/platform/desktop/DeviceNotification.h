#pragma once
// Registration of a window for HID device changes: while the registration lives, every
// arrival and removal on the bus reaches the window as WM_DEVICECHANGE with wParam 0x8000
// (arrival) or 0x8004 (removal complete). Posted, so it is handled on the UI thread.
#include "platform/HidBus.h"
#include "platform/core/Types.h"

namespace vexmo {

class DeviceNotification {
public:
    DeviceNotification() = default;
    // Registers `window` on `bus` (the bus must outlive the registration).
    DeviceNotification(HidBus& bus, HWND window);
    ~DeviceNotification();
    DeviceNotification(const DeviceNotification&) = delete;
    DeviceNotification& operator=(const DeviceNotification&) = delete;
    DeviceNotification(DeviceNotification&& other) noexcept;
    DeviceNotification& operator=(DeviceNotification&& other) noexcept;

    bool IsRegistered() const { return bus_ != nullptr; }
    // Stops the notifications (the bus's handler is cleared).
    void Unregister();

private:
    HidBus* bus_ = nullptr;
};

} // namespace vexmo
