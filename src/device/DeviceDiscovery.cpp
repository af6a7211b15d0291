#include "device/DeviceDiscovery.h"

namespace vexmo {

DeviceDiscovery::DeviceDiscovery(HidBus& bus, LinkEventQueue& queue) : bus_(bus) {
    for (DeviceKind kind : kDeviceKinds) {
        State(kind).reader = std::make_unique<InputReader>(kind, queue);
    }
}

DeviceDiscovery::~DeviceDiscovery() {
    Shutdown();
}

void DeviceDiscovery::Shutdown() {
    for (KindState& state : kinds_) {
        state.reader->Stop();
        state.featureHandle.reset();
    }
}

bool DeviceDiscovery::DiscoverDevices() {
    for (KindState& state : kinds_) {
        state.present = false;
        state.candidateIndex = -1;
        state.candidatePath.clear();
    }
    // One snapshot for the whole pass, so member indexes and paths agree with each other.
    const std::vector<HidInterfaceInfo> interfaces = bus_.Enumerate();
    for (int memberIndex = 0; memberIndex < kMaxMemberIndex; ++memberIndex) {
        ScanInterface(memberIndex, interfaces);
    }
    for (KindState& state : kinds_) {
        // The remembered interface has gone but another mouse of the kind is there: take it
        // now, rather than report no mouse while one is connected.
        if (!state.present && state.candidateIndex >= 0) {
            state.featureHandle.reset();
            state.present = true;
            state.featureMemberIndex = state.candidateIndex;
            state.featurePath = state.candidatePath;
        }
    }
    for (DeviceKind kind : kDeviceKinds) {
        ConnectKind(kind, interfaces);
    }
    return AnyPresent();
}

void DeviceDiscovery::ScanInterface(int memberIndex, const std::vector<HidInterfaceInfo>& interfaces) {
    if (static_cast<size_t>(memberIndex) >= interfaces.size()) {
        return;
    }
    const HidInterfaceInfo& listed = interfaces[static_cast<size_t>(memberIndex)];
    const std::optional<DeviceKind> listedKind = KindOfDevice(listed.vendorId, listed.productId);
    if (!listedKind) {
        return; // not ours: no need to open it
    }
    // Opening proves the interface usable; its attributes are taken from the open device.
    const std::unique_ptr<HidDevice> device = OpenMatching(listed.path, *listedKind);
    if (device == nullptr) {
        return;
    }
    const HidInterfaceInfo& info = device->Info();
    KindState& state = State(*listedKind);
    if (info.inputReportByteLength == kMouseReportByteLength) {
        // An input interface is never taken as the feature interface.
        state.reader->RecordInterfaceIfNone(memberIndex, listed.path);
        return;
    }
    if (info.featureReportByteLength != kMouseReportByteLength) {
        return;
    }
    if (state.candidateIndex < 0) {
        state.candidateIndex = memberIndex;
        state.candidatePath = listed.path;
    }
    if (state.featurePath.empty()) {
        state.present = true;
        state.featureMemberIndex = memberIndex;
        state.featurePath = listed.path;
    } else if (state.featurePath == listed.path) {
        // A remembered interface keeps the kind; a second identical mouse does not.
        state.present = true;
        state.featureMemberIndex = memberIndex;
    }
}

void DeviceDiscovery::ConnectKind(DeviceKind kind, const std::vector<HidInterfaceInfo>& interfaces) {
    KindState& state = State(kind);
    if (!state.present) {
        state.featureHandle.reset();
        state.featurePath.clear();
        return;
    }
    StartReader(kind);
    if (state.featureHandle != nullptr) {
        return;
    }
    const size_t index = static_cast<size_t>(state.featureMemberIndex);
    if (index < interfaces.size() && interfaces[index].path == state.featurePath) {
        state.featureHandle = OpenMatching(state.featurePath, kind);
    }
}

void DeviceDiscovery::StartReader(DeviceKind kind) {
    InputReader& reader = *State(kind).reader;
    if (reader.Busy()) {
        return; // the running reader keeps its interface
    }
    const std::string path = reader.InputPath();
    if (path.empty()) {
        return;
    }
    std::unique_ptr<HidDevice> device = OpenMatching(path, kind);
    if (device == nullptr || device->Info().inputReportByteLength != kMouseReportByteLength) {
        reader.ForgetInterface();
        return;
    }
    reader.Start(std::move(device));
}

// Opens an interface and keeps it only when its attributes still name this kind.
std::unique_ptr<HidDevice> DeviceDiscovery::OpenMatching(const std::string& path, DeviceKind kind) {
    std::string whyNot;
    std::unique_ptr<HidDevice> device = bus_.Open(path, &whyNot);
    if (device == nullptr) {
        lastOpenFailure_ = whyNot.empty() ? "cannot open " + path : whyNot;
        return nullptr;
    }
    const HidInterfaceInfo& info = device->Info();
    if (KindOfDevice(info.vendorId, info.productId) != kind) {
        return nullptr;
    }
    return device;
}

} // namespace vexmo
