#include "IconFile.h"

#include <cstdio>
#include <memory>

namespace vexmo::art {
namespace {

constexpr uint32_t kDirectorySize = 6;
constexpr uint32_t kEntrySize = 16;
constexpr int kLargestIcon = 256;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// 256 is written as 0, the format's way of saying "256".
uint8_t SizeByte(int size) {
    return static_cast<uint8_t>(size >= kLargestIcon ? 0 : size);
}

} // namespace

bool WriteIcon(const std::filesystem::path& file, const std::vector<Image>& sizes, std::string& error) {
    std::vector<std::vector<uint8_t>> encoded(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i].width > kLargestIcon || sizes[i].height > kLargestIcon) {
            error = "icon pictures are at most 256 x 256";
            return false;
        }
        if (!EncodePng(sizes[i], encoded[i], error)) {
            return false;
        }
    }
    std::vector<uint8_t> out;
    Put16(out, 0); // reserved
    Put16(out, 1); // icon
    Put16(out, static_cast<uint32_t>(sizes.size()));
    uint32_t offset = kDirectorySize + kEntrySize * static_cast<uint32_t>(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        out.push_back(SizeByte(sizes[i].width));
        out.push_back(SizeByte(sizes[i].height));
        out.push_back(0); // no palette
        out.push_back(0);
        Put16(out, 1);  // planes
        Put16(out, 32); // bits per pixel
        Put32(out, static_cast<uint32_t>(encoded[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(encoded[i].size());
    }
    for (const auto& png : encoded) {
        out.insert(out.end(), png.begin(), png.end());
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.c_str(), "wb"), &std::fclose);
    if (!f || std::fwrite(out.data(), 1, out.size(), f.get()) != out.size()) {
        error = file.string() + ": cannot write";
        return false;
    }
    return true;
}

} // namespace vexmo::art
