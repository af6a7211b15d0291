#include "Image.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace vexmo::art {

void Image::Set(int x, int y, Rgb c) {
    uint8_t* p = Pixel(x, y);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = 255;
}

Rgb Image::Opaque(int x, int y) const {
    const uint8_t* p = Pixel(x, y);
    auto over = [a = p[3]](uint8_t v) { return static_cast<uint8_t>((v * a + 127) / 255); };
    return {over(p[0]), over(p[1]), over(p[2])};
}

Image ScaleNearest(const Image& image, int factor) {
    Image out(image.width * factor, image.height * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            const uint8_t* from = image.Pixel(x / factor, y / factor);
            std::copy(from, from + 4, out.Pixel(x, y));
        }
    }
    return out;
}

bool ReadPng(const std::filesystem::path& file, Image& image, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, file.c_str())) {
        error = file.string() + ": " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    image = Image(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        error = file.string() + ": " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

bool EncodePng(const Image& image, std::vector<uint8_t>& bytes, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.rgba.data(), 0, nullptr)) {
        error = png.message;
        return false;
    }
    bytes.resize(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.rgba.data(), 0, nullptr)) {
        error = png.message;
        return false;
    }
    bytes.resize(size);
    return true;
}

bool WritePng(const std::filesystem::path& file, const Image& image, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!EncodePng(image, bytes, error)) {
        error = file.string() + ": " + error;
        return false;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size()) {
        error = file.string() + ": cannot write";
        return false;
    }
    return true;
}

} // namespace vexmo::art
