#include "Bitmap.h"

#include <cstdio>
#include <memory>

namespace vexmo::art {
namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 3780; // 96 dpi

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

bool WriteBmp24(const std::filesystem::path& file, const Image& image, std::string& error) {
    const uint32_t stride = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = stride * static_cast<uint32_t>(image.height);
    std::vector<uint8_t> out;
    out.reserve(kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    Put32(out, 0);
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<uint32_t>(image.width));
    Put32(out, static_cast<uint32_t>(image.height)); // positive: rows bottom-up
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0); // BI_RGB
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.Opaque(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < stride; ++pad) {
            out.push_back(0);
        }
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "wb"), &std::fclose);
    if (!f || std::fwrite(out.data(), 1, out.size(), f.get()) != out.size()) {
        error = file.string() + ": cannot write";
        return false;
    }
    return true;
}

} // namespace vexmo::art
