#pragma once
// The open and save dialogs (the roles of the system's common file dialogs). On the headless
// screen the answers come from a script the test sets; on a desktop from the desktop portal
// where it answers, else from the dialog program
// installed by the application (SetSystemFileDialog), else from a small dialog of our own
// (OwnFileDialog.h). While a dialog program runs, the caller's window stays responsive
// (painted, timers running) but disabled while the dialog is up.
#include <deque>
#include <functional>
#include <optional>

#include "platform/desktop/FileDialogRequest.h"

namespace vexmo {

// Shows the dialog; the chosen path, or nothing when cancelled or no dialog could be shown.
// A save name without an extension gets the default extension.
std::optional<std::filesystem::path> ShowFileDialog(const FileDialogRequest& request);

using FileDialogProvider = std::function<FileDialogAnswer(const FileDialogRequest&)>;
// The desktop's dialog program (null: none). UI thread.
void SetSystemFileDialog(FileDialogProvider provider);

// The headless script: each dialog shown takes the next answer (an empty script cancels) and
// is recorded.
void ScriptFileDialogAnswers(std::deque<FileDialogAnswer> answers);
const std::vector<FileDialogRequest>& ScriptedFileDialogRequests();
void ClearFileDialogScript();

// The name a save dialog hands back: `path` with ".ext" added when it has no extension.
std::filesystem::path WithDefaultExtension(std::filesystem::path path, const std::string& extension);

} // namespace vexmo
