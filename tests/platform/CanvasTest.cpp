#include <gtest/gtest.h>

#include <limits>

#include "platform/core/Canvas.h"
#include "platform/core/Region.h"

namespace vexmo {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255),
                   kBlack = RGB(0, 0, 0);

Image Solid(std::initializer_list<std::initializer_list<COLORREF>> rows) {
    Image img(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (COLORREF c : row) img.Row(y)[x++] = ToPixel(c);
        ++y;
    }
    return img;
}

std::vector<std::vector<COLORREF>> Read(const CCanvas& c, const Rect& r) {
    std::vector<std::vector<COLORREF>> out;
    for (int y = r.top; y < r.bottom; ++y) {
        out.emplace_back();
        for (int x = r.left; x < r.right; ++x) out.back().push_back(c.GetPixel(x, y));
    }
    return out;
}

TEST(Canvas, FillsOnlyInsideTheClip) {
    CCanvas c(6, 4);
    c.SetClipRect({2, 1, 10, 3});
    c.FillSolidRect({-5, -5, 50, 50}, kRed);
    EXPECT_EQ(c.GetPixel(1, 1), kBlack);
    EXPECT_EQ(c.GetPixel(2, 1), kRed);
    EXPECT_EQ(c.GetPixel(5, 2), kRed);
    EXPECT_EQ(c.GetPixel(5, 3), kBlack);
    EXPECT_EQ(c.GetPixel(6, 0), CLR_INVALID);
    EXPECT_EQ(c.GetPixel(-1, 0), CLR_INVALID);
}

TEST(Canvas, DrawImageScalesWithNearestNeighbourAtPixelCentres) {
    CCanvas c(4, 4);
    c.DrawImage(Solid({{kRed, kGreen}, {kBlue, kWhite}}), {0, 0, 4, 4}, {0, 0, 2, 2});
    using Row = std::vector<COLORREF>;
    EXPECT_EQ(Read(c, c.Bounds()), (std::vector<Row>{{kRed, kRed, kGreen, kGreen},
                                                      {kRed, kRed, kGreen, kGreen},
                                                      {kBlue, kBlue, kWhite, kWhite},
                                                      {kBlue, kBlue, kWhite, kWhite}}));
    // Shrinking 3 -> 2 samples source columns 0 and 2 (centres 0.75 and 2.25).
    CCanvas s(2, 1);
    s.DrawImage(Solid({{kRed, kGreen, kBlue}}), {0, 0, 2, 1}, {0, 0, 3, 1});
    EXPECT_EQ(Read(s, s.Bounds()), (std::vector<Row>{{kRed, kBlue}}));
}

TEST(Canvas, DrawsTheRequestedFrameOfAStrip) {
    const Image strip = Solid({{kRed, kRed, kGreen, kGreen, kBlue, kBlue}});
    for (int frame = 0; frame < 3; ++frame) {
        CCanvas c(3, 2);
        c.DrawImage(strip, {0, 0, 3, 2}, {static_cast<float>(frame * 2), 0, 2, 1});
        const COLORREF expected[] = {kRed, kGreen, kBlue};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(c.GetPixel(x, y), expected[frame]) << frame;
    }
}

TEST(Canvas, SourceBeyondThePictureIsTransparent) {
    CCanvas c(4, 1);
    c.FillSolidRect(c.Bounds(), kWhite);
    c.DrawImage(Solid({{kRed, kRed}}), {0, 0, 4, 1}, {0, 0, 4, 1});
    EXPECT_EQ(Read(c, c.Bounds()), (std::vector<std::vector<COLORREF>>{{kRed, kRed, kWhite, kWhite}}));
}

TEST(Canvas, AlphaIsComposedOverTheCanvas) {
    CCanvas c(1, 1);
    c.FillSolidRect(c.Bounds(), kBlue);
    Image half(1, 1);
    half.Pixels()[0] = Premultiply(0x80FF0000);
    c.DrawImage(half, 0, 0);
    EXPECT_EQ(c.GetPixel(0, 0), RGB(128, 0, 127));
}

