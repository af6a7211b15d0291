#include "platform/linux/UdevHotplugMonitor.h"

#include <cstring>
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vexmo {

UdevHotplugMonitor::UdevHotplugMonitor(std::string subsystem, std::function<void(HidChange)> handler)
    : subsystem_(std::move(subsystem)), handler_(std::move(handler)),
      stopFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (stopFd_ >= 0) {
        thread_ = std::thread([this] { Run(); });
    }
}

UdevHotplugMonitor::~UdevHotplugMonitor() {
    if (thread_.joinable()) {
        const uint64_t one = 1;
        (void)!::write(stopFd_, &one, sizeof one);
        thread_.join();
    }
    if (stopFd_ >= 0) {
        ::close(stopFd_);
    }
}

void UdevHotplugMonitor::Run() {
    udev* context = udev_new();
    udev_monitor* monitor = context ? udev_monitor_new_from_netlink(context, "udev") : nullptr;
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, subsystem_.c_str(), nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        // No udev here (a bare container): there will be no hotplug, but nothing breaks.
        if (monitor != nullptr) {
            udev_monitor_unref(monitor);
        }
        if (context != nullptr) {
            udev_unref(context);
        }
        return;
    }
    const int monitorFd = udev_monitor_get_fd(monitor);
    for (;;) {
        pollfd fds[2] = {{monitorFd, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            continue;
        }
        if (fds[1].revents & POLLIN) {
            break;
        }
        udev_device* device = udev_monitor_receive_device(monitor);
        if (device == nullptr) {
            continue;
        }
        const char* action = udev_device_get_action(device);
        if (action != nullptr && std::strcmp(action, "add") == 0) {
            handler_(HidChange::Arrival);
        } else if (action != nullptr && std::strcmp(action, "remove") == 0) {
            handler_(HidChange::RemovalComplete);
        }
        udev_device_unref(device);
    }
    udev_monitor_unref(monitor);
    udev_unref(context);
}

} // namespace vexmo
