#include "platform/desktop/KeyboardHook.h"

#include "platform/core/WindowSystem.h"

namespace vexmo {

std::unique_ptr<KeyboardHookSource> CreateKeyboardHookSource() {
    if (!WindowSystemRunning())
        return nullptr;
    if (Headless())
        return CreateHeadlessKeyboardHookSource();
    return CreateX11KeyboardHookSource();
}

CKeyboardHook::CKeyboardHook() = default;

CKeyboardHook::~CKeyboardHook() {
    StopHook();
}

int CKeyboardHook::StartHook(HWND window) {
    StopHook();
    std::unique_ptr<KeyboardHookSource> source = CreateKeyboardHookSource();
    if (!source || !source->Start(window))
        return 0;
    source_ = std::move(source);
    return 1;
}

int CKeyboardHook::StopHook() {
    if (source_) {
        source_->Stop();
        source_.reset();
    }
    return 1;
}

} // namespace vexmo
