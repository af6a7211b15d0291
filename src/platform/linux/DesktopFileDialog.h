#pragma once
// The open and save dialogs of the desktop: zenity where installed, else kdialog. Blocks until
// the user answers; Unavailable when neither program exists or it failed to start.
#include "platform/desktop/FileDialogRequest.h"

namespace vexmo {

FileDialogAnswer RunDesktopFileDialog(const FileDialogRequest& request);

// The argument lists (tests check them without a desktop).
std::vector<std::string> ZenityArguments(const FileDialogRequest& request);
std::vector<std::string> KdialogArguments(const FileDialogRequest& request);

} // namespace vexmo
