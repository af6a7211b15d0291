// PNG through libpng's simplified API: it does its own error recovery (no longjmp through
// our frames) and converts every colour type and depth to 8-bit BGRA.
#include <png.h>

#include <cstring>

#include "platform/core/Image.h"

namespace vexmo {

Image DecodePng(std::span<const uint8_t> bytes) {
    if (bytes.empty()) return {};
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return {};
    if (!DimensionsAllowed(png.width, png.height)) {
        png_image_free(&png);
        return {};
    }
    png.format = PNG_FORMAT_BGRA; // little-endian 0xAARRGGBB, straight alpha
    Image image(static_cast<int>(png.width), static_cast<int>(png.height));
    if (image.IsEmpty()) {
        png_image_free(&png);
        return {};
    }
    const png_int_32 stride = static_cast<png_int_32>(png.width) * 4;
    if (!png_image_finish_read(&png, nullptr, image.Pixels().data(), stride, nullptr)) {
        png_image_free(&png);
        return {};
    }
    for (uint32_t& p : image.Pixels()) p = Premultiply(p);
    return image;
}

std::vector<uint8_t> EncodePng(const Image& image) {
    if (image.IsEmpty()) return {};
    // Back to straight alpha, as PNG stores it.
    std::vector<uint32_t> straight(image.Pixels().size());
    for (size_t i = 0; i < straight.size(); ++i) {
        const uint32_t p = image.Pixels()[i];
        const uint32_t a = p >> 24;
        if (a == 255 || a == 0) {
            straight[i] = a == 0 ? 0 : p;
            continue;
        }
        auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
        straight[i] = (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.Width());
    png.height = static_cast<png_uint_32>(image.Height());
    png.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, straight.data(), 0, nullptr)) return {};
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&png, out.data(), &size, 0, straight.data(), 0, nullptr)) return {};
    out.resize(size);
    return out;
}

} // namespace vexmo
