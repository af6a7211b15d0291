#pragma once
// The headless window system for one test, an owner window that records the notifications its
// controls send, and small synthetic pictures written on the fly.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/Image.h"
#include "platform/core/WindowSystem.h"
#include "platform/core/Wnd.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/TempDir.h"
#include "ui/UiGlobals.h"

namespace vexmo {

struct Note {
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
    friend bool operator==(const Note&, const Note&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Note& n) {
    return out << "{" << n.message << ", " << n.wParam << ", " << n.lParam << "}";
}

// Records every message numbered above the system's (notifications and custom reports), and the
// clip rectangle of every paint.
class OwnerWnd : public CWnd {
public:
    std::vector<Note> notes;
    std::vector<Rect> paints;
    std::function<void(const Note&)> onNote;

    bool Open(const Rect& rect) { return CreateEx(0, "owner", WS_POPUP | WS_VISIBLE, rect); }

protected:
    LRESULT OnMessage(uint32_t message, WPARAM wParam, LPARAM lParam) override {
        if (message > WM_USER) {
            notes.push_back({message, wParam, lParam});
            if (onNote)
                onNote(notes.back());
            return 0;
        }
        return CWnd::OnMessage(message, wParam, lParam);
    }
    void OnPaint(CCanvas& dc) override { paints.push_back(dc.GetClipRect()); }
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        ASSERT_TRUE(InitWindowSystem(WindowSystemKind::Headless, &why)) << why;
        screen = Headless();
        UiScale = 1.0;
        AppDirectory = dir.path().string() + "/";
        RadioSelectionBits = kInitialRadioSelectionBits;
        DpiLevelMask = kInitialDpiLevelMask;
        MainPageIndex = 0;
        SettingsPageIndex = 0;
        OpenWindowTable.fill(0);
        LibrarySelection = kNoLibraryLocation;
        ASSERT_TRUE(owner.Open({0, 0, 400, 300}));
        screen->RunUntilIdle();
        owner.paints.clear();
    }
    void TearDown() override {
        owner.DestroyWindow();
        ShutdownWindowSystem();
        UiScale = 1.0;
    }

    // A picture of solid colours: `columns` bands of equal width, left to right.
    std::string Picture(const std::string& name, int width, int height, std::vector<COLORREF> bands) {
        Image image(width, height);
        const int bandWidth = width / static_cast<int>(bands.size());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c =
                    bands[static_cast<size_t>(std::min(x / bandWidth, static_cast<int>(bands.size()) - 1))];
                image.Row(y)[x] = 0xFF000000u | (uint32_t{GetRValue(c)} << 16) |
                                  (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
            }
        const std::filesystem::path path = dir / name;
        EXPECT_TRUE(WritePngFile(image, path));
        return path.string();
    }
    // A picture with a coloured top half and a different bottom half.
    std::string TwoRowPicture(const std::string& name, int width, int height, COLORREF top, COLORREF bottom) {
        Image image(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c = y < height / 2 ? top : bottom;
                image.Row(y)[x] = 0xFF000000u | (uint32_t{GetRValue(c)} << 16) |
                                  (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
            }
        const std::filesystem::path path = dir / name;
        EXPECT_TRUE(WritePngFile(image, path));
        return path.string();
    }

    test::TempDir dir;
    HeadlessBackend* screen = nullptr;
    OwnerWnd owner;
};

// A canvas of a fixed colour to draw a control on.
inline CCanvas Blank(int width, int height, COLORREF colour = 0x000000) {
    CCanvas canvas(width, height);
    canvas.FillSolidRect(canvas.Bounds(), colour);
    return canvas;
}

} // namespace vexmo
