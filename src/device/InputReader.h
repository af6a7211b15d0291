#pragma once
// The reader thread of one device kind: blocks on the kind's input interface and hands every
// setting-change report to the user-interface thread through the event queue. It writes only
// its busy flag and its input path; it ends when a read fails (the device went away) or when
// the link stops it.
#include "device/DeviceKind.h"
#include "device/LinkEventQueue.h"
#include "platform/HidBus.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace vexmo {

class InputReader {
public:
    InputReader(DeviceKind kind, LinkEventQueue& queue) : kind_(kind), queue_(queue) {}
    ~InputReader() { Stop(); }
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

    DeviceKind Kind() const { return kind_; }
    // Set from Start until the thread has released its interface.
    bool Busy() const { return busy_.load(); }

    // The input interface found by discovery; recorded only while none is (the thread
    // forgets it when it ends, so the next discovery records the interface anew).
    void RecordInterfaceIfNone(int memberIndex, const std::string& path);
    void ForgetInterface();
    std::string InputPath() const;
    int InputMemberIndex() const;

    // Starts a thread reading `device`. Does nothing and returns false while a reader runs
    // (the device is then closed again).
    bool Start(std::unique_ptr<HidDevice> device);
    // Unblocks a running reader and waits for it to end.
    void Stop();

private:
    void Run(HidDevice* device);

    const DeviceKind kind_;
    LinkEventQueue& queue_;
    std::atomic<bool> busy_{false};
    mutable std::mutex mutex_; // guards the fields below
    std::string inputPath_;
    int inputMemberIndex_ = -1;
    std::unique_ptr<HidDevice> device_;
    std::thread thread_;
};

} // namespace vexmo
