#pragma once
// A clock that moves only when told: pauses advance it at once, and the headless loop jumps
// it to the next due timer, so tests of timing run in microseconds and exactly.
#include <atomic>

#include "platform/Clock.h"

namespace vexmo {

class VirtualClock final : public Clock {
public:
    uint64_t NowMs() override { return now_.load(); }
    void Sleep(uint32_t ms) override { now_.fetch_add(ms); }
    void Advance(uint64_t ms) { now_.fetch_add(ms); }
    // Moves forward to `ms`; never backwards.
    void AdvanceTo(uint64_t ms) {
        uint64_t cur = now_.load();
        while (cur < ms && !now_.compare_exchange_weak(cur, ms)) {
        }
    }

private:
    std::atomic<uint64_t> now_{1000}; // not 0, so "time 0" never looks like "unset"
};

} // namespace vexmo
