#pragma once
// Where the build put the skins and language files, and how a test reads a picture: through
// the program's own image decoder, the way the windows will load it.
#include "platform/core/Image.h"

#include <filesystem>
#include <string>

namespace vexmo::test {

inline std::filesystem::path BinDir() {
    return VEXMO_BIN_DIR;
}
inline std::filesystem::path SkinPath(const std::string& name) {
    return BinDir() / "skins" / name;
}

// Red, green and blue of a decoded pixel (opaque pictures only: alpha is premultiplied).
struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline Rgb RgbAt(const Image& image, int x, int y) {
    const uint32_t p = image.At(x, y);
    return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
            static_cast<int>(p & 0xFF)};
}

} // namespace vexmo::test
