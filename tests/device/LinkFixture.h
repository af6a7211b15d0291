#pragma once
// A DeviceLink over the simulated mouse on a virtual clock, with a host that records what the
// link asked of the window.
#include "FakeHid.h"
#include "device/DeviceLink.h"
#include "macros/MacroLibrary.h"
#include "sim/InProcessHidBus.h"
#include "sim/SimulatedMouse.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <tuple>
#include <vector>

namespace vexmo::test {

class RecordingHost final : public DeviceLinkHost {
public:
    RecordingHost();

    bool IsActivated() const override { return activated; }
    ProfileTable& Profiles() override { return profiles; }
    AppSettings& Settings() override { return settings; }
    const MacroLibrary& Library() const override { return library; }
    bool MacrosChanged() const override { return macrosChanged; }
    void ClearMacrosChanged() override { macrosChanged = false; }
    int StatusCounter() const override { return statusCounter; }
    void SetStatusCounter(int value) override { statusCounter = value; }
    void StartApplyTimer() override { ++applyTimerStarts; }
    void RestartSaveTimer() override { ++saveTimerRestarts; }
    void StartStatusTimer() override { ++statusTimerStarts; }
    void ShowProgress() override { ++progressShown; }
    void RefreshControls() override { ++refreshes; }
    void OnDeviceLinkReported(bool linkUp) override { linkReports.push_back(linkUp); }
    void OnSensorModelChanged() override { ++sensorChanges; }
    void RequestOnScreenDisplay() override { ++displayRequests; }
    void OnAllDevicesGone() override { ++allGone; }
    void OnMacroShortened(size_t button, uint32_t sent, uint32_t total) override {
        shortened.emplace_back(button, sent, total);
    }
    void WakeForLinkEvents() override { ++wakes; }

    ProfileRecord& Current() { return profiles[static_cast<size_t>(settings.CurrentProfile())]; }

    bool activated = true;
    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary library;
    bool macrosChanged = false;
    int statusCounter = 0;
    int applyTimerStarts = 0;
    int saveTimerRestarts = 0;
    int statusTimerStarts = 0;
    int progressShown = 0;
    int refreshes = 0;
    int sensorChanges = 0;
    int displayRequests = 0;
    int allGone = 0;
    std::vector<bool> linkReports;
    std::vector<std::tuple<size_t, uint32_t, uint32_t>> shortened;
    std::atomic<int> wakes{0};
};

// One report the mouse received (or, for "get", answered).
struct Frame {
    uint64_t ms;
    std::string kind;
    std::string direction;
    std::vector<uint8_t> bytes;
    uint8_t Command() const { return bytes.size() > 2 ? bytes[2] : 0; }
    uint8_t Sequence() const { return bytes.size() > 4 ? bytes[4] : 0; }
};

class LinkTest : public ::testing::Test {
protected:
    LinkTest();

    // Plugs the kinds, registers for device changes and runs discovery (with the shadows as
    // the test left them).
    void Connect(bool wired, bool receiver);
    // The host frames ("set") the mouse received since the last call.
    std::vector<Frame> TakeSets();
    std::vector<Frame> TakeLog();
    // Waits for the reader threads to queue `count` events, then processes them.
    bool ProcessWhenQueued(int wakes);
    // Adds a macro at level 0 of the library and returns its id.
    uint32_t AddLibraryMacro(const std::string& name, const std::vector<MacroAction>& actions,
                             uint8_t loopType = 2, uint8_t loopCount = 1);
    void BindMacro(size_t button, uint32_t macroKeyIndex);

    TempDir temp;
    VirtualClock clock;
    sim::SimulatedMouse mouse{clock};
    sim::InProcessHidBus bus{mouse};
    RecordingHost host;
    std::vector<uint16_t> dpiSteps;
    DeviceLink link{host, bus, clock, dpiSteps};
};

} // namespace vexmo::test
