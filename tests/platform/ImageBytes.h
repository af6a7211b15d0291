#pragma once
// Builders of small BMP and PNG files for the decoder tests.
#include <cstdint>
#include <string>
#include <vector>

namespace vexmo::testimages {

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

struct BmpSpec {
    int width = 0;
    int height = 0;          // negative: rows top-down
    int bitCount = 24;
    uint32_t headerSize = 40;
    uint32_t compression = 0;
    uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
};

// `rows` top-down, each pixel 0xAARRGGBB; written bottom-up unless height < 0.
inline std::vector<uint8_t> MakeBmp(const BmpSpec& s, const std::vector<std::vector<uint32_t>>& rows) {
    const int h = s.height < 0 ? -s.height : s.height;
    const size_t stride = ((static_cast<size_t>(s.width) * static_cast<size_t>(s.bitCount) + 31) / 32) * 4;
    const bool masksAfter = s.compression == 3 && s.headerSize == 40;
    const size_t offset = 14 + s.headerSize + (masksAfter ? 12 : 0);
    std::vector<uint8_t> b(offset + stride * static_cast<size_t>(h), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, s.headerSize);
    Put32(b, 18, static_cast<uint32_t>(s.width));
    Put32(b, 22, static_cast<uint32_t>(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<uint32_t>(s.bitCount));
    Put32(b, 30, s.compression);
    if (s.compression == 3 || s.headerSize >= 56)
        for (int i = 0; i < (s.headerSize >= 56 ? 4 : 3); ++i) Put32(b, 54 + static_cast<size_t>(i) * 4, s.masks[i]);
    for (int y = 0; y < h && y < static_cast<int>(rows.size()); ++y) {
        const int fileRow = s.height < 0 ? y : h - 1 - y;
        uint8_t* p = b.data() + offset + stride * static_cast<size_t>(fileRow);
        for (int x = 0; x < s.width; ++x) {
            const uint32_t c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            if (s.bitCount == 24) {
                p[x * 3] = static_cast<uint8_t>(c);
                p[x * 3 + 1] = static_cast<uint8_t>(c >> 8);
                p[x * 3 + 2] = static_cast<uint8_t>(c >> 16);
            } else {
                for (int i = 0; i < 4; ++i) p[x * 4 + i] = static_cast<uint8_t>(c >> (8 * i));
            }
        }
    }
    return b;
}

inline uint32_t Crc32(const uint8_t* data, size_t n) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A PNG signature and an IHDR chunk only (enough for a decoder to judge the size).
inline std::vector<uint8_t> PngHeaderOnly(uint32_t width, uint32_t height) {
    std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    auto be32 = [&](uint32_t v) {
        for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    be32(width);
    be32(height);
    b.insert(b.end(), {8, 6, 0, 0, 0});
    be32(Crc32(b.data() + 12, 17));
    return b;
}

} // namespace vexmo::testimages
