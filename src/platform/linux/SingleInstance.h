#pragma once
// One running copy per user. A lock file held for the whole life of the process stands in for
// the named mutex (the kernel drops it when the process dies, so a crash never blocks the next
// start); a Unix socket beside it stands in for the window lookup: a second copy connects and
// asks the first to come forward, then ends.
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace vexmo {

class SingleInstance {
public:
    enum class Result {
        First,          // we hold the lock; requests from later copies reach onRequest
        AnotherRunning, // a copy runs already and was asked to come forward (or could not be)
        Failed          // no lock could be taken at all (the caller may run unguarded)
    };

    // `name` identifies the program ("20210610 Mouse 33XX"); `folder` holds the lock and the
    // socket (default: RuntimeFolder()).
    explicit SingleInstance(const std::string& name, std::filesystem::path folder = RuntimeFolder());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock or, when another copy holds it, sends it the request. `onRequest` runs on
    // a listener thread of ours each time a later copy starts; the answer goes back only after
    // it returns (the second copy waits for it, like a sent message).
    Result Acquire(std::function<void()> onRequest);
    // True when the running copy confirmed the last request made by Acquire.
    bool RequestDelivered() const { return delivered_; }

    const std::filesystem::path& SocketPath() const { return socketPath_; }
    const std::filesystem::path& LockPath() const { return lockPath_; }

    // $XDG_RUNTIME_DIR, else a private folder /tmp/vexmo-<uid> (created 0700).
    static std::filesystem::path RuntimeFolder();

private:
    bool Listen();
    void Serve();
    bool SendRequest();

    std::filesystem::path socketPath_;
    std::filesystem::path lockPath_;
    std::function<void()> onRequest_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::thread listener_;
    bool delivered_ = false;
};

} // namespace vexmo
