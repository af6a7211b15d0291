// Our own BMP reader for the skin frames: 24- and 32-bit rows, uncompressed or bit-field.
// Every offset and size is checked against the buffer before it is used.
#include <bit>

#include "platform/core/Image.h"

namespace vexmo {

namespace {
constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;

uint16_t U16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

// Extracts an 8-bit channel from a pixel through a contiguous bit mask.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    // A mask must be one run of set bits.
    bool Valid() const {
        const uint64_t v = uint64_t{mask} >> shift;
        return mask == 0 || (v & (v + 1)) == 0;
    }
    uint32_t Get(uint32_t pixel) const {
        if (mask == 0) return 0;
        const uint64_t v = (pixel & mask) >> shift;
        const uint64_t max = (uint64_t{1} << bits) - 1;
        return static_cast<uint32_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0}; // r g b a
    bool hasAlphaMask = false;
};

bool ReadHeader(std::span<const uint8_t> b, Header& h) {
    const uint32_t infoSize = U32(b, kFileHeaderSize);
    const size_t info = kFileHeaderSize;
    if (infoSize == kCoreHeaderSize) {
        if (b.size() < info + kCoreHeaderSize) return false;
        h.width = U16(b, info + 4);
        h.height = U16(b, info + 6);
        h.bitCount = U16(b, info + 10);
        return true;
    }
    if (infoSize < kInfoHeaderSize || b.size() < info + infoSize) return false;
    h.width = static_cast<int32_t>(U32(b, info + 4));
    const int32_t height = static_cast<int32_t>(U32(b, info + 8));
    if (height == INT32_MIN) return false;
    h.topDown = height < 0;
    h.height = height < 0 ? -static_cast<int64_t>(height) : height;
    h.bitCount = U16(b, info + 14);
    h.compression = U32(b, info + 16);
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        // Masks follow a plain 40-byte header, or sit inside the larger ones.
        const size_t masksAt = info + kInfoHeaderSize;
        const size_t count = h.compression == kBiAlphaBitfields || infoSize >= 56 ? 4 : 3;
        if (b.size() < masksAt + count * 4) return false;
        for (size_t i = 0; i < 3; ++i) h.masks[i] = U32(b, masksAt + i * 4);
        if (count == 4) h.masks[3] = U32(b, masksAt + 12);
    } else if (infoSize >= 56 && h.bitCount == 32) {
        h.masks[3] = U32(b, info + 52); // an alpha mask of a V3+ header with plain rows
    }
    h.hasAlphaMask = h.masks[3] != 0;
    return true;
}
} // namespace

Image DecodeBmp(std::span<const uint8_t> b) {
    if (b.size() < kFileHeaderSize + 4 || b[0] != 'B' || b[1] != 'M') return {};
    Header h;
    if (!ReadHeader(b, h)) return {};
    if (h.bitCount != 24 && h.bitCount != 32) return {};
    if (h.compression != kBiRgb && !(h.bitCount == 32 && (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields)))
        return {};
    if (!DimensionsAllowed(h.width, h.height)) return {};
    const Channel r(h.masks[0]), g(h.masks[1]), bl(h.masks[2]), a(h.masks[3]);
    if (!r.Valid() || !g.Valid() || !bl.Valid() || !a.Valid()) return {};

    const uint64_t stride = ((static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
    const uint64_t offset = U32(b, 10);
    if (offset > b.size() || stride * static_cast<uint64_t>(h.height) > b.size() - offset) return {};

    Image image(static_cast<int>(h.width), static_cast<int>(h.height));
    if (image.IsEmpty()) return {};
    const bool useMasks = h.compression != kBiRgb && h.bitCount == 32;
    const bool useAlpha = h.bitCount == 32 && h.hasAlphaMask;
    for (int y = 0; y < image.Height(); ++y) {
        const int fileRow = h.topDown ? y : image.Height() - 1 - y;
        const uint8_t* src = b.data() + offset + stride * static_cast<uint64_t>(fileRow);
        uint32_t* dst = image.Row(y);
        for (int x = 0; x < image.Width(); ++x) {
            uint32_t argb;
            if (h.bitCount == 24) {
                const uint8_t* p = src + x * 3;
                argb = 0xFF000000u | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
            } else {
                const uint8_t* p = src + x * 4;
                const uint32_t px = uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
                const uint32_t red = useMasks || useAlpha ? r.Get(px) : p[2];
                const uint32_t green = useMasks || useAlpha ? g.Get(px) : p[1];
                const uint32_t blue = useMasks || useAlpha ? bl.Get(px) : p[0];
                const uint32_t alpha = useAlpha ? a.Get(px) : 255;
                argb = (alpha << 24) | (red << 16) | (green << 8) | blue;
            }
            dst[x] = Premultiply(argb);
        }
    }
    return image;
}

} // namespace vexmo
