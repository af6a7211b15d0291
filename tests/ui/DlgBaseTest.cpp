// The skinned dialog base: mouse routing with injected input, repaint areas, window drag,
// close handling and the open-window table.
#include <functional>

#include "UiFixture.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/TabControl.h"

namespace vexmo {
namespace {

class TestDlg : public CDlgBase {
public:
    std::function<void(TestDlg&)> create;
    std::vector<Note> notes;
    std::vector<Rect> paints;
    bool registerItself = false;

    TestDlg() {
        windowWidth = 300;
        windowHeight = 200;
    }
    void DrawBackground(CCanvas& dc, const Rect& client) override {
        dc.FillSolidRect(client, 0x202020);
        DrawControls(dc, client);
    }
    void CreateControls(Rect) override {
        if (create)
            create(*this);
    }
    bool OnInitDialog() override {
        CDlgBase::OnInitDialog();
        if (registerItself)
            RegisterInOpenWindowTable();
        return true;
    }
    Point Screen(int x, int y) const { return ClientToScreen({x, y}); }

protected:
    void OnPaint(CCanvas& dc) override {
        paints.push_back(dc.GetClipRect());
        CDlgBase::OnPaint(dc);
    }
    LRESULT OnMessage(uint32_t message, WPARAM wParam, LPARAM lParam) override {
        if (message <= WM_USER)
            return CDlgBase::OnMessage(message, wParam, lParam);
        notes.push_back({message, wParam, lParam});
        if (message == kCloseButtonId || message == kCancelButtonId)
            return OnCloseOrCancel(wParam, lParam);
        return 0;
    }
};

class DialogTest : public UiTest {
protected:
    CImageButton* AddButton(TestDlg& d, int list, uint32_t id, const Rect& r) {
        return d.AddControl(list, std::make_unique<CImageButton>(d.Handle(), id, r, "", 0));
    }
    void Open(TestDlg& d) {
        ASSERT_TRUE(d.CreateModeless());
        screen->RunUntilIdle();
        d.paints.clear();
    }
    void MoveTo(TestDlg& d, int x, int y) {
        screen->MoveMouse(d.Screen(x, y));
        screen->RunUntilIdle();
    }
};

TEST_F(DialogTest, TheLastControlInListOrderGetsThePointer) {
    TestDlg dlg;
    CImageButton *a = nullptr, *b = nullptr;
    dlg.create = [&](TestDlg& d) {
        a = AddButton(d, 0, 2001, {10, 10, 110, 60});
        b = AddButton(d, 1, 2002, {60, 30, 160, 80});
    };
    Open(dlg);
    MoveTo(dlg, 80, 40); // over both
    EXPECT_EQ(dlg.hoverControl, b);
    EXPECT_EQ(a->state, StateHover); // every control may take the hover look
    MoveTo(dlg, 30, 20);             // only a
    EXPECT_EQ(dlg.hoverControl, a);
    dlg.paints.clear();
    MoveTo(dlg, 130, 70); // only b: both repaint
    EXPECT_EQ(dlg.hoverControl, b);
    EXPECT_EQ(a->state, StateNormal);
    ASSERT_FALSE(dlg.paints.empty());
    EXPECT_EQ(dlg.paints.back(), (Rect{10, 10, 160, 80}));
}

TEST_F(DialogTest, HiddenAndDecorativeControlsNeverGetThePointer) {
    TestDlg dlg;
    CImageButton *hidden = nullptr, *decoration = nullptr;
    dlg.create = [&](TestDlg& d) {
        hidden = AddButton(d, 0, 2001, {10, 10, 60, 60});
        hidden->SetShown(false);
        decoration = AddButton(d, 0, 2002, {100, 10, 150, 60});
        decoration->acceptsInput = false;
    };
    Open(dlg);
    MoveTo(dlg, 20, 20);
    EXPECT_EQ(dlg.hoverControl, nullptr);
    MoveTo(dlg, 120, 20);
    EXPECT_EQ(dlg.hoverControl, nullptr);
}

TEST_F(DialogTest, ClickReachesTheControlAndReleaseOutsideSendsNoClick) {
    TestDlg dlg;
    CImageButton* button = nullptr;
    dlg.create = [&](TestDlg& d) { button = AddButton(d, 0, 2001, {10, 10, 60, 40}); };
    Open(dlg);
    MoveTo(dlg, 20, 20);
    screen->Click(dlg.Screen(20, 20));
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{2001, 0, CN_PRESSED}, {2001, 2001, CN_CLICKED}}));

    dlg.notes.clear();
    screen->RunFor(1000); // not a double click
    screen->Press();
    MoveTo(dlg, 200, 150); // captured: the button keeps its pressed look
    EXPECT_EQ(button->state, StatePressed);
    screen->Release();
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{2001, 0, CN_PRESSED}}));
    EXPECT_EQ(button->state, StateNormal);
    EXPECT_EQ(dlg.hoverControl, nullptr);
}

