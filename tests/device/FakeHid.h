#pragma once
// A scripted HID bus for the link's own tests: interfaces are plain records, writes are
// recorded with the virtual time they happened at, replies and input reports are queued by
// the test. The simulated mouse (sim/) is the independent peer; this fake only lets a test
// set up exact failures and odd interfaces.
#include "platform/Clock.h"
#include "platform/HidBus.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace vexmo::test {

// Pauses advance it at once.
class VirtualClock final : public Clock {
public:
    uint64_t NowMs() override { return now_; }
    void Sleep(uint32_t ms) override { now_ += ms; }

private:
    uint64_t now_ = 0;
};

struct WrittenReport {
    std::string path;
    uint64_t atMs = 0;
    std::vector<uint8_t> bytes;
};

class FakeBus;

// What the devices of one interface share: its input reports and whether it is plugged.
struct FakeInterface {
    HidInterfaceInfo info;
    bool plugged = true;
    bool failWrites = false;
    bool failReads = false;
    std::deque<std::vector<uint8_t>> replies; // answers to GetFeature, oldest first
    std::deque<std::vector<uint8_t>> inputs;  // input reports waiting to be read
};

class FakeBus final : public HidBus {
public:
    explicit FakeBus(Clock* clock = nullptr) : clock_(clock) {}

    // Adds an interface at the end of the enumeration order; returns its path.
    std::string Add(HidInterfaceInfo info);
    // The two interfaces (input, then feature) of one kind of mouse, named `prefix`/input
    // and `prefix`/feature.
    void AddMouseKind(const std::string& prefix, uint16_t productId);
    void Unplug(const std::string& path);
    void UnplugPrefix(const std::string& prefix);
    // Moves the interfaces whose path starts with `prefix` to the front of the enumeration.
    void MoveToFront(const std::string& prefix);
    void DenyOpen(const std::string& path, std::string why);

    void QueueReply(const std::string& path, std::vector<uint8_t> reply);
    void QueueInput(const std::string& path, std::vector<uint8_t> report);
    void SetFailWrites(const std::string& path, bool fail);
    void SetFailReads(const std::string& path, bool fail);

    std::vector<WrittenReport> Written();
    size_t OpenCount(const std::string& path);
    size_t OpenNow();

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* whyNot = nullptr) override;
    void SetHotplugHandler(std::function<void(HidChange)> handler) override;
    void Raise(HidChange change);

private:
    friend class FakeDevice;
    std::mutex mutex_;
    std::condition_variable changed_;
    Clock* clock_;
    std::vector<std::shared_ptr<FakeInterface>> interfaces_;
    std::map<std::string, std::string> denied_;
    std::map<std::string, size_t> opens_;
    size_t openNow_ = 0;
    std::vector<WrittenReport> written_;
    std::function<void(HidChange)> hotplug_;
};

} // namespace vexmo::test
