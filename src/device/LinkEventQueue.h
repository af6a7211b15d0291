#pragma once
// Hands what the reader threads and the HID bus's hotplug thread observe to the user-interface
// thread. Producers push from any thread and the queue wakes the user-interface thread (the
// window layer posts itself a message); that thread then takes everything at once.
#include "device/DeviceKind.h"
#include "platform/HidBus.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace vexmo {

struct LinkEvent {
    enum class Type { SettingChange, DeviceChange };
    Type type = Type::SettingChange;
    DeviceKind kind = DeviceKind::Wired;   // SettingChange: the interface it came from
    std::vector<uint8_t> report;           // SettingChange: the input report as read
    HidChange change = HidChange::Arrival; // DeviceChange
};

class LinkEventQueue {
public:
    // Called after every push, on the pushing thread; it must only post, never process.
    // Once SetWake returns, no call of the previous wake is still running.
    void SetWake(std::function<void()> wake);
    void Push(LinkEvent event);
    // Everything pushed so far, oldest first.
    std::vector<LinkEvent> TakeAll();
    size_t Size() const;

private:
    mutable std::mutex mutex_; // guards events_
    std::deque<LinkEvent> events_;
    std::mutex wakeMutex_; // held while wake_ runs, so it can be replaced safely
    std::function<void()> wake_;
};

} // namespace vexmo
