#include "platform/desktop/DeviceNotification.h"

#include <utility>

#include "platform/core/Messages.h"
#include "platform/core/WindowSystem.h"

namespace vexmo {

DeviceNotification::DeviceNotification(HidBus& bus, HWND window) : bus_(&bus) {
    bus.SetHotplugHandler(
        [window](HidChange change) { PostMessage(window, WM_DEVICECHANGE, static_cast<WPARAM>(change), 0); });
}

DeviceNotification::~DeviceNotification() {
    Unregister();
}

DeviceNotification::DeviceNotification(DeviceNotification&& other) noexcept
    : bus_(std::exchange(other.bus_, nullptr)) {}

DeviceNotification& DeviceNotification::operator=(DeviceNotification&& other) noexcept {
    if (this != &other) {
        Unregister();
        bus_ = std::exchange(other.bus_, nullptr);
    }
    return *this;
}

void DeviceNotification::Unregister() {
    if (bus_)
        bus_->SetHotplugHandler(nullptr);
    bus_ = nullptr;
}

} // namespace vexmo
