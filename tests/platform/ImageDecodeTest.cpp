#include <gtest/gtest.h>

#include "ImageBytes.h"
#include "platform/core/Image.h"
#include "support/TempDir.h"

namespace vexmo {
namespace {

using testimages::BmpSpec;
using testimages::MakeBmp;

const std::vector<std::vector<uint32_t>> kThreeByTwo = {
    {0xFFFF0000, 0xFF00FF00, 0xFF0000FF},
    {0xFFFFFFFF, 0xFF000000, 0xFF808080},
};

void ExpectPixels(const Image& img, const std::vector<std::vector<uint32_t>>& rows, const char* what) {
    ASSERT_EQ(img.Height(), static_cast<int>(rows.size())) << what;
    ASSERT_EQ(img.Width(), static_cast<int>(rows[0].size())) << what;
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            EXPECT_EQ(img.At(x, y), rows[static_cast<size_t>(y)][static_cast<size_t>(x)]) << what << " at " << x << "," << y;
}

TEST(BmpDecoding, ReadsEveryLayoutTheSkinsUse) {
    struct Case {
        const char* name;
        BmpSpec layout;
    };
    const Case cases[] = {
        {"24-bit bottom-up with row padding", {3, 2, 24}},
        {"24-bit top-down", {3, -2, 24}},
        {"32-bit plain rows: alpha byte ignored", {3, 2, 32}},
        {"32-bit bit fields", {3, 2, 32, 40, 3}},
    };
    for (const Case& c : cases) {
        auto rows = kThreeByTwo;
        if (c.layout.bitCount == 32 && c.layout.compression == 0)
            for (auto& r : rows)
                for (auto& p : r) p &= 0x00FFFFFF; // garbage alpha 0 must not make it transparent
        const Image img = DecodeBmp(MakeBmp(c.layout, rows));
        ExpectPixels(img, kThreeByTwo, c.name);
    }
}

TEST(BmpDecoding, DeclaredAlphaMaskGivesPremultipliedPixels) {
    BmpSpec layout{2, 1, 32, 108, 3};
    const Image img = DecodeBmp(MakeBmp(layout, {{0x80FF0000, 0x00FFFFFF}}));
    ASSERT_FALSE(img.IsEmpty());
    EXPECT_EQ(img.At(0, 0), 0x80800000u);
    EXPECT_EQ(img.At(1, 0), 0u);
}

TEST(BmpDecoding, MalformedFilesGiveAnEmptyImage) {
    const std::vector<uint8_t> good = MakeBmp({3, 2, 24}, kThreeByTwo);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"signature only", {'B', 'M'}});
    cases.push_back({"truncated pixels", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    cases.push_back({"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + 30)});
    auto mutate = [&](const char* name, size_t at, uint32_t value) {
        auto b = good;
        testimages::Put32(b, at, value);
        cases.push_back({name, b});
    };
    mutate("zero width", 18, 0);
    mutate("absurd size", 18, 100000);
    mutate("height INT_MIN", 22, 0x80000000u);
    mutate("pixel offset past the end", 10, 0xFFFFFFF0u);
    mutate("header size past the end", 14, 0x7FFFFFFF);
    mutate("RLE compression", 30, 1);
    {
        auto b = good;
        testimages::Put16(b, 28, 8);
        cases.push_back({"8-bit palette", b});
    }
    {
        BmpSpec layout{3, 2, 32, 40, 3};
        layout.masks[0] = 0x00F0F000; // not one run of bits
        cases.push_back({"split mask", MakeBmp(layout, kThreeByTwo)});
    }
    for (const Case& c : cases) EXPECT_TRUE(DecodeBmp(c.bytes).IsEmpty()) << c.name;
}

TEST(PngCodec, RoundTripsStraightAlphaThroughPremultipliedPixels) {
    Image img(3, 1);
    img.Pixels() = {0xFF102030, 0, Premultiply(0x80FF0000)};
    const std::vector<uint8_t> png = EncodePng(img);
    ASSERT_FALSE(png.empty());
    const Image back = DecodePng(png);
    ASSERT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Pixels(), img.Pixels());
    EXPECT_EQ(Premultiply(0x80FF0000), 0x80800000u);
}

TEST(PngCodec, MalformedFilesGiveAnEmptyImage) {
    Image img(4, 4);
    for (auto& p : img.Pixels()) p = 0xFF336699;
    const std::vector<uint8_t> good = EncodePng(img);
    ASSERT_FALSE(DecodePng(good).IsEmpty());
    for (size_t cut : {size_t{0}, size_t{8}, size_t{20}, size_t{33}, good.size() / 2, good.size() - 13}) {
        EXPECT_TRUE(DecodePng(std::span(good.data(), cut)).IsEmpty()) << "cut at " << cut;
    }
    auto badCrc = good;
    badCrc[29] ^= 0xFF; // inside IHDR's CRC
    EXPECT_TRUE(DecodePng(badCrc).IsEmpty());
    EXPECT_TRUE(DecodePng(testimages::PngHeaderOnly(kMaxImageSide + 1, 1)).IsEmpty());
    EXPECT_TRUE(DecodePng(testimages::PngHeaderOnly(12000, 12000)).IsEmpty()) << "over the pixel budget";
}

TEST(ImageFiles, LoadsBySignatureAndFailsSoftly) {
    test::TempDir dir;
    const auto bmp = MakeBmp({3, 2, 24}, kThreeByTwo);
    test::WriteBytes(dir.path() / "a.png", std::string(bmp.begin(), bmp.end())); // misnamed on purpose
    ExpectPixels(LoadImageFile(dir.path() / "a.png"), kThreeByTwo, "BMP under a .png name");
    EXPECT_TRUE(LoadImageFile(dir.path() / "missing.png").IsEmpty());
    test::WriteBytes(dir.path() / "junk.png", "not a picture");
    EXPECT_TRUE(LoadImageFile(dir.path() / "junk.png").IsEmpty());
    EXPECT_TRUE(LoadImageFile(dir.path()).IsEmpty()) << "a folder";
}

TEST(ImageFiles, AverageColourOfThePictureOnBlack) {
    Image img(2, 2);
    img.Pixels() = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0}; // the transparent one counts as black
    COLORREF c = 0x123456;
    ASSERT_TRUE(AverageColour(img, c));
    EXPECT_EQ(c, RGB(63, 63, 63));
    COLORREF untouched = 0x123456;
    EXPECT_FALSE(AverageColour(Image(), untouched));
    EXPECT_EQ(untouched, 0x123456u);
}

} // namespace
} // namespace vexmo
