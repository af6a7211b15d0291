// Any bytes as the mouse's status reply: decoded on their own and by the device link, which
// must drop what it cannot use and never read past the reply.
#include "device/DeviceLink.h"
#include "device/StatusReply.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using namespace vexmo;

class NoBus final : public HidBus {
public:
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    std::unique_ptr<HidDevice> Open(const std::string&, std::string*) override { return nullptr; }
    void SetHotplugHandler(std::function<void(HidChange)>) override {}
};

class NoClock final : public Clock {
public:
    uint64_t NowMs() override { return now; }
    void Sleep(uint32_t ms) override { now += ms; }
    uint64_t now = 0;
};

class QuietHost final : public DeviceLinkHost {
public:
    bool IsActivated() const override { return true; }
    ProfileTable& Profiles() override { return profiles; }
    AppSettings& Settings() override { return settings; }
    const MacroLibrary& Library() const override { return library; }
    bool MacrosChanged() const override { return false; }
    void ClearMacrosChanged() override {}
    int StatusCounter() const override { return 0; }
    void SetStatusCounter(int) override {}
    void StartApplyTimer() override {}
    void RestartSaveTimer() override {}
    void StartStatusTimer() override {}
    void ShowProgress() override {}
    void RefreshControls() override {}
    void OnDeviceLinkReported(bool) override {}
    void OnSensorModelChanged() override {}
    void RequestOnScreenDisplay() override {}
    void OnAllDevicesGone() override {}
    void OnMacroShortened(size_t, uint32_t, uint32_t) override {}
    void WakeForLinkEvents() override {}

    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary library;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> reply(data, size);
    const auto status = DecodeStatusReply(reply);
    if (status && status->charge == ChargeState::Charged && status->batteryLevel != 100) {
        __builtin_trap();
    }
    static NoBus bus;
    static NoClock clock;
    static QuietHost host;
    static std::vector<uint16_t> steps;
    static DeviceLink link(host, bus, clock, steps);
    // Keep the model the reply names, so the sensor-change path (which saves every file) is
    // not taken on each input; its own tests cover it.
    if (status) {
        if (const auto model = SensorModelForCode(status->sensorCode)) {
            host.settings.sensorModel = *model;
        }
    }
    link.ParseStatusReply(reply);
    if (status && link.BatteryLevel() != status->batteryLevel) {
        __builtin_trap();
    }
    return 0;
}
