#include "platform/linux/CombinedHidBus.h"

namespace vexmo {

CombinedHidBus::CombinedHidBus(std::filesystem::path simSocket) : sim_(std::move(simSocket)) {}

CombinedHidBus::~CombinedHidBus() {
    SetHotplugHandler(nullptr);
}

std::vector<HidInterfaceInfo> CombinedHidBus::Enumerate() {
    std::vector<HidInterfaceInfo> interfaces = hidraw_.Enumerate();
    if (sim_.SocketExists()) {
        std::vector<HidInterfaceInfo> simulated = sim_.Enumerate();
        interfaces.insert(interfaces.end(), simulated.begin(), simulated.end());
    }
    return interfaces;
}

std::unique_ptr<HidDevice> CombinedHidBus::Open(const std::string& path, std::string* whyNot) {
    if (simbus::SimHidBus::IsSimPath(path)) {
        return sim_.Open(path, whyNot);
    }
    return hidraw_.Open(path, whyNot);
}

void CombinedHidBus::SetHotplugHandler(std::function<void(HidChange)> handler) {
    if (!handler) {
        hidraw_.SetHotplugHandler(nullptr);
        sim_.SetHotplugHandler(nullptr);
        std::lock_guard lock(handler_->mutex);
        handler_->function = nullptr;
        return;
    }
    {
        std::lock_guard lock(handler_->mutex);
        handler_->function = std::move(handler);
    }
    // Both bus threads call through here; the lock keeps their events from overlapping.
    auto forward = [shared = handler_](HidChange change) {
        std::lock_guard lock(shared->mutex);
        if (shared->function) {
            shared->function(change);
        }
    };
    hidraw_.SetHotplugHandler(forward);
    sim_.SetHotplugHandler(forward);
}

} // namespace vexmo
