#pragma once
// The headless desktop's notification area: the icons added, and clicks on them for tests.
#include <cstdint>
#include <vector>

#include "platform/desktop/TrayIcon.h"

namespace vexmo {

// Every icon shown now, in the order added.
std::vector<TrayIconData> HeadlessTrayIcons();
// Sends the mouse message sequence of a click on the icon with `id` (posted to its window):
// a left double click gives down, up, double-click, up; a right click gives down, up.
enum class TrayClick { Left, LeftDouble, Right };
bool ClickHeadlessTrayIcon(uint32_t id, TrayClick click);

} // namespace vexmo
