#pragma once
// 24-bit BMP files, the form of the dialog frames and the bitmap resources.
#include "Image.h"

namespace vexmo::art {

// Writes the image, composited over black, as an uncompressed bottom-up 24-bit BMP.
bool WriteBmp24(const std::filesystem::path& file, const Image& image, std::string& error);

} // namespace vexmo::art
