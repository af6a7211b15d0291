#include "device/InputReader.h"

#include "device/InputReport.h"

#include <algorithm>
#include <span>
#include <vector>

namespace vexmo {

void InputReader::RecordInterfaceIfNone(int memberIndex, const std::string& path) {
    std::lock_guard lock(mutex_);
    if (!inputPath_.empty()) {
        return;
    }
    inputPath_ = path;
    inputMemberIndex_ = memberIndex;
}

void InputReader::ForgetInterface() {
    std::lock_guard lock(mutex_);
    inputPath_.clear();
}

std::string InputReader::InputPath() const {
    std::lock_guard lock(mutex_);
    return inputPath_;
}

int InputReader::InputMemberIndex() const {
    std::lock_guard lock(mutex_);
    return inputMemberIndex_;
}

bool InputReader::Start(std::unique_ptr<HidDevice> device) {
    if (device == nullptr || busy_.load()) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join(); // the previous reader has ended; collect it
    }
    busy_.store(true);
    HidDevice* reading = device.get();
    {
        std::lock_guard lock(mutex_);
        device_ = std::move(device);
    }
    thread_ = std::thread([this, reading] { Run(reading); });
    return true;
}

void InputReader::Stop() {
    {
        std::lock_guard lock(mutex_);
        if (device_ != nullptr) {
            device_->CancelInput();
        }
    }
    if (thread_.joinable()) {
        thread_.join();
    }
}

void InputReader::Run(HidDevice* device) {
    std::vector<uint8_t> buffer(
        std::max<size_t>(device->Info().inputReportByteLength, kInputReportMinLength));
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), 0xFF);
        buffer[0] = kInputReportId;
        const int length = device->ReadInput(buffer.data(), buffer.size());
        if (length < 0) {
            break;
        }
        const std::span<const uint8_t> report(buffer.data(),
                                              std::min<size_t>(static_cast<size_t>(length), buffer.size()));
        if (!IsSettingChangeReport(report)) {
            continue;
        }
        LinkEvent event;
        event.type = LinkEvent::Type::SettingChange;
        event.kind = kind_;
        event.report.assign(report.begin(), report.end());
        queue_.Push(std::move(event));
    }
    {
        std::lock_guard lock(mutex_);
        device_.reset();
        inputPath_.clear();
    }
    busy_.store(false);
}

} // namespace vexmo
