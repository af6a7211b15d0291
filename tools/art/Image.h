#pragma once
// An 8-bit RGBA picture in memory, rows top-down, and its PNG file form.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vexmo::art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba; // width * height * 4

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0) {}
    uint8_t* Pixel(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* Pixel(int x, int y) const { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    void Set(int x, int y, Rgb c);
    // The pixel over opaque black, the way the program shows a picture converted to a bitmap.
    Rgb Opaque(int x, int y) const;
};

// Each pixel repeated `factor` times across and down: how the program stretches skins.
Image ScaleNearest(const Image& image, int factor);

// False with a message in `error` when the file cannot be read as PNG.
bool ReadPng(const std::filesystem::path& file, Image& image, std::string& error);
bool WritePng(const std::filesystem::path& file, const Image& image, std::string& error);
// The PNG file bytes of an image (for containers such as the icon file).
bool EncodePng(const Image& image, std::vector<uint8_t>& bytes, std::string& error);

} // namespace vexmo::art
