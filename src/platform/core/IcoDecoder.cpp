// Icons: the entry with the most pixels among those we can read (PNG-compressed entries,
// and 24- or 32-bit DIB entries with their transparency mask).
#include "platform/core/Image.h"

namespace vexmo {

namespace {
constexpr size_t kDirSize = 6;
constexpr size_t kEntrySize = 16;
constexpr uint32_t kInfoHeaderSize = 40;

uint16_t U16(std::span<const uint8_t> b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
           (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

Image DecodeDibEntry(std::span<const uint8_t> d) {
    if (d.size() < kInfoHeaderSize || U32(d, 0) < kInfoHeaderSize) return {};
    const uint32_t headerSize = U32(d, 0);
    const auto width = static_cast<int32_t>(U32(d, 4));
    const auto doubledHeight = static_cast<int32_t>(U32(d, 8));
    const uint16_t bits = U16(d, 14);
    const uint32_t compression = U32(d, 16);
    if ((bits != 24 && bits != 32) || compression != 0 || doubledHeight <= 0) return {};
    const int height = doubledHeight / 2;
    if (!DimensionsAllowed(width, height)) return {};
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    const uint64_t maskStride = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
    const uint64_t pixelsAt = headerSize;
    if (pixelsAt > d.size() || stride * static_cast<uint64_t>(height) > d.size() - pixelsAt) return {};
    const uint64_t maskAt = pixelsAt + stride * static_cast<uint64_t>(height);
    const bool hasMask = maskAt <= d.size() && maskStride * static_cast<uint64_t>(height) <= d.size() - maskAt;

    Image image(width, height);
    if (image.IsEmpty()) return {};
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = d.data() + pixelsAt + stride * static_cast<uint64_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + x * (bits / 8);
            const uint32_t a = bits == 32 ? p[3] : 255;
            anyAlpha = anyAlpha || (bits == 32 && a != 0);
            image.Row(y)[x] = (a << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
    }
    // Without alpha of its own the icon's transparency is its AND mask.
    const bool useMask = !anyAlpha && hasMask;
    for (int y = 0; y < height; ++y) {
        const uint8_t* mask = useMask ? d.data() + maskAt + maskStride * static_cast<uint64_t>(height - 1 - y) : nullptr;
        for (int x = 0; x < width; ++x) {
            uint32_t& px = image.Row(y)[x];
            if (!anyAlpha) {
                const bool transparent = mask && (mask[x >> 3] & (0x80 >> (x & 7)));
                px = transparent ? 0 : (px | 0xFF000000u);
            }
            px = Premultiply(px);
        }
    }
    return image;
}
} // namespace

Image DecodeIco(std::span<const uint8_t> b) {
    if (b.size() < kDirSize || U16(b, 0) != 0 || U16(b, 2) != 1) return {};
    const uint16_t count = U16(b, 4);
    if (b.size() < kDirSize + kEntrySize * count) return {};
    Image best;
    for (uint16_t i = 0; i < count; ++i) {
        const size_t e = kDirSize + kEntrySize * i;
        const uint64_t size = U32(b, e + 8), offset = U32(b, e + 12);
        if (offset > b.size() || size > b.size() - offset || size == 0) continue;
        const auto data = b.subspan(static_cast<size_t>(offset), static_cast<size_t>(size));
        // Entries are PNG or DIB only; never another icon (a directory pointing at itself).
        Image candidate = data.size() >= 4 && data[0] == 0x89 && data[1] == 'P' ? DecodePng(data) : DecodeDibEntry(data);
        if (!candidate.IsEmpty() &&
            int64_t{candidate.Width()} * candidate.Height() > int64_t{best.Width()} * best.Height())
            best = std::move(candidate);
    }
    return best;
}

} // namespace vexmo
