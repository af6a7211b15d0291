// DeviceLink: start-up, discovery, device changes and the events the reader threads queue.
#include "device/DeviceLink.h"

#include "device/DpiStepTable.h"

namespace vexmo {

namespace {
// The status timer queries the mouse when its counter passes this value (every 21 ticks).
constexpr int kStatusCounterLimit = 20;
// A device change queries the status two ticks later.
constexpr int kStatusCounterAfterChange = 19;
} // namespace

DeviceLink::DeviceLink(DeviceLinkHost& host, HidBus& bus, Clock& clock, std::vector<uint16_t>& dpiSteps)
    : host_(host), dpiSteps_(dpiSteps), discovery_(bus, *events_), channel_(clock), bus_(bus) {
    events_->SetWake([this] { host_.WakeForLinkEvents(); });
}

DeviceLink::~DeviceLink() {
    Shutdown();
}

void DeviceLink::Shutdown() {
    bus_.SetHotplugHandler(nullptr);
    events_->SetWake(nullptr); // a hotplug call still in flight can no longer reach the host
    channel_.SetTargets(nullptr, nullptr);
    discovery_.Shutdown();
}

void DeviceLink::StartUp() {
    RegisterForDeviceChanges();
    SyncShadows();
    if (DiscoverDevices() && TakeStatusNeeded()) {
        QueryDeviceStatus();
        host_.RefreshControls();
    }
}

void DeviceLink::RegisterForDeviceChanges() {
    statusNeeded_ = true;
    bus_.SetHotplugHandler([events = events_](HidChange change) {
        LinkEvent event;
        event.type = LinkEvent::Type::DeviceChange;
        event.change = change;
        events->Push(std::move(event));
    });
}

bool DeviceLink::DiscoverDevices() {
    const bool wasPresent = discovery_.AnyPresent();
    anyFound_ = discovery_.DiscoverDevices();
    channel_.SetTargets(discovery_.FeatureHandle(DeviceKind::Wired),
                        discovery_.FeatureHandle(DeviceKind::Receiver));
    if (anyFound_) {
        host_.StartStatusTimer();
    }
    // A mouse that comes back with the configuration it had receives nothing: only blocks
    // that differ from their shadows go out. The motion block is included, so an edit made
    // while no mouse was connected reaches it too.
    RaiseChangeFlags(ChangeFlags::All());
    suppressProgress_ = true;
    host_.StartApplyTimer();
    if (wasPresent && !anyFound_) {
        // The last mouse interface has gone, whichever event noticed it first: an arrival
        // handled after the device already left, or the status timer, leaves the removal
        // that follows nothing to do.
        statusNeeded_ = true;
        host_.OnAllDevicesGone();
    }
    return anyFound_;
}

void DeviceLink::OnDeviceChange(HidChange change) {
    if (change == HidChange::Arrival) {
        if (discovery_.AllPresent()) {
            return; // nothing of ours can have arrived
        }
        DiscoverDevices();
        host_.SetStatusCounter(kStatusCounterAfterChange);
        if (anyFound_ && TakeStatusNeeded()) {
            QueryDeviceStatus();
            host_.RefreshControls();
        }
        host_.RefreshControls();
        return;
    }
    if (!discovery_.AnyPresent()) {
        return;
    }
    DiscoverDevices(); // ends the program when nothing is left
    host_.SetStatusCounter(kStatusCounterAfterChange);
}

void DeviceLink::ProcessLinkEvents() {
    for (const LinkEvent& event : events_->TakeAll()) {
        if (event.type == LinkEvent::Type::DeviceChange) {
            OnDeviceChange(event.change);
        } else {
            HandleSettingChange(event.report);
        }
    }
}

void DeviceLink::StatusTimerTick() {
    const int counter = host_.StatusCounter();
    if (counter < kStatusCounterLimit) {
        host_.SetStatusCounter(counter + 1);
        return;
    }
    host_.SetStatusCounter(0);
    for (DeviceKind kind : kDeviceKinds) {
        // A kind whose reader stopped, or whose feature interface was closed after a failed
        // write, is connected again.
        const bool lost = !discovery_.Reader(kind).Busy() || discovery_.FeatureHandle(kind) == nullptr;
        if (discovery_.Present(kind) && lost) {
            DiscoverDevices();
            host_.SetStatusCounter(kStatusCounterAfterChange);
        }
    }
    if (host_.IsActivated()) {
        QueryDeviceStatus();
    }
}

bool DeviceLink::TakeStatusNeeded() {
    const bool needed = statusNeeded_;
    statusNeeded_ = false;
    return needed;
}

void DeviceLink::BuildDpiTable() {
    vexmo::BuildDpiTable(host_.Settings().sensorModel, dpiSteps_);
}

ProfileRecord& DeviceLink::CurrentProfile() {
    ProfileTable& profiles = host_.Profiles();
    ProfileRecord* record = profiles.Slot(host_.Settings().CurrentProfile());
    return record != nullptr ? *record : profiles[0];
}

} // namespace vexmo
