#pragma once
// Every pause and every timer of the program reads time through a Clock, so tests can run
// on a virtual one (pauses advance it at once) and assert exact spacing of events.
#include <cstdint>

namespace vexmo {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary, fixed start.
    virtual uint64_t NowMs() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The real monotonic clock; safe to use from any thread.
Clock& SteadyClock();

} // namespace vexmo
