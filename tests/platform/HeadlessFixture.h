#pragma once
// Starts the headless window system for one test and records what windows receive.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/core/Dialog.h"
#include "platform/core/WindowSystem.h"
#include "platform/core/Wnd.h"
#include "platform/headless/HeadlessBackend.h"

namespace vexmo {

struct Received {
    HWND window;
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
    uint64_t time;
};

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(InitWindowSystem(WindowSystemKind::Headless, &why)) << why;
        screen = Headless();
        ASSERT_NE(screen, nullptr);
    }
    void TearDown() override { ShutdownWindowSystem(); }

    HeadlessBackend* screen = nullptr;
};

// Logs every message into a shared journal; optional hooks per message.
class RecordingWnd : public CWnd {
public:
    explicit RecordingWnd(std::vector<Received>& journal) : journal_(journal) {}
    std::function<void(uint32_t, WPARAM, LPARAM)> onMessage;

    LRESULT WindowProc(uint32_t message, WPARAM wParam, LPARAM lParam) override {
        journal_.push_back({Handle(), message, wParam, lParam, PlatformClock().NowMs()});
        if (onMessage) onMessage(message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    bool Open(const Rect& rect, uint32_t exStyle = 0, HWND owner = 0) {
        return CreateEx(exStyle, "test", WS_POPUP | WS_VISIBLE, rect, owner);
    }

private:
    std::vector<Received>& journal_;
};

inline std::vector<uint32_t> MessagesOf(const std::vector<Received>& journal, HWND window,
                                        std::initializer_list<uint32_t> only = {}) {
    std::vector<uint32_t> out;
    for (const Received& r : journal) {
        if (r.window != window) continue;
        if (only.size() && std::find(only.begin(), only.end(), r.message) == only.end()) continue;
        out.push_back(r.message);
    }
    return out;
}

} // namespace vexmo
