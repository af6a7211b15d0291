// The pictures built into the program: found by id and type, decodable, of the size and frame
// count their users take them as.
#include "ShippedFiles.h"
#include "platform/core/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace vexmo::test {
namespace {

Image DecodeResource(uint32_t id, ResourceType type) {
    const auto bytes = FindResource(id, type);
    return bytes.empty() ? Image() : DecodeImage(bytes);
}

TEST(EmbeddedResourcesTest, EveryLoadedResourceHasItsSizeAndFrames) {
    struct Case {
        uint32_t id;
        ResourceType type;
        int width;
        int height;
        int frames; // equal frames side by side
        const char* user;
    };
    const Case cases[] = {
        {364, ResourceType::Bitmap, 1127, 740, 1, "main window background"},
        {287, ResourceType::Bitmap, 500, 291, 1, "colour dialog background"},
        {187, ResourceType::Png, 54, 20, 3, "scroll bar down arrow"},
        {188, ResourceType::Png, 54, 20, 3, "scroll bar up arrow"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        const Image image = DecodeResource(c.id, c.type);
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.Width() % c.frames, 0);
    }
}

TEST(EmbeddedResourcesTest, BitmapResourcesAre24Bit) {
    for (uint32_t id : {364u, 287u}) {
        const auto bytes = FindResource(id, ResourceType::Bitmap);
        ASSERT_GE(bytes.size(), 54u) << id;
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(bytes[28], 24) << id;
    }
}

// The scroll bar shows frame 1 of an arrow while the pointer is over it.
TEST(EmbeddedResourcesTest, ScrollArrowHoverFrameDiffersFromNormal) {
    for (uint32_t id : {187u, 188u}) {
        const Image strip = DecodeResource(id, ResourceType::Png);
        ASSERT_FALSE(strip.IsEmpty());
        const int frame = strip.Width() / 3;
        bool differs = false;
        for (int y = 0; y < strip.Height() && !differs; ++y) {
            for (int x = 0; x < frame; ++x) {
                differs = differs || strip.At(x, y) != strip.At(x + frame, y);
            }
        }
        EXPECT_TRUE(differs) << id;
    }
}

// The icon file holds PNG pictures at the sizes windows and trays ask for.
TEST(EmbeddedResourcesTest, IconHoldsTheCommonSizes) {
    const auto bytes = FindResource(128, ResourceType::Icon);
    ASSERT_GE(bytes.size(), 6u);
    ASSERT_EQ(bytes[0] | bytes[1] << 8, 0);
    ASSERT_EQ(bytes[2] | bytes[3] << 8, 1); // icon, not cursor
    const int count = bytes[4] | bytes[5] << 8;
    ASSERT_GE(bytes.size(), 6u + 16u * static_cast<size_t>(count));
    std::set<int> sizes;
    for (int i = 0; i < count; ++i) {
        const uint8_t* entry = bytes.data() + 6 + 16 * i;
        const int side = entry[0] == 0 ? 256 : entry[0];
        uint32_t length = 0, offset = 0;
        std::memcpy(&length, entry + 8, 4);
        std::memcpy(&offset, entry + 12, 4);
        ASSERT_LE(static_cast<size_t>(offset) + length, bytes.size());
        const Image picture = DecodePng(bytes.subspan(offset, length));
        ASSERT_FALSE(picture.IsEmpty()) << side;
        EXPECT_EQ(picture.Width(), side);
        EXPECT_EQ(picture.Height(), side);
        sizes.insert(side);
    }
    for (int wanted : {16, 24, 32, 48, 256}) {
        EXPECT_TRUE(sizes.contains(wanted)) << wanted;
    }
}

// The colour dialog takes the colour under a click in either field and ignores the frame
// colour 0x0F0F0F: every field pixel must be a real colour, never the frame colour, and the
// fields must offer the colours a user looks for.
TEST(EmbeddedResourcesTest, PaletteFieldsArePickableColours) {
    const Image palette = DecodeResource(287, ResourceType::Bitmap);
    ASSERT_EQ(palette.Width(), 500);
    ASSERT_EQ(palette.Height(), 291);
    const Rgb frame{0x0F, 0x0F, 0x0F};
    struct Field {
        int left, top, right, bottom; // right and bottom included: a click there must pick too
    };
    std::set<std::tuple<int, int, int>> colours;
    for (const Field& f : {Field{18, 26, 222, 270}, Field{244, 26, 473, 190}}) {
        for (int y = f.top; y <= f.bottom; ++y) {
            for (int x = f.left; x <= f.right; ++x) {
                const Rgb c = RgbAt(palette, x, y);
                ASSERT_FALSE(c == frame) << x << "," << y;
                colours.insert({c.r, c.g, c.b});
            }
        }
    }
    EXPECT_GT(colours.size(), 5000u);
    for (const auto& wanted : {std::tuple{255, 0, 0}, std::tuple{0, 255, 0}, std::tuple{0, 0, 255},
                               std::tuple{255, 255, 255}, std::tuple{0, 0, 0}, std::tuple{255, 255, 0}}) {
        EXPECT_TRUE(colours.contains(wanted))
            << std::get<0>(wanted) << "," << std::get<1>(wanted) << "," << std::get<2>(wanted);
    }
    // The frame colour fills the places between and around the fields.
    for (const auto& [x, y] :
         {std::pair{5, 5}, std::pair{17, 100}, std::pair{233, 100}, std::pair{490, 280}}) {
        EXPECT_EQ(RgbAt(palette, x, y), frame) << x << "," << y;
    }
}

// The hue field is continuous: neighbours across and down never jump, so every hue and
// saturation between the extremes can be picked.
TEST(EmbeddedResourcesTest, HueFieldIsContinuous) {
    const Image palette = DecodeResource(287, ResourceType::Bitmap);
    ASSERT_FALSE(palette.IsEmpty());
    auto jump = [](Rgb a, Rgb b) {
        return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
    };
    for (int y = 26; y <= 270; ++y) {
        for (int x = 18; x < 222; ++x) {
            ASSERT_LE(jump(RgbAt(palette, x, y), RgbAt(palette, x + 1, y)), 12) << x << "," << y;
            if (y < 270) {
                ASSERT_LE(jump(RgbAt(palette, x, y), RgbAt(palette, x, y + 1)), 3) << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace vexmo::test
