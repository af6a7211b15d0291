// A program guarded by SingleInstance, for the two-process test. Prints "first" or "second";
// the first copy then waits (up to 10 s) for a later copy's request, prints "request" and ends
// with 0; the second ends at once with 3 when its request was answered, 4 when not.
#include <condition_variable>
#include <cstdio>
#include <mutex>

#include "platform/linux/SingleInstance.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    vexmo::SingleInstance guard("20210610 Mouse 33XX", argv[1]);
    std::mutex mutex;
    std::condition_variable asked;
    bool requested = false;
    const auto result = guard.Acquire([&] {
        std::lock_guard lock(mutex);
        requested = true;
        asked.notify_all();
    });
    if (result == vexmo::SingleInstance::Result::AnotherRunning) {
        std::puts("second");
        return guard.RequestDelivered() ? 3 : 4;
    }
    if (result != vexmo::SingleInstance::Result::First)
        return 5;
    std::puts("first");
    std::fflush(stdout);
    std::unique_lock lock(mutex);
    if (!asked.wait_for(lock, std::chrono::seconds(10), [&] { return requested; }))
        return 6;
    std::puts("request");
    return 0;
}
