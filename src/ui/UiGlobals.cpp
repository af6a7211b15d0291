#include "ui/UiGlobals.h"

#include <algorithm>

namespace vexmo {

uint32_t RadioSelectionBits = kInitialRadioSelectionBits;
uint32_t DpiLevelMask = kInitialDpiLevelMask;
int MainPageIndex = 0;
int SettingsPageIndex = 0;
std::array<HWND, kOpenWindowSlots> OpenWindowTable{};

bool RegisterOpenWindow(HWND window) {
    for (HWND& slot : OpenWindowTable) {
        if (slot == 0) {
            slot = window;
            return true;
        }
    }
    return false;
}

void UnregisterOpenWindow(HWND window) {
    if (window == 0)
        return;
    auto it = std::find(OpenWindowTable.begin(), OpenWindowTable.end(), window);
    // A dialog that found the table full was never stored; it must not take the last entry
    // of another one with it.
    if (it == OpenWindowTable.end())
        return;
    std::move(it + 1, OpenWindowTable.end(), it);
    OpenWindowTable.back() = 0;
}

Rect ScaledRect(int left, int top, int right, int bottom) {
    return {Scaled(left), Scaled(top), Scaled(right), Scaled(bottom)};
}

} // namespace vexmo
