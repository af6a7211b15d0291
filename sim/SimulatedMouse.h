#pragma once
// The simulated mouse: one mouse reachable on its cable (wired device 0x5B5E) and through
// its receiver (0x5B5F). It checks every frame the host sends, stores what each command
// sets, answers status queries, sends the 0x05/0x06 input report when its DPI or rate
// button is used, logs every report, and can be told to misbehave (SimFaults).
//
// Usage (in-process, for example under a virtual clock):
//     sim::SimulatedMouse mouse(clock);           // both kinds start unplugged
//     mouse.Plug(sim::SimKind::Wired);
//     sim::InProcessHidBus bus(mouse);            // a HidBus over it (InProcessHidBus.h)
//     ... run the device link over `bus` ...
//     mouse.PressDpiButton();                     // readers of the input interface get 05 06 ..
//     EXPECT_EQ(mouse.Snapshot().config.rateCode, 4);
//     for (auto& r : mouse.Log()) std::cout << sim::FormatLogLine(r) << "\n";
//
// Thread-safe. Listeners run on the thread that caused the event, never under the mouse's
// lock, so they may call back into the mouse; they should only queue work.
#include "platform/Clock.h"
#include "sim/MouseProtocol.h"
#include "sim/MouseState.h"
#include "sim/ReportLog.h"
#include "sim/SimFaults.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vexmo::sim {

struct SimSnapshot {
    MouseConfig config;
    MouseStatus status;
    std::array<bool, kKindCount> plugged{};
    SimFaults faults;
    uint64_t framesAccepted = 0;
    uint64_t framesRejected = 0;
    std::string lastRejection;
};

class SimulatedMouse {
public:
    // Receives each input report the mouse sends, with the connection it went out on.
    using InputListener = std::function<void(SimKind, uint64_t connection, const Report&)>;
    using PlugListener = std::function<void(SimKind, bool plugged)>;

    explicit SimulatedMouse(Clock& clock = SteadyClock());

    // Plugging an already plugged kind (or unplugging an absent one) does nothing.
    void Plug(SimKind kind);
    void Unplug(SimKind kind);
    bool IsPlugged(SimKind kind) const;
    // A connection number identifies one plugged period of a kind: handles opened during it
    // go dead when the kind is unplugged, even if it comes back. nullopt while unplugged.
    std::optional<uint64_t> Connection(SimKind kind) const;
    bool IsConnected(SimKind kind, uint64_t connection) const;

    // The host side. Both fail for a dead connection or a report that is not 33 bytes long.
    // A frame the mouse finds malformed is still a successful write (the USB transfer
    // worked); it is counted in the snapshot and changes nothing.
    bool SetFeature(SimKind kind, uint64_t connection, const uint8_t* report, size_t length);
    bool GetFeature(SimKind kind, uint64_t connection, uint8_t* report, size_t length);

    // The user at the mouse.
    void PressDpiButton();
    void PressRateButton();
    void SetBattery(uint8_t percent, ChargeState charge);
    void SetLink(bool linked);
    void SetSensor(uint8_t code);

    void SetFaults(const SimFaults& faults);
    SimSnapshot Snapshot() const;
    std::vector<LoggedReport> Log() const;
    void ClearLog();
    // Milliseconds since the mouse was created, on its clock.
    uint64_t ElapsedMs() const;

    int AddInputListener(InputListener listener);
    // Late listeners hear of a plug change after all others: a bus raises its hotplug event
    // only once the handles of an unplugged kind have failed, as the system's would.
    int AddPlugListener(PlugListener listener, bool late = false);
    void RemoveListener(int id);

private:
    struct Events {
        std::vector<std::pair<SimKind, bool>> plugs;
        std::vector<std::tuple<SimKind, uint64_t, Report>> inputs;
    };
    struct KindState {
        bool plugged = false;
        uint64_t connection = 0;
        std::optional<Report> pendingReply;
    };

    bool Connected(SimKind kind, uint64_t connection) const;
    void Record(SimKind kind, ReportDirection direction, const uint8_t* bytes, size_t length, Events& events);
    void PlugLocked(SimKind kind, bool plugged, Events& events);
    void SendSettingChanged(Events& events);
    static bool TakeFault(int& counter);
    void Dispatch(const Events& events);

    Clock& clock_;
    const uint64_t startMs_;
    mutable std::mutex mutex_;
    MouseConfig config_ = FactoryConfig();
    MouseStatus status_;
    MacroAssembly assembly_;
    SimFaults faults_;
    std::array<KindState, kKindCount> kinds_{};
    uint64_t nextConnection_ = 1;
    uint64_t framesAccepted_ = 0;
    uint64_t framesRejected_ = 0;
    std::string lastRejection_;
    std::vector<LoggedReport> log_;
    int nextListenerId_ = 1;
    std::map<int, InputListener> inputListeners_;
    std::map<int, std::pair<bool, PlugListener>> plugListeners_; // id -> (late, listener)
};

} // namespace vexmo::sim
