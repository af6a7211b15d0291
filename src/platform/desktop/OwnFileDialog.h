#pragma once
// The last resort when the desktop offers no file dialog: a small modal dialog of ours with a
// path line (an edit box holding the initial folder and name). Enter accepts, Escape cancels.
// An open dialog accepts only an existing file; a save dialog only a path whose folder exists.
#include "platform/desktop/FileDialogRequest.h"

namespace vexmo {

FileDialogAnswer RunOwnFileDialog(const FileDialogRequest& request);

} // namespace vexmo
