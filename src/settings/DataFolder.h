#pragma once
// Where the program keeps its own files: $XDG_CONFIG_HOME (default ~/.config) +
// "/VexmoData20240430A/", with every file in its "config/" subfolder.
#include <filesystem>

namespace vexmo {

std::filesystem::path DataFolder();
std::filesystem::path ConfigFolder();
// Creates the data folder and its config folder; false when they cannot be made.
bool EnsureDataFolders();

} // namespace vexmo
