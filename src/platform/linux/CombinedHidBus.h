#pragma once
// The program's HID bus: the kernel's hidraw devices followed by the simulated mouse's
// interfaces whenever its socket exists. Hotplug from either reaches the one handler, never
// from two threads at once.
#include "platform/linux/HidrawBus.h"
#include "platform/simbus/SimHidBus.h"

#include <mutex>

namespace vexmo {

class CombinedHidBus final : public HidBus {
public:
    explicit CombinedHidBus(std::filesystem::path simSocket = simbus::DefaultSocketPath());
    ~CombinedHidBus() override;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* whyNot = nullptr) override;
    void SetHotplugHandler(std::function<void(HidChange)> handler) override;

private:
    struct Handler {
        std::mutex mutex;
        std::function<void(HidChange)> function;
    };

    HidrawBus hidraw_;
    simbus::SimHidBus sim_;
    std::shared_ptr<Handler> handler_ = std::make_shared<Handler>();
};

} // namespace vexmo
