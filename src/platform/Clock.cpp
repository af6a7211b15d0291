#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace vexmo {

namespace {
class SteadyClockImpl final : public Clock {
public:
    uint64_t NowMs() override {
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                         std::chrono::steady_clock::now() - start_)
                                         .count());
    }
    void Sleep(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};
} // namespace

Clock& SteadyClock() {
    static SteadyClockImpl clock;
    return clock;
}

} // namespace vexmo
