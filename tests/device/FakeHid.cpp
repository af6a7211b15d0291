#include "FakeHid.h"

#include <algorithm>

namespace vexmo::test {

class FakeDevice final : public HidDevice {
public:
    FakeDevice(FakeBus& bus, std::shared_ptr<FakeInterface> iface) : bus_(bus), iface_(std::move(iface)) {}
    ~FakeDevice() override {
        std::lock_guard lock(bus_.mutex_);
        --bus_.openNow_;
    }
    const HidInterfaceInfo& Info() const override { return iface_->info; }

    bool SetFeature(const uint8_t* report, size_t length) override {
        std::lock_guard lock(bus_.mutex_);
        if (!iface_->plugged || iface_->failWrites) {
            return false;
        }
        const uint64_t now = bus_.clock_ != nullptr ? bus_.clock_->NowMs() : 0;
        bus_.written_.push_back({iface_->info.path, now, std::vector<uint8_t>(report, report + length)});
        return true;
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        std::lock_guard lock(bus_.mutex_);
        if (!iface_->plugged || iface_->failReads || iface_->replies.empty()) {
            return false;
        }
        const std::vector<uint8_t> reply = std::move(iface_->replies.front());
        iface_->replies.pop_front();
        std::copy_n(reply.begin(), std::min(reply.size(), length), report);
        return true;
    }

    int ReadInput(uint8_t* report, size_t length) override {
        std::unique_lock lock(bus_.mutex_);
        bus_.changed_.wait(lock, [&] { return cancelled_ || !iface_->plugged || !iface_->inputs.empty(); });
        if (cancelled_ || !iface_->plugged) {
            return -1;
        }
        const std::vector<uint8_t> input = std::move(iface_->inputs.front());
        iface_->inputs.pop_front();
        const size_t copied = std::min(input.size(), length);
        std::copy_n(input.begin(), copied, report);
        return static_cast<int>(copied);
    }

    void CancelInput() override {
        std::lock_guard lock(bus_.mutex_);
        cancelled_ = true;
        bus_.changed_.notify_all();
    }

private:
    FakeBus& bus_;
    std::shared_ptr<FakeInterface> iface_;
    bool cancelled_ = false;
};

std::string FakeBus::Add(HidInterfaceInfo info) {
    std::lock_guard lock(mutex_);
    auto iface = std::make_shared<FakeInterface>();
    iface->info = std::move(info);
    interfaces_.push_back(iface);
    return iface->info.path;
}

void FakeBus::AddMouseKind(const std::string& prefix, uint16_t productId) {
    Add({prefix + "/input", 0x248D, productId, 33, 0});
    Add({prefix + "/feature", 0x248D, productId, 0, 33});
}

void FakeBus::Unplug(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (auto& iface : interfaces_) {
        if (iface->info.path == path) {
            iface->plugged = false;
        }
    }
    std::erase_if(interfaces_, [](const auto& iface) { return !iface->plugged; });
    changed_.notify_all();
}

void FakeBus::UnplugPrefix(const std::string& prefix) {
    std::lock_guard lock(mutex_);
    for (auto& iface : interfaces_) {
        if (iface->info.path.rfind(prefix, 0) == 0) {
            iface->plugged = false;
        }
    }
    std::erase_if(interfaces_, [](const auto& iface) { return !iface->plugged; });
    changed_.notify_all();
}

void FakeBus::MoveToFront(const std::string& prefix) {
    std::lock_guard lock(mutex_);
    std::stable_partition(interfaces_.begin(), interfaces_.end(),
                          [&](const auto& iface) { return iface->info.path.rfind(prefix, 0) == 0; });
}

void FakeBus::DenyOpen(const std::string& path, std::string why) {
    std::lock_guard lock(mutex_);
    denied_[path] = std::move(why);
}

void FakeBus::QueueReply(const std::string& path, std::vector<uint8_t> reply) {
    std::lock_guard lock(mutex_);
    for (auto& iface : interfaces_) {
        if (iface->info.path == path) {
            iface->replies.push_back(reply);
        }
    }
}

void FakeBus::QueueInput(const std::string& path, std::vector<uint8_t> report) {
    std::lock_guard lock(mutex_);
    for (auto& iface : interfaces_) {
        if (iface->info.path == path) {
            iface->inputs.push_back(report);
        }
    }
    changed_.notify_all();
}

void FakeBus::SetFailWrites(const std::string& path, bool fail) {
    std::lock_guard lock(mutex_);
    for (auto& iface : interfaces_) {
        if (iface->info.path == path) {
            iface->failWrites = fail;
        }
    }
}

void FakeBus::SetFailReads(const std::string& path, bool fail) {
    std::lock_guard lock(mutex_);
    for (auto& iface : interfaces_) {
        if (iface->info.path == path) {
            iface->failReads = fail;
        }
    }
}

std::vector<WrittenReport> FakeBus::Written() {
    std::lock_guard lock(mutex_);
    return written_;
}

size_t FakeBus::OpenCount(const std::string& path) {
    std::lock_guard lock(mutex_);
    return opens_[path];
}

size_t FakeBus::OpenNow() {
    std::lock_guard lock(mutex_);
    return openNow_;
}

std::vector<HidInterfaceInfo> FakeBus::Enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> infos;
    for (const auto& iface : interfaces_) {
        infos.push_back(iface->info);
    }
    return infos;
}

std::unique_ptr<HidDevice> FakeBus::Open(const std::string& path, std::string* whyNot) {
    std::lock_guard lock(mutex_);
    if (auto denied = denied_.find(path); denied != denied_.end()) {
        if (whyNot != nullptr) {
            *whyNot = denied->second;
        }
        return nullptr;
    }
    for (const auto& iface : interfaces_) {
        if (iface->info.path == path) {
            ++opens_[path];
            ++openNow_;
            return std::make_unique<FakeDevice>(*this, iface);
        }
    }
    return nullptr;
}

void FakeBus::SetHotplugHandler(std::function<void(HidChange)> handler) {
    std::lock_guard lock(mutex_);
    hotplug_ = std::move(handler);
}

void FakeBus::Raise(HidChange change) {
    std::function<void(HidChange)> handler;
    {
        std::lock_guard lock(mutex_);
        handler = hotplug_;
    }
    if (handler) {
        handler(change);
    }
}

} // namespace vexmo::test
