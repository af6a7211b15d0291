#pragma once
// Finds the mouse's interfaces on the HID bus: per device kind the feature interface that
// carries every command (kept open) and the input interface its reader thread blocks on.
// User-interface thread only; the reader threads are owned here too.
#include "device/DeviceKind.h"
#include "device/InputReader.h"
#include "device/LinkEventQueue.h"
#include "platform/HidBus.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vexmo {

// Only the first hundred interfaces of an enumeration are examined.
inline constexpr int kMaxMemberIndex = 100;

class DeviceDiscovery {
public:
    DeviceDiscovery(HidBus& bus, LinkEventQueue& queue);
    ~DeviceDiscovery();
    DeviceDiscovery(const DeviceDiscovery&) = delete;
    DeviceDiscovery& operator=(const DeviceDiscovery&) = delete;

    // Full scan and connection. Returns any-found: a feature interface of either kind.
    bool DiscoverDevices();

    bool Present(DeviceKind kind) const { return State(kind).present; }
    bool AnyPresent() const { return Present(DeviceKind::Wired) || Present(DeviceKind::Receiver); }
    bool AllPresent() const { return Present(DeviceKind::Wired) && Present(DeviceKind::Receiver); }
    HidDevice* FeatureHandle(DeviceKind kind) const { return State(kind).featureHandle.get(); }
    const std::string& FeaturePath(DeviceKind kind) const { return State(kind).featurePath; }
    int FeatureMemberIndex(DeviceKind kind) const { return State(kind).featureMemberIndex; }
    InputReader& Reader(DeviceKind kind) { return *State(kind).reader; }
    const InputReader& Reader(DeviceKind kind) const { return *State(kind).reader; }

    // Why the last mouse interface that could not be opened failed (empty when none failed).
    const std::string& LastOpenFailure() const { return lastOpenFailure_; }

    // Closes a feature interface that stopped accepting reports; the next discovery opens it
    // again while the kind is present.
    void CloseFeature(DeviceKind kind) { State(kind).featureHandle.reset(); }

    // Closes the feature handles and stops the reader threads.
    void Shutdown();

private:
    struct KindState {
        bool present = false;
        int featureMemberIndex = -1;
        std::string featurePath; // remembered across discoveries while the kind stays present
        std::unique_ptr<HidDevice> featureHandle;
        std::unique_ptr<InputReader> reader;
        // This pass: the first usable feature interface of the kind, whatever its path.
        int candidateIndex = -1;
        std::string candidatePath;
    };

    KindState& State(DeviceKind kind) { return kinds_[KindIndex(kind)]; }
    const KindState& State(DeviceKind kind) const { return kinds_[KindIndex(kind)]; }

    void ScanInterface(int memberIndex, const std::vector<HidInterfaceInfo>& interfaces);
    void ConnectKind(DeviceKind kind, const std::vector<HidInterfaceInfo>& interfaces);
    void StartReader(DeviceKind kind);
    std::unique_ptr<HidDevice> OpenMatching(const std::string& path, DeviceKind kind);

    HidBus& bus_;
    std::array<KindState, kDeviceKindCount> kinds_;
    std::string lastOpenFailure_;
};

} // namespace vexmo
