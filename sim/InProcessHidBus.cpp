#include "sim/InProcessHidBus.h"

#include <algorithm>
#include <condition_variable>
#include <deque>

namespace vexmo::sim {

namespace {

constexpr char kScheme[] = "sim://";
// Reports nobody reads are dropped past this many, as a full kernel queue would.
constexpr size_t kMaxQueuedReports = 1024;

HidInterfaceInfo MakeInfo(const std::string& path, SimKind kind, bool input) {
    HidInterfaceInfo info;
    info.path = path;
    info.vendorId = kVendorId;
    info.productId = ProductId(kind);
    info.inputReportByteLength = input ? kReportLength : 0;
    info.featureReportByteLength = input ? 0 : kReportLength;
    return info;
}

// Input reports waiting for one open interface; shared with the mouse's listeners so a
// report dispatched while the device closes lands here harmlessly.
struct InputQueue {
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<Report> reports;
    bool closed = false;

    void Push(const Report& report) {
        {
            std::lock_guard lock(mutex);
            if (closed || reports.size() >= kMaxQueuedReports) {
                return;
            }
            reports.push_back(report);
        }
        ready.notify_all();
    }
    void Close() {
        {
            std::lock_guard lock(mutex);
            closed = true;
        }
        ready.notify_all();
    }
};

class SimInterfaceDevice final : public HidDevice {
public:
    SimInterfaceDevice(SimulatedMouse& mouse, SimKind kind, uint64_t connection, HidInterfaceInfo info)
        : mouse_(mouse), kind_(kind), connection_(connection), info_(std::move(info)) {
        auto queue = queue_;
        const SimKind myKind = kind_;
        const uint64_t myConnection = connection_;
        if (info_.inputReportByteLength > 0) {
            inputListener_ = mouse_.AddInputListener(
                [queue, myKind, myConnection](SimKind k, uint64_t c, const Report& report) {
                    if (k == myKind && c == myConnection) {
                        queue->Push(report);
                    }
                });
        }
        plugListener_ = mouse_.AddPlugListener([queue, myKind](SimKind k, bool plugged) {
            if (k == myKind && !plugged) {
                queue->Close();
            }
        });
        // The kind may have gone between the caller's check and the listeners being in place.
        if (!mouse_.IsConnected(kind_, connection_)) {
            queue_->Close();
        }
    }
    ~SimInterfaceDevice() override {
        if (inputListener_ != 0) {
            mouse_.RemoveListener(inputListener_);
        }
        mouse_.RemoveListener(plugListener_);
    }

    const HidInterfaceInfo& Info() const override { return info_; }

    bool SetFeature(const uint8_t* report, size_t length) override {
        if (info_.featureReportByteLength == 0) {
            return false;
        }
        return mouse_.SetFeature(kind_, connection_, report, length);
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        if (info_.featureReportByteLength == 0) {
            return false;
        }
        return mouse_.GetFeature(kind_, connection_, report, length);
    }

    int ReadInput(uint8_t* report, size_t length) override {
        std::unique_lock lock(queue_->mutex);
        queue_->ready.wait(lock, [&] { return queue_->closed || !queue_->reports.empty(); });
        if (queue_->reports.empty()) {
            return -1;
        }
        const Report next = queue_->reports.front();
        queue_->reports.pop_front();
        const size_t copied = std::min(length, next.size());
        std::copy_n(next.begin(), copied, report);
        return static_cast<int>(copied);
    }

    void CancelInput() override { queue_->Close(); }

private:
    SimulatedMouse& mouse_;
    const SimKind kind_;
    const uint64_t connection_;
    const HidInterfaceInfo info_;
    std::shared_ptr<InputQueue> queue_ = std::make_shared<InputQueue>();
    int inputListener_ = 0;
    int plugListener_ = 0;
};

// An unrelated device: opens, but its reports are not ours to exchange.
class OtherDevice final : public HidDevice {
public:
    explicit OtherDevice(HidInterfaceInfo info) : info_(std::move(info)) {}
    const HidInterfaceInfo& Info() const override { return info_; }
    bool SetFeature(const uint8_t*, size_t) override { return false; }
    bool GetFeature(uint8_t*, size_t) override { return false; }
    int ReadInput(uint8_t*, size_t) override {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return cancelled_; });
        return -1;
    }
    void CancelInput() override {
        {
            std::lock_guard lock(mutex_);
            cancelled_ = true;
        }
        wake_.notify_all();
    }

private:
    HidInterfaceInfo info_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
};

} // namespace

