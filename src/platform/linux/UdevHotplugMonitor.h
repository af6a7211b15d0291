#pragma once
// Watches udev for devices of one subsystem coming and going, on a thread of its own, and
// reports them as HID arrival and removal events. Stops (and joins) when destroyed.
#include "platform/HidBus.h"

#include <functional>
#include <string>
#include <thread>

namespace vexmo {

class UdevHotplugMonitor {
public:
    UdevHotplugMonitor(std::string subsystem, std::function<void(HidChange)> handler);
    ~UdevHotplugMonitor();
    UdevHotplugMonitor(const UdevHotplugMonitor&) = delete;
    UdevHotplugMonitor& operator=(const UdevHotplugMonitor&) = delete;

private:
    void Run();

    const std::string subsystem_;
    const std::function<void(HidChange)> handler_;
    int stopFd_ = -1;
    std::thread thread_;
};

} // namespace vexmo
