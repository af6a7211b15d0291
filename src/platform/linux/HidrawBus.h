#pragma once
// HID access through the kernel's hidraw nodes: one interface per top-level collection of
// each node's report descriptor, all collections of a node sharing one open file.
#include "platform/HidBus.h"
#include "platform/linux/HidrawHandle.h"

#include <map>
#include <memory>
#include <mutex>

namespace vexmo {

class UdevHotplugMonitor;

class HidrawBus final : public HidBus {
public:
    HidrawBus();
    ~HidrawBus() override;

    std::vector<HidInterfaceInfo> Enumerate() override;
    // Fails for a node we may not open; `whyNot` then tells the user how to fix it.
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* whyNot = nullptr) override;
    // Arrival and removal of hidraw nodes, from a udev monitor thread.
    void SetHotplugHandler(std::function<void(HidChange)> handler) override;

private:
    std::mutex mutex_;
    std::map<std::string, std::weak_ptr<HidrawHandle>> open_; // devnode -> its shared file
    std::unique_ptr<UdevHotplugMonitor> monitor_;
};

} // namespace vexmo
