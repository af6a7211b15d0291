#pragma once
// A decoded picture: 32-bit pixels 0xAARRGGBB with premultiplied alpha, rows top-down.
// A failed load gives an empty image, which draws nothing and measures 0 x 0.
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "platform/core/Types.h"

namespace vexmo {

// Decoders refuse anything larger, so a hostile header cannot make us allocate gigabytes.
constexpr int kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t{1} << 25; // 128 MiB of pixels

class Image {
public:
    Image() = default;
    // A transparent image; empty when the size is zero, negative or beyond the limits.
    Image(int width, int height);

    bool IsEmpty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
    std::vector<uint32_t>& Pixels() { return pixels_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

    // The picture composed over an opaque colour: what converting it to a plain bitmap with
    // that background gives (black for skin frames).
    Image Flattened(COLORREF background) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Premultiplies one straight-alpha 0xAARRGGBB pixel.
uint32_t Premultiply(uint32_t argb);

bool DimensionsAllowed(int64_t width, int64_t height);

// PNG (any colour type and depth libpng reads; gamma-corrected to sRGB).
Image DecodePng(std::span<const uint8_t> bytes);
// BMP: 24-bit and 32-bit uncompressed or bit-field rows, bottom-up or top-down. 32-bit
// pixels carry alpha only when the header declares an alpha mask; otherwise they are opaque.
Image DecodeBmp(std::span<const uint8_t> bytes);
// ICO: the largest entry that is PNG or a 24/32-bit DIB (its mask or alpha as transparency).
Image DecodeIco(std::span<const uint8_t> bytes);
// Picks the decoder by the file's signature (PNG, BMP, ICO).
Image DecodeImage(std::span<const uint8_t> bytes);
Image LoadImageFile(const std::filesystem::path& path);

// PNG with straight alpha, written atomically; false when the image is empty or a write failed.
std::vector<uint8_t> EncodePng(const Image& image);
bool WritePngFile(const Image& image, const std::filesystem::path& path);

// The mean of the red, green and blue bytes of every pixel of the picture composed on black,
// each an integer division by the pixel count. False (colour untouched) for an empty image.
bool AverageColour(const Image& image, COLORREF& colour);

} // namespace vexmo
