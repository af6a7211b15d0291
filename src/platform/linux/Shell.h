#pragma once
// Opening a web page and the desktop's mouse settings: the programs the desktop offers for
// that, started directly (never through a shell).
#include <string>

namespace vexmo {

// Hands `address` to xdg-open as one argument. False when it could not be started.
bool OpenWebAddress(const std::string& address);

// Starts the first mouse-settings tool of the usual desktops that is installed; silently
// nothing (false) when none is.
bool StartMouseSettings();

} // namespace vexmo
