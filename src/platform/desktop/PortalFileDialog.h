#pragma once
// The open and save dialogs of the desktop portal (org.freedesktop.portal.FileChooser on the
// session bus): the desktop's own dialog, also inside a sandbox. Blocks until the user
// answers; Unavailable when no portal answers.
#include "platform/desktop/FileDialogRequest.h"

namespace vexmo {

FileDialogAnswer RunPortalFileDialog(const FileDialogRequest& request);

// "file:///a%20b" -> "/a b"; empty for anything but a local file address.
std::string PathFromFileUri(const std::string& uri);

} // namespace vexmo