TEST(Canvas, DegenerateDrawsDoNothing) {
    CCanvas c(4, 4);
    c.FillSolidRect(c.Bounds(), kWhite);
    const Image img = Solid({{kRed}});
    c.DrawImage(Image(), {0, 0, 4, 4}, {0, 0, 1, 1});
    c.DrawImage(img, {0, 0, 0, 4}, {0, 0, 1, 1});
    c.DrawImage(img, {0, 0, 4, 4}, {0, 0, 0, 0});
    c.DrawImage(img, {-1e30f, 0, 4, 4}, {0, 0, 1, 1});
    c.DrawImage(img, {0, 0, 4, 4}, {0, 0, std::numeric_limits<float>::quiet_NaN(), 1});
    c.StretchBlt({0, 0, 4, 4}, CCanvas(), {0, 0, 1, 1});
    c.BitBlt(-1, -1, 1000, 1000, CCanvas(2, 2), 0, 0);
    EXPECT_EQ(c.GetPixel(3, 3), kWhite);
    EXPECT_EQ(c.GetPixel(0, 0), kBlack) << "the black 2x2 canvas lands at its place only";
    EXPECT_TRUE(CCanvas(0, 10).IsEmpty());
    EXPECT_TRUE(CCanvas(100000, 100000).IsEmpty());
}

TEST(Canvas, BitBltAndStretchBltCopyAndClipToTheSource) {
    CCanvas src(2, 2);
    src.SetPixel(0, 0, kRed);
    src.SetPixel(1, 1, kGreen);
    CCanvas dst(4, 4);
    dst.FillSolidRect(dst.Bounds(), kWhite);
    dst.BitBlt(1, 1, 5, 5, src, 0, 0);
    EXPECT_EQ(dst.GetPixel(1, 1), kRed);
    EXPECT_EQ(dst.GetPixel(2, 2), kGreen);
    EXPECT_EQ(dst.GetPixel(3, 3), kWhite);
    CCanvas big(4, 4);
    big.StretchBlt({0, 0, 4, 4}, src, {0, 0, 2, 2});
    EXPECT_EQ(big.GetPixel(1, 1), kRed);
    EXPECT_EQ(big.GetPixel(3, 3), kGreen);
}

TEST(Canvas, LinesAndFramesStopBeforeTheEndPoint) {
    CCanvas c(5, 5);
    c.DrawLine({0, 0}, {4, 0}, kRed);
    EXPECT_EQ(c.GetPixel(3, 0), kRed);
    EXPECT_EQ(c.GetPixel(4, 0), kBlack);
    c.FrameRect({1, 1, 4, 4}, kGreen);
    EXPECT_EQ(c.GetPixel(1, 1), kGreen);
    EXPECT_EQ(c.GetPixel(3, 3), kGreen);
    EXPECT_EQ(c.GetPixel(2, 2), kBlack);
}

TEST(Region, TrianglesHitTestByPixelCentre) {
    const Point tri[] = {{0, 0}, {10, 0}, {0, 10}};
    CRgn r;
    ASSERT_TRUE(r.CreatePolygonRgn(tri, 3));
    EXPECT_TRUE(r.PtInRegion(0, 0));
    EXPECT_TRUE(r.PtInRegion(4, 4));
    EXPECT_FALSE(r.PtInRegion(5, 5));
    EXPECT_FALSE(r.PtInRegion(-1, 0));
    CRgn rect;
    rect.CreateRectRgn(10, 10, 37, 21);
    EXPECT_TRUE(rect.PtInRegion(10, 10));
    EXPECT_FALSE(rect.PtInRegion(37, 15)) << "right edge is outside";
    EXPECT_FALSE(rect.PtInRegion(15, 21)) << "bottom edge is outside";
    EXPECT_EQ(rect.GetRgnBox(), (Rect{10, 10, 37, 21}));
    CRgn none;
    EXPECT_FALSE(none.CreatePolygonRgn(tri, 2));
    EXPECT_FALSE(none.PtInRegion(0, 0));
}

TEST(Region, FillModesDifferOnSelfOverlap) {
    // A square drawn twice around: even-odd leaves it empty, winding fills it.
    const Point twice[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0}, {4, 0}, {4, 4}, {0, 4}};
    CRgn alt, wind;
    alt.CreatePolygonRgn(twice, 8, ALTERNATE);
    wind.CreatePolygonRgn(twice, 8, WINDING);
    EXPECT_FALSE(alt.PtInRegion(2, 2));
    EXPECT_TRUE(wind.PtInRegion(2, 2));
}

} // namespace
} // namespace vexmo
