// vexmoctl device: find the mouse, show its status, send a whole profile to it, restore its
// factory settings, and watch the changes it reports. It goes through the program's own
// device link over the program's HID bus (hidraw and the simulated mouse) and never writes
// the program's files.
#include "CommandTable.h"

#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/DpiStepTable.h"
#include "device/InputReport.h"
#include "device/ReportChannel.h"
#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"
#include "platform/linux/CombinedHidBus.h"
#include "settings/AppSettingsFile.h"
#include "settings/DataFolder.h"
#include "settings/ProfileFile.h"

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vexmo::ctl {

namespace {

constexpr const char* kGroup = "device";
constexpr const char* kUsage = "device status\n"
                               "device apply PROFILE.psf [--library FILE.mlf]\n"
                               "device reset\n"
                               "device watch";

// The link's window, for a program without one: always activated, one profile in slot 0,
// timers and dialogs that do nothing.
class CommandHost final : public DeviceLinkHost {
public:
    CommandHost() { settings.SetDefaults(); }

    bool IsActivated() const override { return true; }
    ProfileTable& Profiles() override { return profiles; }
    AppSettings& Settings() override { return settings; }
    const MacroLibrary& Library() const override { return library; }
    bool MacrosChanged() const override { return macrosChanged; }
    void ClearMacrosChanged() override { macrosChanged = false; }
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
    void OnMacroShortened(size_t button, uint32_t sent, uint32_t total) override {
        std::fprintf(stderr,
                     "vexmoctl: the macro of button %zu has %u events; one transfer holds %u, so the mouse "
                     "got the first ones and the releases of the keys they leave down\n",
                     button + 1, total, sent);
    }
    void WakeForLinkEvents() override {}

    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary library;
    bool macrosChanged = true; // bound macros come from the library, as once the manager was opened
};

const char* ChargeText(ChargeState charge) {
    switch (charge) {
    case ChargeState::Charging:
        return "charging";
    case ChargeState::Charged:
        return "charged";
    case ChargeState::NotCharging:
        break;
    }
    return "none";
}

std::string Printable(const std::string& text) {
    std::string shown;
    for (char c : text) {
        shown += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return shown;
}

// "no mouse found", with the reason when a mouse interface exists but could not be opened.
int NoMouse(const DeviceDiscovery& discovery) {
    if (!discovery.LastOpenFailure().empty()) {
        std::fprintf(stderr, "vexmoctl: a mouse interface cannot be opened: %s\n",
                     discovery.LastOpenFailure().c_str());
        return kExitFailed;
    }
    std::fprintf(stderr, "vexmoctl: no mouse found (neither its cable nor its receiver is connected)\n");
    return kExitFailed;
}

void PrintInterfaces(HidBus& bus) {
    for (const HidInterfaceInfo& info : bus.Enumerate()) {
        const std::optional<DeviceKind> kind = KindOfDevice(info.vendorId, info.productId);
        if (!kind) {
            continue;
        }
        const char* role = info.inputReportByteLength == kMouseReportByteLength     ? "input"
                           : info.featureReportByteLength == kMouseReportByteLength ? "feature"
                                                                                    : "other";
        std::printf("interface %s %s %s\n", KindName(*kind), role, info.path.c_str());
    }
}

int RunStatus(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return UsageError(kGroup, "status takes no arguments");
    }
    CombinedHidBus bus;
    CommandHost host;
    std::vector<uint16_t> steps;
    DeviceLink link(host, bus, SteadyClock(), steps);
    PrintInterfaces(bus);
    if (!link.DiscoverDevices()) {
        return NoMouse(link.Discovery());
    }
    const std::optional<Report> reply = link.ReadStatusReply();
    const std::optional<StatusReply> status = reply ? DecodeStatusReply(*reply) : std::nullopt;
    if (!status) {
        std::fprintf(stderr, "vexmoctl: the mouse did not answer the status query\n");
        return kExitFailed;
    }
    std::printf("model %s\n", Printable(status->modelTag).c_str());
    std::printf("link %s\n", !status->identified ? "unknown" : status->linkUp ? "on" : "off");
    const std::optional<uint16_t> model = SensorModelForCode(status->sensorCode);
    if (model) {
        std::printf("sensor 0x%02X (model 0x%04X)\n", status->sensorCode, *model);
    } else {
        std::printf("sensor 0x%02X (unknown)\n", status->sensorCode);
    }
    std::printf("battery %u%%\n", status->batteryLevel);
    std::printf("charge %s\n", ChargeText(status->charge));
    return kExitOk;
}

struct ApplyArguments {
    std::string profile;
    std::optional<std::string> library;
};

std::optional<ApplyArguments> ParseApply(const std::vector<std::string>& args, std::string& why) {
    ApplyArguments parsed;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--library") {
            if (i + 1 >= args.size()) {
                why = "option '--library' needs a value";
                return std::nullopt;
            }
            parsed.library = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            why = "unknown option '" + args[i] + "'";
            return std::nullopt;
        } else if (parsed.profile.empty()) {
            parsed.profile = args[i];
        } else {
            why = "apply takes one profile file";
            return std::nullopt;
        }
    }
    if (parsed.profile.empty()) {
        why = "apply needs a profile file";
        return std::nullopt;
    }
    return parsed;
}

