#include "platform/headless/HeadlessKeyboardHook.h"

#include <algorithm>
#include <vector>

#include "platform/core/WindowSystem.h"
#include "platform/desktop/KeyEventMessage.h"
#include "platform/desktop/KeyboardHookSource.h"

namespace vexmo {
namespace {

std::vector<HWND>& HookedWindows() {
    static std::vector<HWND> windows;
    return windows;
}

void PostToHooks(uint32_t virtualKey, bool release) {
    const LPARAM lParam = KeyEventLParam(PlatformClock().NowMs(), release);
    for (const HWND window : HookedWindows())
        PostMessage(window, kKeyEventMessage, virtualKey, lParam);
}

class HeadlessKeyboardHookSource final : public KeyboardHookSource {
public:
    ~HeadlessKeyboardHookSource() override { Stop(); }
    bool Start(HWND window) override {
        Stop();
        window_ = window;
        HookedWindows().push_back(window);
        return true;
    }
    void Stop() override {
        if (!window_)
            return;
        auto& windows = HookedWindows();
        const auto it = std::find(windows.begin(), windows.end(), window_);
        if (it != windows.end())
            windows.erase(it);
        window_ = 0;
    }

private:
    HWND window_ = 0;
};

} // namespace

void HookedKeyDown(uint32_t virtualKey) {
    PostToHooks(virtualKey, false);
}
void HookedKeyUp(uint32_t virtualKey) {
    PostToHooks(virtualKey, true);
}
int RunningKeyboardHooks() {
    return static_cast<int>(HookedWindows().size());
}

std::unique_ptr<KeyboardHookSource> CreateHeadlessKeyboardHookSource() {
    return std::make_unique<HeadlessKeyboardHookSource>();
}

} // namespace vexmo
