#include "device/LinkEventQueue.h"

#include <iterator>

namespace vexmo {

void LinkEventQueue::SetWake(std::function<void()> wake) {
    std::lock_guard lock(wakeMutex_);
    wake_ = std::move(wake);
}

void LinkEventQueue::Push(LinkEvent event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    // The events lock is free again, so even a wake that takes the events at once is safe.
    std::lock_guard lock(wakeMutex_);
    if (wake_) {
        wake_();
    }
}

std::vector<LinkEvent> LinkEventQueue::TakeAll() {
    std::lock_guard lock(mutex_);
    std::vector<LinkEvent> taken(std::make_move_iterator(events_.begin()),
                                 std::make_move_iterator(events_.end()));
    events_.clear();
    return taken;
}

size_t LinkEventQueue::Size() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

} // namespace vexmo
