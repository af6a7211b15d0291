#pragma once
// The window and tray icon: one .ico file holding the same picture at several sizes, each
// entry stored as PNG.
#include "Image.h"

namespace vexmo::art {

bool WriteIcon(const std::filesystem::path& file, const std::vector<Image>& sizes, std::string& error);

} // namespace vexmo::art
