// Any bytes as an input report, against any DPI level mask: the link must take only enabled
// levels and known rates, and never index past the levels or the rate names.
#include "device/DeviceLink.h"
#include "device/InputReport.h"

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

// First byte: the profile's enabled-level mask; the rest: the report.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    static NoBus bus;
    static NoClock clock;
    static QuietHost host;
    static std::vector<uint16_t> steps;
    static DeviceLink link(host, bus, clock, steps);
    ProfileRecord& profile = host.profiles[0];
    profile.DPIOffOnFlagValue = data[0];
    profile.CurrentDPILevelValue = 0;
    link.SetCurrentDpiLevelCache(0);
    link.HandleSettingChange(std::span<const uint8_t>(data + 1, size - 1));
    const int enabled = EnabledLevelCount(profile.DPIOffOnFlagValue);
    if (profile.CurrentDPILevelValue != 0 && profile.CurrentDPILevelValue >= enabled) {
        __builtin_trap();
    }
    if (link.CurrentDpiLevelCache() != profile.CurrentDPILevelValue || profile.PollingRateValue[0] > 3) {
        __builtin_trap();
    }
    return 0;
}