void InProcessHidBus::Hotplug::Raise(HidChange change) {
    std::function<void(HidChange)> copy;
    {
        std::lock_guard lock(mutex);
        copy = handler;
    }
    if (copy) {
        copy(change);
    }
}

InProcessHidBus::InProcessHidBus(SimulatedMouse& mouse, std::string name) {
    AddMouse(mouse, std::move(name));
}

InProcessHidBus::~InProcessHidBus() {
    std::lock_guard lock(mutex_);
    for (const Attached& attached : mice_) {
        attached.mouse->RemoveListener(attached.listenerId);
    }
}

void InProcessHidBus::AddMouse(SimulatedMouse& mouse, std::string name) {
    auto hotplug = hotplug_;
    const int id = mouse.AddPlugListener(
        [hotplug](SimKind, bool plugged) {
            hotplug->Raise(plugged ? HidChange::Arrival : HidChange::RemovalComplete);
        },
        true);
    std::lock_guard lock(mutex_);
    mice_.push_back({&mouse, std::move(name), id});
}

void InProcessHidBus::AddOtherInterface(const HidInterfaceInfo& info) {
    {
        std::lock_guard lock(mutex_);
        others_.push_back(info);
    }
    hotplug_->Raise(HidChange::Arrival);
}

void InProcessHidBus::RemoveOtherInterface(const std::string& path) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(others_, [&](const HidInterfaceInfo& info) { return info.path == path; });
    }
    hotplug_->Raise(HidChange::RemovalComplete);
}

void InProcessHidBus::DenyOpen(const std::string& path, std::string why) {
    std::lock_guard lock(mutex_);
    denied_[path] = std::move(why);
}

std::string InProcessHidBus::InterfacePath(const std::string& mouseName, SimKind kind, bool input) {
    return std::string(kScheme) + mouseName + "/" + std::string(KindName(kind)) +
           (input ? "/input" : "/feature");
}

std::vector<HidInterfaceInfo> InProcessHidBus::Enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> found;
    for (const Attached& attached : mice_) {
        for (SimKind kind : {SimKind::Wired, SimKind::Receiver}) {
            if (!attached.mouse->IsPlugged(kind)) {
                continue;
            }
            found.push_back(MakeInfo(InterfacePath(attached.name, kind, true), kind, true));
            found.push_back(MakeInfo(InterfacePath(attached.name, kind, false), kind, false));
        }
    }
    found.insert(found.end(), others_.begin(), others_.end());
    return found;
}

std::unique_ptr<HidDevice> InProcessHidBus::Open(const std::string& path, std::string* whyNot) {
    std::lock_guard lock(mutex_);
    if (auto denied = denied_.find(path); denied != denied_.end()) {
        if (whyNot != nullptr) {
            *whyNot = denied->second;
        }
        return nullptr;
    }
    for (const Attached& attached : mice_) {
        for (SimKind kind : {SimKind::Wired, SimKind::Receiver}) {
            for (bool input : {true, false}) {
                if (path != InterfacePath(attached.name, kind, input)) {
                    continue;
                }
                const std::optional<uint64_t> connection = attached.mouse->Connection(kind);
                if (!connection) {
                    break;
                }
                return std::make_unique<SimInterfaceDevice>(*attached.mouse, kind, *connection,
                                                            MakeInfo(path, kind, input));
            }
        }
    }
    for (const HidInterfaceInfo& info : others_) {
        if (info.path == path) {
            return std::make_unique<OtherDevice>(info);
        }
    }
    if (whyNot != nullptr) {
        *whyNot = "no such device";
    }
    return nullptr;
}

void InProcessHidBus::SetHotplugHandler(std::function<void(HidChange)> handler) {
    std::lock_guard lock(hotplug_->mutex);
    hotplug_->handler = std::move(handler);
}

} // namespace vexmo::sim
