// Device-change registration: bus hotplug events from the bus's own thread arrive at the
// window as WM_DEVICECHANGE 0x8000 / 0x8004 and stop once unregistered.
#include <gtest/gtest.h>

#include <thread>

#include "platform/HeadlessFixture.h"
#include "platform/desktop/DeviceNotification.h"

namespace vexmo {
namespace {

class HotplugOnlyBus final : public HidBus {
public:
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    std::unique_ptr<HidDevice> Open(const std::string&, std::string*) override { return nullptr; }
    void SetHotplugHandler(std::function<void(HidChange)> handler) override { handler_ = std::move(handler); }
    // Raises the change from another thread, as the real buses do.
    void Raise(HidChange change) {
        std::thread([this, change] {
            if (handler_)
                handler_(change);
        }).join();
    }
    bool HasHandler() const { return static_cast<bool>(handler_); }

private:
    std::function<void(HidChange)> handler_;
};

class DeviceNotificationTest : public HeadlessTest {};

TEST_F(DeviceNotificationTest, ChangesArriveAsDeviceChangeMessages) {
    std::vector<Received> journal;
    RecordingWnd window(journal);
    ASSERT_TRUE(window.Open({0, 0, 50, 50}));
    HotplugOnlyBus bus;
    {
        DeviceNotification registration(bus, window.Handle());
        bus.Raise(HidChange::Arrival);
        bus.Raise(HidChange::RemovalComplete);
        screen->RunUntilIdle();
        DeviceNotification moved = std::move(registration);
        EXPECT_FALSE(registration.IsRegistered());
        EXPECT_TRUE(moved.IsRegistered());
    }
    EXPECT_FALSE(bus.HasHandler());
    bus.Raise(HidChange::Arrival);
    screen->RunUntilIdle();
    std::vector<WPARAM> changes;
    for (const Received& r : journal) {
        if (r.message == WM_DEVICECHANGE)
            changes.push_back(r.wParam);
    }
    EXPECT_EQ(changes, (std::vector<WPARAM>{0x8000, 0x8004}));
}

} // namespace
} // namespace vexmo
