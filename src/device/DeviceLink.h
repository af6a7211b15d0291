#pragma once
// The program's side of the mouse: finding it, sending the configuration as shadowed blocks,
// querying its status and taking the setting changes it reports. Owned by value by the main
// window; everything runs on the user-interface thread except the reader threads, which only
// queue what they read (ProcessLinkEvents takes it on the user-interface thread).
//
// How the window drives it:
//   initialisation      BuildDpiTable (after the settings are loaded), RefreshControls, then
//                       StartUp: RegisterForDeviceChanges, SyncShadows, DiscoverDevices and,
//                       when a mouse was found and the status is needed, QueryDeviceStatus
//   an edit             RaiseChangeFlags(...), then start timer 30
//   timer 30            ApplyChanges            (apply button: RaiseChangeFlags + ApplyChanges)
//   timer 110           StatusTimerTick, then the battery display from BatteryLevel/Charge
//   restore factory     SendFactoryReset, reset the profile, SyncShadows
//   WakeForLinkEvents   post a message; its handler calls ProcessLinkEvents (setting changes
//                       from the reader threads and device arrivals/removals from the bus)
//   destruction         Shutdown (or let the link go out of scope)
#include "device/ConfigBlocks.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLinkHost.h"
#include "device/LinkEventQueue.h"
#include "device/MacroSlots.h"
#include "device/ReportChannel.h"
#include "device/ShadowBlocks.h"
#include "device/StatusReply.h"
#include "platform/Clock.h"
#include "platform/HidBus.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace vexmo {

// Which groups of blocks the next ApplyChanges rebuilds and compares.
struct ChangeFlags {
    bool keys = false;
    bool performance = false;
    bool power = false;
    bool motion = false;

    static ChangeFlags All() { return {true, true, true, true}; }
    bool Any() const { return keys || performance || power || motion; }
};

class DeviceLink {
public:
    // `dpiSteps` is the process's DPI step table (rebuilt here when the sensor changes).
    DeviceLink(DeviceLinkHost& host, HidBus& bus, Clock& clock, std::vector<uint16_t>& dpiSteps);
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // --- Start-up and devices -------------------------------------------------------------
    void StartUp();
    // Bus hotplug events reach the user-interface thread through the link's queue.
    void RegisterForDeviceChanges();
    // Full scan; raises every change flag (without a progress dialog) and starts the apply
    // timer. When it finds nothing where a mouse was present before,
    // the host is told that all devices are gone. Returns whether a mouse was found.
    bool DiscoverDevices();
    void OnDeviceChange(HidChange change);
    // Takes what the reader threads and the bus queued: setting changes and device changes.
    void ProcessLinkEvents();
    // Timer 110, steps before the battery display: count, rediscover a kind whose reader
    // stopped, query the status every 21 ticks.
    void StatusTimerTick();
    // Stops the reader threads and closes the interfaces (the window's destruction).
    void Shutdown();

    // --- Configuration upload ----------------------------------------------------------------
    void RaiseChangeFlags(ChangeFlags flags);
    ChangeFlags PendingChanges() const { return flags_; }
    void SuppressProgress() { suppressProgress_ = true; }
    void ApplyChanges();
    void SyncShadows();
    // Restore factory settings: the one report, without a pause. False when nothing was written.
    bool SendFactoryReset();
    // Rebuilds the DPI step table for the configured sensor model.
    void BuildDpiTable();

    // --- Status ------------------------------------------------------------------------------
    void QueryDeviceStatus();
    void ParseStatusReply(std::span<const uint8_t> reply);
    // A setting-change input report, on the user-interface thread.
    void HandleSettingChange(std::span<const uint8_t> report);

    uint8_t BatteryLevel() const { return batteryLevel_; }
    void SetBatteryLevel(uint8_t level) { batteryLevel_ = level; }
    ChargeState Charge() const { return charge_; }
    int RawSensorCode() const { return rawSensorCode_; }
    // Position of the active DPI level among the enabled ones, from 0.
    int CurrentDpiLevelCache() const { return currentDpiLevel_; }
    void SetCurrentDpiLevelCache(int position) { currentDpiLevel_ = position; }
    bool StatusNeeded() const { return statusNeeded_; }
    // Clears the status-needed flag and returns whether it was set.
    bool TakeStatusNeeded();
    bool AnyFound() const { return anyFound_; }

    const DeviceDiscovery& Discovery() const { return discovery_; }
    const ShadowBlocks& Shadows() const { return shadows_; }
    uint8_t NextSequence() const { return channel_.NextSequence(); }
    uint64_t ReportsWritten() const { return channel_.WrittenCount(); }
    // The last ApplyChanges stopped at a failed write (everything goes out again next time).
    bool LastTransferFailed() const { return lastTransferFailed_; }
    // The status exchange alone, without acting on the reply (for tools that only look).
    std::optional<Report> ReadStatusReply() { return channel_.QueryStatus(); }

private:
    ProfileRecord& CurrentProfile();
    void SendButtonBlock();
    void SendPerformanceBlocks();
    void SendPowerBlock();
    void SendMotionWakeBlock();
    void UploadMacros(bool send);
    void SendMacro(uint8_t slot, const DeviceMacro& macro);
    void RebuildShadows();
    // One configuration report followed by its pause. After a failed write the rest of the
    // transfer is skipped: the device is going away, or the mouse lost what it was sent.
    void SendAndPause(Command command, uint8_t length, std::span<const uint8_t> payload);
    bool Sendable() const { return channel_.HasTarget() && !transferFailed_; }
    void ConcludeFailedTransfer();
    void ChangeSensor(uint16_t model);

    DeviceLinkHost& host_;
    std::vector<uint16_t>& dpiSteps_;
    // Shared with the bus's hotplug handler, which may still be running on the bus's thread
    // while the link goes away.
    std::shared_ptr<LinkEventQueue> events_ = std::make_shared<LinkEventQueue>();
    DeviceDiscovery discovery_;
    ReportChannel channel_;
    ShadowBlocks shadows_;
    HidBus& bus_;
    MacroBindings bindings_{};

    ChangeFlags flags_;
    bool sendHappened_ = false;
    bool suppressProgress_ = false;
    bool transferFailed_ = false;
    bool lastTransferFailed_ = false;
    bool statusNeeded_ = true;
    bool anyFound_ = false;

    uint8_t batteryLevel_ = 10;
    ChargeState charge_ = ChargeState::NotCharging;
    int rawSensorCode_ = 0;
    int currentDpiLevel_ = 2;
};

} // namespace vexmo
