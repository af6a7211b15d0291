#pragma once
// The process-wide state of the user interface: selections shared between the controls and
// the windows that own them, and the table of open dialogs. These live here rather than in
// settings/Globals.h because they hold window handles, which the display-free core never sees.
// UiScale, AppDirectory and the interface font stay in settings/Globals.h (included here).
// Everything is touched from the user-interface thread only.
#include <array>
#include <cstdint>

#include "platform/core/Types.h"
#include "settings/Globals.h"

namespace vexmo {

// One bit per radio button shown selected (see RadioButton.h for the groups).
inline constexpr uint32_t kInitialRadioSelectionBits = 0x00280282;
extern uint32_t RadioSelectionBits;
// Low byte: bit n set means DPI level button n + 1 is drawn selected.
inline constexpr uint32_t kInitialDpiLevelMask = 2;
extern uint32_t DpiLevelMask;

// Selected page of the main tabs (2049..2053 -> 0..4) and of the settings tabs.
extern int MainPageIndex;
extern int SettingsPageIndex;

// Slot 0 the main window, the others the open secondary dialogs, filled from slot 0 without gaps.
inline constexpr int kOpenWindowSlots = 10;
extern std::array<HWND, kOpenWindowSlots> OpenWindowTable;

// Stores `window` in the first free slot; false (nothing stored) when all are taken.
bool RegisterOpenWindow(HWND window);
// Clears the slot holding `window` and moves the later entries down one, so the filled slots
// stay contiguous; the last slot is cleared. A window not in the table changes nothing.
void UnregisterOpenWindow(HWND window);

// A design rectangle multiplied by UiScale, each coordinate truncated.
Rect ScaledRect(int left, int top, int right, int bottom);
inline Rect ScaledRect(const Rect& design) {
    return ScaledRect(design.left, design.top, design.right, design.bottom);
}

} // namespace vexmo
