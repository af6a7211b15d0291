#include "platform/linux/HidrawBus.h"

#include "platform/linux/UdevHotplugMonitor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace vexmo {

namespace {

class HidrawDevice final : public HidDevice {
public:
    HidrawDevice(std::shared_ptr<HidrawHandle> handle, size_t collection, HidInterfaceInfo info)
        : handle_(std::move(handle)), collection_(collection), info_(std::move(info)),
          wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
        if (wakeFd_ >= 0) {
            handle_->AddWaiter(collection_, wakeFd_);
        }
    }
    ~HidrawDevice() override {
        if (wakeFd_ >= 0) {
            handle_->RemoveWaiter(collection_, wakeFd_);
            ::close(wakeFd_);
        }
    }

    const HidInterfaceInfo& Info() const override { return info_; }

    bool SetFeature(const uint8_t* report, size_t length) override {
        return info_.featureReportByteLength > 0 && handle_->SetFeature(report, length);
    }

    bool GetFeature(uint8_t* report, size_t length) override {
        return info_.featureReportByteLength > 0 && handle_->GetFeature(report, length);
    }

    int ReadInput(uint8_t* report, size_t length) override {
        if (report == nullptr || wakeFd_ < 0) {
            return -1;
        }
        return handle_->ReadInput(collection_, report, length, wakeFd_, cancelled_);
    }

    void CancelInput() override {
        cancelled_ = true;
        const uint64_t one = 1;
        (void)!::write(wakeFd_, &one, sizeof one);
    }

private:
    std::shared_ptr<HidrawHandle> handle_;
    const size_t collection_;
    const HidInterfaceInfo info_;
    const int wakeFd_;
    std::atomic<bool> cancelled_{false};
};

} // namespace

HidrawBus::HidrawBus() = default;

HidrawBus::~HidrawBus() {
    SetHotplugHandler(nullptr);
}

std::vector<HidInterfaceInfo> HidrawBus::Enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    for (const HidrawNode& node : ScanHidrawNodes()) {
        std::vector<HidInterfaceInfo> ofNode = InterfacesOf(node);
        interfaces.insert(interfaces.end(), ofNode.begin(), ofNode.end());
    }
    return interfaces;
}

std::unique_ptr<HidDevice> HidrawBus::Open(const std::string& path, std::string* whyNot) {
    auto fail = [&](std::string why) -> std::unique_ptr<HidDevice> {
        if (whyNot != nullptr) {
            *whyNot = std::move(why);
        }
        return nullptr;
    };
    std::string devnode;
    size_t collection = 0;
    if (!SplitCollectionPath(path, devnode, collection)) {
        return fail("not a hidraw interface: " + path);
    }
    std::lock_guard lock(mutex_);
    std::erase_if(open_, [](const auto& entry) { return entry.second.expired(); });
    std::shared_ptr<HidrawHandle> handle = open_[devnode].lock();
    // A handle still held for a removed device must not serve the next device on its number.
    if (!handle || handle->IsGone()) {
        std::optional<HidrawNode> node = ReadHidrawNode(devnode);
        if (!node) {
            return fail("no such device: " + path);
        }
        const int fd = ::open(devnode.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            return fail(OpenFailureReason(devnode, errno));
        }
        handle = std::make_shared<HidrawHandle>(fd, std::move(*node));
        open_[devnode] = handle;
    }
    const HidrawNode& node = handle->Node();
    if (collection >= node.descriptor.collections.size() || CollectionPath(node, collection) != path) {
        return fail("no such device: " + path);
    }
    HidInterfaceInfo info = InterfacesOf(node)[collection];
    return std::make_unique<HidrawDevice>(handle, collection, std::move(info));
}

void HidrawBus::SetHotplugHandler(std::function<void(HidChange)> handler) {
    monitor_.reset();
    if (handler) {
        monitor_ = std::make_unique<UdevHotplugMonitor>("hidraw", std::move(handler));
    }
}

} // namespace vexmo
