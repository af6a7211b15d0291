#include "HeadlessFixture.h"
#include "ImageBytes.h"
#include "platform/core/Image.h"
#include "platform/core/WorkerThread.h"

namespace vexmo {
namespace {

using testimages::Put16;
using testimages::Put32;

// An icon directory of the given entries (each already encoded).
std::vector<uint8_t> MakeIco(const std::vector<std::vector<uint8_t>>& entries, uint32_t forcedOffset = 0) {
    std::vector<uint8_t> b(6 + 16 * entries.size(), 0);
    Put16(b, 2, 1);
    Put16(b, 4, static_cast<uint32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        Put32(b, 6 + 16 * i + 8, static_cast<uint32_t>(entries[i].size()));
        Put32(b, 6 + 16 * i + 12, forcedOffset ? forcedOffset - 1 : static_cast<uint32_t>(b.size()));
        b.insert(b.end(), entries[i].begin(), entries[i].end());
    }
    return b;
}

// A DIB icon entry: header, pixels bottom-up, then the AND mask.
std::vector<uint8_t> DibEntry(int w, int h, int bits, const std::vector<uint32_t>& topDown, const std::vector<bool>& masked) {
    const size_t stride = ((static_cast<size_t>(w) * static_cast<size_t>(bits) + 31) / 32) * 4;
    const size_t maskStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
    std::vector<uint8_t> d(40 + stride * static_cast<size_t>(h) + maskStride * static_cast<size_t>(h), 0);
    Put32(d, 0, 40);
    Put32(d, 4, static_cast<uint32_t>(w));
    Put32(d, 8, static_cast<uint32_t>(2 * h));
    Put16(d, 12, 1);
    Put16(d, 14, static_cast<uint32_t>(bits));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t c = topDown[static_cast<size_t>(y * w + x)];
            uint8_t* p = d.data() + 40 + stride * static_cast<size_t>(h - 1 - y) + static_cast<size_t>(x * bits / 8);
            for (int i = 0; i < bits / 8; ++i) p[i] = static_cast<uint8_t>(c >> (8 * i));
            if (masked[static_cast<size_t>(y * w + x)])
                d[40 + stride * static_cast<size_t>(h) + maskStride * static_cast<size_t>(h - 1 - y) + static_cast<size_t>(x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
        }
    return d;
}

TEST(Icons, TakesTheLargestReadableEntryWithItsTransparency) {
    const auto small = DibEntry(1, 1, 32, {0xFF00FF00}, {false});
    const auto masked = DibEntry(2, 2, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, {false, true, false, false});
    const Image icon = DecodeImage(MakeIco({small, masked}));
    ASSERT_EQ(icon.Width(), 2);
    EXPECT_EQ(icon.At(0, 0), 0xFFFF0000u);
    EXPECT_EQ(icon.At(1, 0), 0u) << "masked out";
    EXPECT_EQ(icon.At(1, 1), 0xFFFFFFFFu);

    const auto alpha = DibEntry(2, 1, 32, {0x80FF0000, 0x00000000}, {false, false});
    const Image withAlpha = DecodeIco(MakeIco({alpha}));
    ASSERT_EQ(withAlpha.Width(), 2);
    EXPECT_EQ(withAlpha.At(0, 0), 0x80800000u);

    Image png(3, 3);
    for (auto& p : png.Pixels()) p = 0xFF112233;
    EXPECT_EQ(DecodeIco(MakeIco({EncodePng(png)})).Width(), 3);
}

TEST(Icons, MalformedDirectoriesGiveAnEmptyImage) {
    const auto entry = DibEntry(1, 1, 32, {0xFF00FF00}, {false});
    auto truncated = MakeIco({entry});
    truncated.resize(truncated.size() - 3);
    auto selfReferencing = MakeIco({entry}, 1); // the entry points at the directory itself
    auto manyEntries = MakeIco({entry});
    Put16(manyEntries, 4, 60000);
    for (const auto& bytes : {truncated, selfReferencing, manyEntries, std::vector<uint8_t>{0, 0, 1, 0}})
        EXPECT_TRUE(DecodeIco(bytes).IsEmpty());
}

using Worker = HeadlessTest;

TEST_F(Worker, DrawingFromAWorkerThreadReachesTheScreen) {
    std::vector<Received> log;
    RecordingWnd w(log);
    ASSERT_TRUE(w.Open({10, 10, 110, 60}));
    screen->RunUntilIdle();
    auto surface = WindowSurfaceOf(w.Handle());
    ASSERT_NE(surface, nullptr);
    CWorkerThread worker;
    ASSERT_TRUE(worker.Start(
        [surface] {
            for (int step = 0; step < 50; ++step) {
                CClientDC dc(surface);
                dc.Canvas().FillSolidRect({0, 0, step * 2, 50}, RGB(0, 200, 0));
            }
        },
        ThreadPriority::TimeCritical));
    worker.Join();
    screen->RunUntilIdle();
    EXPECT_EQ(screen->Screenshot().GetPixel(10 + 97, 30), RGB(0, 200, 0));
    EXPECT_FALSE(worker.Start(nullptr));
}

TEST_F(Worker, AClientDcOfAGoneWindowIsHarmless) {
    auto w = std::make_unique<CWnd>();
    ASSERT_TRUE(w->CreateEx(0, "", WS_POPUP | WS_VISIBLE, {0, 0, 20, 20}));
    auto surface = WindowSurfaceOf(w->Handle());
    const HWND h = w->Handle();
    w.reset();
    CClientDC late(surface);
    late.Canvas().FillSolidRect({0, 0, 5, 5}, RGB(255, 0, 0));
    CClientDC none(h);
    none.Canvas().FillSolidRect({0, 0, 5, 5}, RGB(255, 0, 0));
    EXPECT_TRUE(none.Canvas().IsEmpty());
    screen->RunUntilIdle();
}

TEST_F(Worker, OpaqueLayeredPopupShowsTheGivenPicture) {
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "", WS_POPUP, {0, 0, 1, 1}));
    CCanvas picture(30, 20);
    picture.FillSolidRect(picture.Bounds(), RGB(0, 0, 0));
    picture.FillSolidRect({1, 1, 29, 19}, RGB(0x00, 0x4B, 0x53));
    popup.UpdateLayered(picture, {300, 200});
    popup.ShowWindow(SW_SHOW);
    screen->RunUntilIdle();
    EXPECT_EQ(popup.GetWindowRect(), (Rect{300, 200, 330, 220}));
    const CCanvas shot = screen->Screenshot(RGB(255, 255, 255));
    EXPECT_EQ(shot.GetPixel(300, 200), RGB(0, 0, 0));
    EXPECT_EQ(shot.GetPixel(315, 210), RGB(0x00, 0x4B, 0x53));
    EXPECT_EQ(shot.GetPixel(330, 210), RGB(255, 255, 255));
}

} // namespace
} // namespace vexmo