// The library the bound macros come from; false when an explicitly named one cannot be read.
bool LoadMacros(const std::optional<std::string>& named, MacroLibrary& library) {
    const std::filesystem::path path = named ? std::filesystem::path(*named) : LibraryFilePath();
    LibraryLoadReport report;
    ReadLibraryFile(path, library, report);
    if (!report.opened) {
        if (named) {
            std::fprintf(stderr, "vexmoctl: cannot read the library %s\n", path.c_str());
            return false;
        }
        std::fprintf(stderr, "vexmoctl: no macro library at %s; macro buttons get no function\n",
                     path.c_str());
        return true;
    }
    if (!report.complete) {
        std::fprintf(stderr, "vexmoctl: %s: line %d: %s; the %d items before it are used\n", path.c_str(),
                     report.stopLine, report.reason.c_str(), report.itemsRead);
    }
    return true;
}

int RunApply(const std::vector<std::string>& args) {
    std::string why;
    const std::optional<ApplyArguments> parsed = ParseApply(args, why);
    if (!parsed) {
        return UsageError(kGroup, why);
    }
    CommandHost host;
    ReadFailure failure;
    if (!ReadProfileRecord(parsed->profile, host.profiles[0], &failure)) {
        std::fprintf(stderr, "vexmoctl: %s: %s\n", parsed->profile.c_str(), failure.Message().c_str());
        return kExitFailed;
    }
    if (!LoadMacros(parsed->library, host.library)) {
        return kExitFailed;
    }
    // DPI steps follow the sensor the program is set up for (read only; a missing file means
    // the default sensor).
    ReadAppSettingsFile(AppSettingsPath(), host.settings);
    host.settings.sensorModel = host.settings.SensorFromText();
    host.settings.SetCurrentProfile(0);
    std::vector<uint16_t> steps;
    BuildDpiTable(host.settings.sensorModel, steps);

    CombinedHidBus bus;
    DeviceLink link(host, bus, SteadyClock(), steps);
    if (!link.DiscoverDevices()) {
        return NoMouse(link.Discovery());
    }
    // Every shadow is unknown: the whole profile goes out, in the program's order and pacing.
    link.RaiseChangeFlags(ChangeFlags::All());
    link.ApplyChanges();
    if (link.LastTransferFailed()) {
        std::fprintf(stderr, "vexmoctl: the mouse stopped accepting reports after %llu of them\n",
                     static_cast<unsigned long long>(link.ReportsWritten()));
        return kExitFailed;
    }
    const DeviceKind target = link.Discovery().FeatureHandle(DeviceKind::Wired) != nullptr
                                  ? DeviceKind::Wired
                                  : DeviceKind::Receiver;
    std::printf("sent %llu reports to the %s mouse\n", static_cast<unsigned long long>(link.ReportsWritten()),
                KindName(target));
    return kExitOk;
}

int RunReset(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return UsageError(kGroup, "reset takes no arguments");
    }
    CombinedHidBus bus;
    CommandHost host;
    std::vector<uint16_t> steps;
    DeviceLink link(host, bus, SteadyClock(), steps);
    if (!link.DiscoverDevices()) {
        return NoMouse(link.Discovery());
    }
    if (!link.SendFactoryReset()) {
        std::fprintf(stderr, "vexmoctl: the mouse did not accept the factory-reset command\n");
        return kExitFailed;
    }
    std::printf("factory settings restored\n");
    return kExitOk;
}

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted.store(true);
}

int RunWatch(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        return UsageError(kGroup, "watch takes no arguments");
    }
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    CombinedHidBus bus;
    LinkEventQueue queue;
    std::mutex mutex;
    std::condition_variable woken;
    queue.SetWake([&] { woken.notify_all(); });
    bus.SetHotplugHandler([&](HidChange change) {
        LinkEvent event;
        event.type = LinkEvent::Type::DeviceChange;
        event.change = change;
        queue.Push(std::move(event));
    });
    DeviceDiscovery discovery(bus, queue);
    if (!discovery.DiscoverDevices()) {
        bus.SetHotplugHandler(nullptr);
        return NoMouse(discovery);
    }
    std::printf("watching; press Ctrl+C to stop\n");
    std::fflush(stdout);
    while (!interrupted.load()) {
        {
            std::unique_lock lock(mutex);
            woken.wait_for(lock, std::chrono::milliseconds(200), [&] { return queue.Size() > 0; });
        }
        for (const LinkEvent& event : queue.TakeAll()) {
            if (event.type == LinkEvent::Type::DeviceChange) {
                discovery.DiscoverDevices();
                continue;
            }
            const std::optional<SettingChange> change = DecodeSettingChange(event.report);
            if (!change) {
                continue;
            }
            static constexpr const char* kRates[] = {"125Hz", "250Hz", "500Hz", "1000Hz"};
            std::printf("%s level %u rate %s\n", KindName(event.kind), change->levelByte,
                        kRates[RateIndexForInterval(change->intervalCode)]);
            std::fflush(stdout);
        }
    }
    bus.SetHotplugHandler(nullptr);
    return kExitOk;
}

int RunDevice(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError(kGroup, "missing subcommand");
    }
    const std::string& command = args[0];
    if (command == "status") {
        return RunStatus(args);
    }
    if (command == "apply") {
        return RunApply(args);
    }
    if (command == "reset") {
        return RunReset(args);
    }
    if (command == "watch") {
        return RunWatch(args);
    }
    return UsageError(kGroup, "unknown subcommand '" + command + "'");
}

const bool registered = RegisterCommandGroup({kGroup, kUsage, &RunDevice});

} // namespace

} // namespace vexmo::ctl
