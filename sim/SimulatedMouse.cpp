#include "sim/SimulatedMouse.h"

#include <algorithm>

namespace vexmo::sim {

namespace {
// The daemon may run for days; keep the newest reports only.
constexpr size_t kMaxLogEntries = 200000;
constexpr size_t kLogTrim = kMaxLogEntries / 10;
constexpr size_t kSequenceOffset = 4;
} // namespace

SimulatedMouse::SimulatedMouse(Clock& clock) : clock_(clock), startMs_(clock.NowMs()) {}

void SimulatedMouse::Plug(SimKind kind) {
    Events events;
    {
        std::lock_guard lock(mutex_);
        PlugLocked(kind, true, events);
    }
    Dispatch(events);
}

void SimulatedMouse::Unplug(SimKind kind) {
    Events events;
    {
        std::lock_guard lock(mutex_);
        PlugLocked(kind, false, events);
    }
    Dispatch(events);
}

bool SimulatedMouse::IsPlugged(SimKind kind) const {
    std::lock_guard lock(mutex_);
    return kinds_[static_cast<size_t>(KindIndex(kind))].plugged;
}

std::optional<uint64_t> SimulatedMouse::Connection(SimKind kind) const {
    std::lock_guard lock(mutex_);
    const KindState& state = kinds_[static_cast<size_t>(KindIndex(kind))];
    if (!state.plugged) {
        return std::nullopt;
    }
    return state.connection;
}

bool SimulatedMouse::IsConnected(SimKind kind, uint64_t connection) const {
    std::lock_guard lock(mutex_);
    return Connected(kind, connection);
}

bool SimulatedMouse::SetFeature(SimKind kind, uint64_t connection, const uint8_t* report, size_t length) {
    Events events;
    bool ok = false;
    {
        std::lock_guard lock(mutex_);
        if (!Connected(kind, connection) || report == nullptr || length != kReportLength) {
            return false;
        }
        if (TakeFault(faults_.failWrites)) {
            return false;
        }
        Report frame{};
        std::copy_n(report, kReportLength, frame.begin());
        const FrameOutcome outcome = ApplyHostFrame(frame, config_, assembly_);
        if (outcome.accepted) {
            ++framesAccepted_;
            if (outcome.command == kCmdStatusQuery) {
                const bool empty = TakeFault(faults_.emptyReplies);
                kinds_[static_cast<size_t>(KindIndex(kind))].pendingReply =
                    BuildStatusReply(status_, frame[kSequenceOffset], empty);
            }
        } else {
            ++framesRejected_;
            lastRejection_ = outcome.rejection;
        }
        Record(kind, ReportDirection::Set, report, length, events);
        ok = true;
    }
    Dispatch(events);
    return ok;
}

bool SimulatedMouse::GetFeature(SimKind kind, uint64_t connection, uint8_t* report, size_t length) {
    Events events;
    {
        std::lock_guard lock(mutex_);
        if (!Connected(kind, connection) || report == nullptr || length != kReportLength) {
            return false;
        }
        if (report[0] != kFeatureReportId || TakeFault(faults_.failReads)) {
            return false;
        }
        const KindState& state = kinds_[static_cast<size_t>(KindIndex(kind))];
        const Report reply = state.pendingReply.value_or(BuildIdleFeatureReport());
        std::copy(reply.begin(), reply.end(), report);
        Record(kind, ReportDirection::Get, report, length, events);
    }
    Dispatch(events);
    return true;
}

void SimulatedMouse::PressDpiButton() {
    Events events;
    {
        std::lock_guard lock(mutex_);
        if (!StepDpiLevel(config_)) {
            return;
        }
        SendSettingChanged(events);
    }
    Dispatch(events);
}

void SimulatedMouse::PressRateButton() {
    Events events;
    {
        std::lock_guard lock(mutex_);
        StepReportRate(config_);
        SendSettingChanged(events);
    }
    Dispatch(events);
}

void SimulatedMouse::SetBattery(uint8_t percent, ChargeState charge) {
    std::lock_guard lock(mutex_);
    status_.battery = percent;
    status_.charge = charge;
}

void SimulatedMouse::SetLink(bool linked) {
    std::lock_guard lock(mutex_);
    status_.link = linked;
}

void SimulatedMouse::SetSensor(uint8_t code) {
    std::lock_guard lock(mutex_);
    status_.sensorCode = code;
}

void SimulatedMouse::SetFaults(const SimFaults& faults) {
    std::lock_guard lock(mutex_);
    faults_ = faults;
}

SimSnapshot SimulatedMouse::Snapshot() const {
    std::lock_guard lock(mutex_);
    SimSnapshot snapshot;
    snapshot.config = config_;
    snapshot.status = status_;
    for (int i = 0; i < kKindCount; ++i) {
        snapshot.plugged[static_cast<size_t>(i)] = kinds_[static_cast<size_t>(i)].plugged;
    }
    snapshot.faults = faults_;
    snapshot.framesAccepted = framesAccepted_;
    snapshot.framesRejected = framesRejected_;
    snapshot.lastRejection = lastRejection_;
    return snapshot;
}

std::vector<LoggedReport> SimulatedMouse::Log() const {
    std::lock_guard lock(mutex_);
    return log_;
}

void SimulatedMouse::ClearLog() {
    std::lock_guard lock(mutex_);
    log_.clear();
}

uint64_t SimulatedMouse::ElapsedMs() const {
    return clock_.NowMs() - startMs_;
}

int SimulatedMouse::AddInputListener(InputListener listener) {
    std::lock_guard lock(mutex_);
    const int id = nextListenerId_++;
    inputListeners_[id] = std::move(listener);
    return id;
}

int SimulatedMouse::AddPlugListener(PlugListener listener, bool late) {
    std::lock_guard lock(mutex_);
    const int id = nextListenerId_++;
    plugListeners_[id] = {late, std::move(listener)};
    return id;
}

void SimulatedMouse::RemoveListener(int id) {
    std::lock_guard lock(mutex_);
    inputListeners_.erase(id);
    plugListeners_.erase(id);
}

bool SimulatedMouse::Connected(SimKind kind, uint64_t connection) const {
    const KindState& state = kinds_[static_cast<size_t>(KindIndex(kind))];
    return state.plugged && state.connection == connection;
}

void SimulatedMouse::Record(SimKind kind, ReportDirection direction, const uint8_t* bytes, size_t length,
                            Events& events) {
    if (log_.size() >= kMaxLogEntries) {
        log_.erase(log_.begin(), log_.begin() + kLogTrim);
    }
    log_.push_back({clock_.NowMs() - startMs_, kind, direction, std::vector<uint8_t>(bytes, bytes + length)});
    int& remaining = faults_.disconnectAfter[static_cast<size_t>(KindIndex(kind))];
    if (remaining > 0 && --remaining == 0) {
        PlugLocked(kind, false, events);
    }
}

void SimulatedMouse::PlugLocked(SimKind kind, bool plugged, Events& events) {
    KindState& state = kinds_[static_cast<size_t>(KindIndex(kind))];
    if (state.plugged == plugged) {
        return;
    }
    state.plugged = plugged;
    state.pendingReply.reset();
    if (plugged) {
        state.connection = nextConnection_++;
    }
    events.plugs.emplace_back(kind, plugged);
}

void SimulatedMouse::SendSettingChanged(Events& events) {
    // The mouse talks over its cable when it has one, else through the receiver.
    for (SimKind kind : {SimKind::Wired, SimKind::Receiver}) {
        const KindState& state = kinds_[static_cast<size_t>(KindIndex(kind))];
        if (!state.plugged) {
            continue;
        }
        const Report report = BuildSettingChangedReport(config_);
        const uint64_t connection = state.connection;
        events.inputs.emplace_back(kind, connection, report);
        Record(kind, ReportDirection::Input, report.data(), report.size(), events);
        return;
    }
}

bool SimulatedMouse::TakeFault(int& counter) {
    if (counter == kAlways) {
        return true;
    }
    if (counter > 0) {
        --counter;
        return true;
    }
    return false;
}

void SimulatedMouse::Dispatch(const Events& events) {
    if (events.plugs.empty() && events.inputs.empty()) {
        return;
    }
    std::vector<InputListener> inputListeners;
    std::vector<PlugListener> plugListeners;
    {
        std::lock_guard lock(mutex_);
        for (auto& [id, listener] : inputListeners_) {
            inputListeners.push_back(listener);
        }
        for (bool late : {false, true}) {
            for (auto& [id, entry] : plugListeners_) {
                if (entry.first == late) {
                    plugListeners.push_back(entry.second);
                }
            }
        }
    }
    // Inputs first: a report sent just before a fault unplugs the kind still reaches readers.
    for (const auto& [kind, connection, report] : events.inputs) {
        for (auto& listener : inputListeners) {
            listener(kind, connection, report);
        }
    }
    for (const auto& [kind, plugged] : events.plugs) {
        for (auto& listener : plugListeners) {
            listener(kind, plugged);
        }
    }
}

} // namespace vexmo::sim
