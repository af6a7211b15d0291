#pragma once
// A device link with nothing around it, for the fuzzers that feed it bytes: no devices, a
// clock that never waits, and a host that only holds the profiles, settings and library.
#include "device/DeviceLink.h"

#include <cstdint>
#include <vector>

namespace vexmo::fuzz {

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


// One link for the whole run, as the window owns one for its whole life.
struct LinkUnderFuzz {
    NoBus bus;
    NoClock clock;
    QuietHost host;
    std::vector<uint16_t> steps;
    DeviceLink link{host, bus, clock, steps};
};

} // namespace vexmo::fuzz
