#pragma once
// A HidBus over simulated mice in the same process: no sockets, no threads of its own, so
// device-link tests run on a virtual Clock.
//
// Each plugged kind of each mouse shows two interfaces, in this enumeration order per mouse:
//     sim://<name>/wired/input      248d:5b5e  input 33, feature 0
//     sim://<name>/wired/feature    248d:5b5e  input 0,  feature 33
//     sim://<name>/receiver/input   248d:5b5f  ...
//     sim://<name>/receiver/feature
// followed by any unrelated interfaces added with AddOtherInterface.
//
//     sim::SimulatedMouse mouse(clock);
//     mouse.Plug(sim::SimKind::Wired);
//     sim::InProcessHidBus bus(mouse);
//     bus.SetHotplugHandler([&](HidChange c) { changes.push_back(c); });
//     mouse.Unplug(sim::SimKind::Wired);   // handler gets RemovalComplete, synchronously
//
// Hotplug handlers run on the thread that plugged or unplugged (or on the host thread whose
// report triggered a disconnect fault), outside every lock: queue the event, don't rediscover
// inside the handler. The mice must outlive the bus and every device opened from it.
#include "platform/HidBus.h"
#include "sim/SimulatedMouse.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vexmo::sim {

class InProcessHidBus final : public HidBus {
public:
    explicit InProcessHidBus(SimulatedMouse& mouse, std::string name = "mouse");
    ~InProcessHidBus() override;
    InProcessHidBus(const InProcessHidBus&) = delete;
    InProcessHidBus& operator=(const InProcessHidBus&) = delete;

    // A second mouse on the same bus (for example an identical one), enumerated after the first.
    void AddMouse(SimulatedMouse& mouse, std::string name);
    // An unrelated device interface; raises an arrival. Opening it works, transfers fail.
    void AddOtherInterface(const HidInterfaceInfo& info);
    void RemoveOtherInterface(const std::string& path);
    // Makes Open of `path` fail with `why` (as a hidraw node without permission would).
    void DenyOpen(const std::string& path, std::string why);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* whyNot = nullptr) override;
    void SetHotplugHandler(std::function<void(HidChange)> handler) override;

    static std::string InterfacePath(const std::string& mouseName, SimKind kind, bool input);

private:
    struct Hotplug {
        std::mutex mutex;
        std::function<void(HidChange)> handler;
        void Raise(HidChange change);
    };
    struct Attached {
        SimulatedMouse* mouse;
        std::string name;
        int listenerId;
    };

    std::shared_ptr<Hotplug> hotplug_ = std::make_shared<Hotplug>();
    std::mutex mutex_;
    std::vector<Attached> mice_;
    std::vector<HidInterfaceInfo> others_;
    std::map<std::string, std::string> denied_;
};

} // namespace vexmo::sim
