#include "platform/core/Image.h"

#include <fstream>
#include <iterator>

#include "settings/AtomicFile.h"

namespace vexmo {

namespace {
constexpr uintmax_t kMaxImageFileBytes = uintmax_t{256} << 20;
}

bool DimensionsAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

Image::Image(int width, int height) {
    if (!DimensionsAllowed(width, height)) return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
}

uint32_t Premultiply(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb;
    if (a == 0) return 0;
    auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (mul((argb >> 16) & 0xFF) << 16) | (mul((argb >> 8) & 0xFF) << 8) | mul(argb & 0xFF);
}

Image Image::Flattened(COLORREF background) const {
    Image out(width_, height_);
    if (out.IsEmpty()) return out;
    const uint32_t br = GetRValue(background), bg = GetGValue(background), bb = GetBValue(background);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const uint32_t p = pixels_[i];
        const uint32_t inv = 255 - (p >> 24);
        const uint32_t r = ((p >> 16) & 0xFF) + (br * inv + 127) / 255;
        const uint32_t g = ((p >> 8) & 0xFF) + (bg * inv + 127) / 255;
        const uint32_t b = (p & 0xFF) + (bb * inv + 127) / 255;
        out.pixels_[i] = 0xFF000000u | (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
    }
    return out;
}

Image DecodeImage(std::span<const uint8_t> bytes) {
    static constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() >= sizeof kPngSignature && std::equal(std::begin(kPngSignature), std::end(kPngSignature), bytes.begin()))
        return DecodePng(bytes);
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes);
    if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0) return DecodeIco(bytes);
    return {};
}

Image LoadImageFile(const std::filesystem::path& path) {
    std::error_code ec;
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > kMaxImageFileBytes) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return {};
    return DecodeImage(bytes);
}

bool WritePngFile(const Image& image, const std::filesystem::path& path) {
    const std::vector<uint8_t> bytes = EncodePng(image);
    if (bytes.empty()) return false;
    return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool AverageColour(const Image& image, COLORREF& colour) {
    if (image.IsEmpty()) return false;
    // Premultiplied channels are exactly the picture composed on black.
    uint64_t r = 0, g = 0, b = 0;
    for (uint32_t p : image.Pixels()) {
        r += (p >> 16) & 0xFF;
        g += (p >> 8) & 0xFF;
        b += p & 0xFF;
    }
    const uint64_t n = image.Pixels().size();
    colour = RGB(static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n));
    return true;
}

} // namespace vexmo
