#include "platform/core/WorkerThread.h"

#include <pthread.h>
#include <sched.h>

#include <system_error>

namespace vexmo {

namespace {
// Real-time scheduling needs privileges an ordinary user lacks; then the thread simply
// runs at normal priority, which is what the system gives such requests too.
void RaisePriority() {
    sched_param param{};
    param.sched_priority = sched_get_priority_min(SCHED_RR);
    pthread_setschedparam(pthread_self(), SCHED_RR, &param);
}
} // namespace

bool CWorkerThread::Start(std::function<void()> work, ThreadPriority priority) {
    if (thread_.joinable() || !work) return false;
    try {
        thread_ = std::thread([work = std::move(work), priority] {
            if (priority == ThreadPriority::TimeCritical) RaisePriority();
            work();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CWorkerThread::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

void CWorkerThread::Detach() {
    if (thread_.joinable()) thread_.detach();
}

} // namespace vexmo
