#pragma once
// The HidBus of the simulated mouse: the interfaces vexmo-mousesim presents, reached over its
// per-user socket. With no daemon running it simply has no interfaces; its hotplug thread
// notices a daemon that starts or goes away (arrival or removal of its plugged interfaces).
#include "platform/HidBus.h"
#include "platform/simbus/LineSocket.h"

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace vexmo::simbus {

class SimHidBus final : public HidBus {
public:
    explicit SimHidBus(std::filesystem::path socketPath = DefaultSocketPath());
    ~SimHidBus() override;
    SimHidBus(const SimHidBus&) = delete;
    SimHidBus& operator=(const SimHidBus&) = delete;

    const std::filesystem::path& SocketPath() const { return socketPath_; }
    // True when something exists at the socket path (a daemon may be listening).
    bool SocketExists() const;
    static bool IsSimPath(std::string_view path);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string* whyNot = nullptr) override;
    // The handler runs on the bus's watcher thread.
    void SetHotplugHandler(std::function<void(HidChange)> handler) override;

private:
    void StartWatcher();
    void StopWatcher();
    void WatchLoop();
    void WatchOnce();
    void Raise(HidChange change);

    const std::filesystem::path socketPath_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void(HidChange)> handler_;
    bool stopping_ = false;
    LineSocket* watchSocket_ = nullptr; // the live watch stream, so Stop can break its read
    std::thread watcher_;
};

} // namespace vexmo::simbus