TEST_F(DialogTest, PressOnTheBackgroundDragsTheWindow) {
    TestDlg dlg;
    dlg.create = [&](TestDlg& d) { AddButton(d, 0, 2001, {10, 10, 60, 40}); };
    Open(dlg);
    const Rect before = dlg.GetWindowRect();
    MoveTo(dlg, 20, 20);
    screen->Press(); // on the button: no drag
    screen->MoveMouse({before.left + 40, before.top + 30});
    screen->Release();
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.GetWindowRect(), before);

    screen->MoveMouse({before.left + 200, before.top + 150});
    screen->RunUntilIdle();
    screen->Press();
    screen->RunUntilIdle();
    screen->MoveMouse({before.left + 230, before.top + 160});
    screen->RunUntilIdle();
    screen->Release();
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.GetWindowRect(), before.Offset(30, 10));
}

TEST_F(DialogTest, PageTabsAnd2040RepaintTheWholeWindow) {
    const struct {
        uint32_t id;
        bool whole;
    } cases[] = {{2040, true}, {2051, true}, {3008, true}, {2001, false}};
    for (const auto& c : cases) {
        TestDlg dlg;
        dlg.create = [&](TestDlg& d) { AddButton(d, 0, c.id, {10, 10, 60, 40}); };
        Open(dlg);
        MoveTo(dlg, 20, 20);
        screen->Press();
        screen->RunUntilIdle();
        dlg.paints.clear();
        screen->Release();
        screen->RunUntilIdle();
        ASSERT_EQ(dlg.paints.size(), 1u) << c.id;
        EXPECT_EQ(dlg.paints[0], (c.whole ? dlg.GetClientRect() : Rect{10, 10, 60, 40})) << c.id;
        dlg.DestroyWindow();
    }
}

TEST_F(DialogTest, RightClicksReachOnlyListZero) {
    TestDlg dlg;
    dlg.create = [&](TestDlg& d) {
        d.AddControl(0, std::make_unique<CTabControl>(d.Handle(), 2049, Rect{10, 10, 60, 40}, "A", 0));
        d.AddControl(1, std::make_unique<CTabControl>(d.Handle(), 2050, Rect{100, 10, 150, 40}, "B", 0));
    };
    Open(dlg);
    for (Point p : {Point{20, 20}, Point{120, 20}}) {
        MoveTo(dlg, p.x, p.y);
        screen->Click(dlg.Screen(p.x, p.y), MouseButton::Right);
        screen->RunUntilIdle();
    }
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{2049, 2049, CN_RIGHT_CLICKED}}));
}

TEST_F(DialogTest, LeavingTheWindowResetsTheHoverLook) {
    TestDlg dlg;
    CImageButton* button = nullptr;
    dlg.create = [&](TestDlg& d) { button = AddButton(d, 0, 2001, {10, 10, 60, 40}); };
    Open(dlg);
    MoveTo(dlg, 20, 20);
    EXPECT_EQ(button->state, StateHover);
    screen->MoveMouse({5, 5}); // off the window
    screen->RunUntilIdle();
    EXPECT_EQ(button->state, StateNormal);
    EXPECT_EQ(dlg.hoverControl, nullptr);
    EXPECT_EQ(dlg.lastMouse, (Point{-1, -1}));
}

TEST_F(DialogTest, DoubleClickReachesTheControl) {
    TestDlg dlg;
    dlg.create = [&](TestDlg& d) {
        d.AddControl(0,
                     std::make_unique<CColorSelectCheckButton>(d.Handle(), 3210, Rect{10, 10, 40, 40}, ""));
    };
    Open(dlg);
    MoveTo(dlg, 20, 20);
    screen->Click(dlg.Screen(20, 20));
    screen->RunFor(100);
    screen->Click(dlg.Screen(20, 20));
    screen->RunUntilIdle();
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{3210, 0, CN_PRESSED},
                                            {3210, 0, CN_CLICKED},
                                            {3210, 0, CN_DOUBLE_CLICKED},
                                            {3210, 0, CN_CLICKED}}));
    EXPECT_FALSE(dlg.doubleClicked); // cleared by the button up
}

TEST_F(DialogTest, CloseButtonReleasesPicturesAndCancelsAndTheTableStaysContiguous) {
    OpenWindowTable[0] = 1; // the main window
    TestDlg dlg;
    dlg.registerItself = true;
    CImageButton* close = nullptr;
    dlg.create = [&](TestDlg& d) {
        close = AddButton(d, 0, kCloseButtonId, {270, 5, 290, 25});
        close->SetNormalImage(Picture("exit_nr.png", 20, 20, {0x0000FF}));
    };
    HWND seen = 0;
    screen->Schedule(10, [&] {
        seen = OpenWindowTable[1];
        screen->MoveMouse(dlg.Screen(280, 15));
    });
    screen->Schedule(20, [&] { screen->Click(dlg.Screen(280, 15)); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(seen, 0u);
    EXPECT_EQ(close->normalImage, nullptr);
    EXPECT_EQ(OpenWindowTable[0], 1u);
    EXPECT_EQ(OpenWindowTable[1], 0u);
}

} // namespace
} // namespace vexmo
