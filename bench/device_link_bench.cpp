// What the device link costs beyond the protocol's own pauses. The clock is virtual, so the
// 60 ms between reports take no time and what is measured is the link's own work: building
// every block, comparing it with its shadow, encoding and chunking the macros and framing
// the reports. The second benchmark measures the CPU a reader thread uses while it waits
// for input reports (it should use none).
#include "device/DeviceLink.h"
#include "device/InputReader.h"
#include "settings/KeyAssignment.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace {

using namespace vexmo;

class VirtualClock final : public Clock {
public:
    uint64_t NowMs() override { return now; }
    void Sleep(uint32_t ms) override { now += ms; }
    uint64_t now = 0;
};

// Accepts every feature report; input reads wait until cancelled, as with an idle mouse.
class QuietDevice final : public HidDevice {
public:
    explicit QuietDevice(HidInterfaceInfo info) : info_(std::move(info)) {}
    const HidInterfaceInfo& Info() const override { return info_; }
    bool SetFeature(const uint8_t*, size_t) override { return true; }
    bool GetFeature(uint8_t*, size_t) override { return false; }
    int ReadInput(uint8_t*, size_t) override {
        std::unique_lock lock(mutex_);
        pthread_getcpuclockid(pthread_self(), &readerClock_);
        readerKnown_ = true;
        wake_.notify_all();
        wake_.wait(lock, [&] { return cancelled_; });
        return -1;
    }
    void CancelInput() override {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        wake_.notify_all();
    }

    // The CPU clock of the thread blocked in ReadInput, once one is.
    clockid_t ReaderClock() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return readerKnown_; });
        return readerClock_;
    }

private:
    HidInterfaceInfo info_;
    clockid_t readerClock_{};
    bool readerKnown_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
};

class OneMouseBus final : public HidBus {
public:
    std::vector<HidInterfaceInfo> Enumerate() override {
        return {{"bench/input", kMouseVendorId, kWiredProductId, 33, 0},
                {"bench/feature", kMouseVendorId, kWiredProductId, 0, 33}};
    }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string*) override {
        for (const HidInterfaceInfo& info : Enumerate()) {
            if (info.path == path) {
                return std::make_unique<QuietDevice>(info);
            }
        }
        return nullptr;
    }
    void SetHotplugHandler(std::function<void(HidChange)>) override {}
};

class BenchHost final : public DeviceLinkHost {
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

// Six buttons bound to six different macros of 40 key events each, in library folders.
void BindSixMacros(BenchHost& host) {
    for (int m = 0; m < 6; ++m) {
        auto macro = std::make_unique<MacroRecord>("m" + std::to_string(m));
        macro->MacroKeyIndex = static_cast<uint32_t>(m + 1);
        for (int i = 0; i < 20; ++i) {
            macro->InsertAction(macro->ActionCount, MacroAction::Press(static_cast<uint8_t>(0x41 + m)));
            macro->InsertAction(macro->ActionCount, MacroAction::Delay(20));
            macro->InsertAction(macro->ActionCount, MacroAction::Release(static_cast<uint8_t>(0x41 + m)));
        }
        macro->CommandCount = 40;
        host.library.AddFolderAt({0, m, 0, 0}, "folder" + std::to_string(m), false);
        host.library.AddMacroAt({1, m, 0, 0}, "m" + std::to_string(m), std::move(macro));
        KeyAssignment& key = host.profiles[0].keys[static_cast<size_t>(m)];
        key.code = kMacroCode;
        key.MacroKeyIndex = static_cast<uint32_t>(m + 1);
    }
}

// Every block of the profile, every button and every macro differs between two consecutive
// calls: 6 button reports, 6 performance, power, motion and 6 macros of 5 chunks.
void ToggleEverything(ProfileRecord& profile, bool odd, MacroLibrary& library) {
    profile.DPIOffOnFlagValue = odd ? 0x3F : 0x1F;
    profile.DPILevelIndication[0] = odd ? 0xFF : 0xFE;
    profile.PollingRateValue[0] = odd ? 1 : 2;
    profile.settings[kLiftDetectionHeightSetting].value = odd ? "1" : "2";
    profile.settings[kKeyDebounceSetting].value = odd ? "8" : "10";
    profile.Lighting1ModeValue[0] = odd ? 2 : 6;
    profile.settings[kPowerDownTimeSetting].value = odd ? "3" : "4";
    profile.settings[kMotionWakeupSetting].value = odd ? "0" : "1";
    for (int m = 0; m < 6; ++m) {
        LibraryItem* item = library.ItemAt({1, m, 0, 0});
        item->Macro->Actions[1] = MacroAction::Delay(odd ? 20 : 30);
        item->Macro->LoopType = odd ? 2 : 4; // changes the buttons' codes too
    }
}

void BM_FullUpload(benchmark::State& state) {
    BenchHost host;
    host.settings.SetDefaults();
    BindSixMacros(host);
    VirtualClock clock;
    OneMouseBus bus;
    std::vector<uint16_t> steps(48, 2);
    DeviceLink link(host, bus, clock, steps);
    link.DiscoverDevices();
    bool odd = false;
    const uint64_t before = link.ReportsWritten();
    for (auto _ : state) {
        odd = !odd;
        ToggleEverything(host.profiles[0], odd, host.library);
        link.RaiseChangeFlags(ChangeFlags::All());
        link.ApplyChanges();
    }
    state.counters["reports_per_upload"] =
        static_cast<double>(link.ReportsWritten() - before) / static_cast<double>(state.iterations());
    state.counters["protocol_pause_ms"] =
        static_cast<double>(clock.now) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FullUpload)->Unit(benchmark::kMicrosecond);

double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// CPU the reader thread itself uses while it waits for the mouse.
void BM_IdleReaderThread(benchmark::State& state) {
    LinkEventQueue queue;
    InputReader reader(DeviceKind::Wired, queue);
    auto device =
        std::make_unique<QuietDevice>(HidInterfaceInfo{"idle", kMouseVendorId, kWiredProductId, 33, 0});
    QuietDevice* waiting = device.get();
    reader.Start(std::move(device));
    const clockid_t readerClock = waiting->ReaderClock();
    constexpr auto kWindow = std::chrono::milliseconds(200);
    double cpu = 0;
    for (auto _ : state) {
        const double start = CpuSeconds(readerClock);
        std::this_thread::sleep_for(kWindow);
        cpu += CpuSeconds(readerClock) - start;
        state.SetIterationTime(std::chrono::duration<double>(kWindow).count());
    }
    const double seconds =
        std::chrono::duration<double>(kWindow).count() * static_cast<double>(state.iterations());
    state.counters["reader_cpu_us_per_second"] = cpu * 1e6 / seconds;
    reader.Stop();
}
BENCHMARK(BM_IdleReaderThread)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

} // namespace
