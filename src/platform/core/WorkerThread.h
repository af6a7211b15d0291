#pragma once
// The few threads the program starts (device readers, the progress bar's painter). A
// worker is joined when its object goes, unless it was detached: the reader threads end
// with the process, blocked in a read.
#include <functional>
#include <thread>

namespace vexmo {

enum class ThreadPriority { Normal, TimeCritical };

class CWorkerThread {
public:
    CWorkerThread() = default;
    ~CWorkerThread() { Join(); }
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // False when a thread is already running in this object or could not be started.
    bool Start(std::function<void()> work, ThreadPriority priority = ThreadPriority::Normal);
    void Join();
    void Detach();
    bool Joinable() const { return thread_.joinable(); }

private:
    std::thread thread_;
};

} // namespace vexmo
