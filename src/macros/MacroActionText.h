#pragma once
// How an action is shown in the macro manager's action list: a line of text and an icon.
#include "macros/MacroAction.h"

#include <string>
#include <string_view>

namespace vexmo {

// Skin pictures of the action list, relative to the program's folder.
inline constexpr std::string_view kDelayIconFile = "skins/macro_time.png";
inline constexpr std::string_view kPressIconFile = "skins/macro_down.png";
inline constexpr std::string_view kReleaseIconFile = "skins/macro_up.png";

// "50ms" for a delay, "Move Left 5" and the like for mouse movement, else the key's name.
std::string ActionText(MacroAction action);
// The skin file (relative, forward slashes) of the action's icon.
std::string_view ActionIcon(MacroAction action);

} // namespace vexmo
