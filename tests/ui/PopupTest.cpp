// Popup windows: layout, hot rows, reports, deactivation, closing and self-deletion.
#include "UiFixture.h"
#include "ui/ComboLightingPopup.h"
#include "ui/ComboPollingRatePopup.h"
#include "ui/ComboPopup.h"
#include "ui/ComboProfilePopup.h"
#include "ui/DlgBase.h"

namespace vexmo {
namespace {

constexpr Point kOrigin{500, 300};
constexpr uint32_t kNotify = 1028;
constexpr int kOwnerValue = 2060;

struct Choice {
    std::string caption;
    uint8_t code0, code1, code2;
    friend bool operator==(const Choice&, const Choice&) = default;
};

class PopupTest : public UiTest {
protected:
    // Opens `popup` owned by the test's owner window.
    template <typename P> P* Open(P* popup) {
        EXPECT_TRUE(popup->Create(owner.Handle(), {kOrigin.x, kOrigin.y, kOrigin.x + 10, kOrigin.y + 10},
                                  kNotify, kOwnerValue));
        screen->RunUntilIdle();
        owner.onNote = [this](const Note& n) {
            if (n.message == kNotify && n.lParam > 1000) {
                const auto* r = reinterpret_cast<const PopupResult*>(n.lParam);
                choices.push_back({r->caption, r->code0, r->code1, r->code2});
            }
        };
        return popup;
    }
    // Screen point of client (x, y) of the popup at kOrigin.
    static Point At(int x, int y) { return {kOrigin.x + x, kOrigin.y + y}; }
    void Move(Point p) {
        screen->MoveMouse(p);
        screen->RunUntilIdle();
    }
    void Click(Point p, MouseButton button = MouseButton::Left) {
        Move(p);
        screen->Click(p, button);
        screen->RunFor(600); // no double clicks between tests' clicks
    }

    std::vector<Choice> choices;
};

// Row i of a 22-pixel list, in the middle.
Point Row22(int i) {
    return {80, 1 + 22 * i + 11};
}
Point Row25(int i) {
    return {80, 1 + 25 * i + 12};
}

TEST_F(PopupTest, LayoutSizesTheWindowFromItsRows) {
    auto* combo = Open(new CComboPopup("", "", "", ""));
    EXPECT_EQ(combo->GetWindowRect(), (Rect{500, 300, 500 + 162, 300 + 1 + 16 * 22 + 1}));
    EXPECT_EQ(combo->items[5].rect, (Rect{1, 111, 161, 133}));
    EXPECT_EQ(combo->GetExStyle() & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED);
    auto* profiles = Open(new CComboProfilePopup(""));
    EXPECT_EQ(profiles->GetWindowRect().Width(), 230);
    EXPECT_EQ(profiles->GetWindowRect().Height(), 1 + 7 * 25 + 1);
    EXPECT_EQ(profiles->items[1].rect, (Rect{0, 26, 230, 51}));
}

TEST_F(PopupTest, LayoutScalesRowsAndWindow) {
    UiScale = 1.5;
    auto* combo = Open(new CComboPopup("", "", "", ""));
    EXPECT_EQ(combo->items[1].rect, (Rect{1, 34, 241, 67}));
    EXPECT_EQ(combo->GetWindowRect().Width(), 243);
    EXPECT_EQ(combo->GetWindowRect().Height(), 530);
}

TEST_F(PopupTest, HotRowChangesRenderOnceAndCategoryRowsTellTheParent) {
    auto* combo = Open(new CComboPopup("", "", "", ""));
    const int before = screen->PresentCount(combo->Handle());
    Move(At(Row22(0).x, Row22(0).y));
    Move(At(Row22(0).x + 5, Row22(0).y + 3)); // same row: nothing
    EXPECT_EQ(screen->PresentCount(combo->Handle()), before + 1);
    Move(At(Row22(1).x, Row22(1).y));
    EXPECT_EQ(screen->PresentCount(combo->Handle()), before + 2);
    for (int i = 2; i < 16; ++i)
        Move(At(Row22(i).x, Row22(i).y));
    std::vector<Note> expected;
    const uint32_t messages[16] = {1033, 1033, 1033, 1033, 1033, 1040, 1033, 1033,
                                   1033, 1033, 1043, 1160, 1157, 1033, 1154, 1033};
    for (int i = 0; i < 16; ++i)
        expected.push_back({messages[i], kOwnerValue, i + 1});
    EXPECT_EQ(owner.notes, expected);
}

TEST_F(PopupTest, CategoryChoices) {
    auto* combo = Open(new CComboPopup("", "", "", ""));
    Click(At(Row22(1).x, Row22(1).y));   // value 2: right button
    Click(At(Row22(6).x, Row22(6).y));   // value 7: fire key dialog
    Click(At(Row22(5).x, Row22(5).y));   // value 6: submenu, nothing
    Click(At(Row22(13).x, Row22(13).y)); // value 14
    std::vector<Note> reports;
    for (const Note& n : owner.notes)
        if (n.message != 1033 && n.message != 1040 && n.message != 1043 && n.message != 1154 &&
            n.message != 1157 && n.message != 1160)
            reports.push_back(n);
    ASSERT_EQ(reports.size(), 4u);
    EXPECT_EQ(reports[0], (Note{kNotify, 0, 0})); // press on rows 1 to 4
    EXPECT_EQ(reports[1].message, kNotify);
    EXPECT_EQ(reports[2], (Note{1062, kOwnerValue, 0}));
    EXPECT_EQ(reports[3].message, kNotify);
    EXPECT_EQ(choices, (std::vector<Choice>{{"", 0x10, 0x02, 0x00}, {"", 0x60, 0x04, 0x00}}));
    EXPECT_TRUE(IsWindow(combo->Handle())); // a choice does not close the popup
}

TEST_F(PopupTest, ReportRateChoiceAndHotRowPixels) {
    auto* rates = Open(new CComboPollingRatePopup());
    Move(At(Row22(1).x, Row22(1).y));
    const CCanvas pixels = screen->WindowPixels(rates->Handle());
    EXPECT_EQ(pixels.GetPixel(3, 1 + 22 + 2), 0x004B53u);
    EXPECT_EQ(pixels.GetPixel(3, 1 + 2), 0x000000u);
    Click(At(Row22(1).x, Row22(1).y));
    EXPECT_EQ(choices, (std::vector<Choice>{{"250Hz", 1, 0, 0}}));
    EXPECT_EQ(owner.notes.back().wParam, static_cast<WPARAM>(kOwnerValue));
}

TEST_F(PopupTest, PressDragReleaseOnAnotherRowReportsNothing) {
    auto* rates = Open(new CComboPollingRatePopup());
    Move(At(Row22(0).x, Row22(0).y));
    screen->Press();
    Move(At(Row22(2).x, Row22(2).y));
    screen->Release();
    screen->RunUntilIdle();
    EXPECT_TRUE(choices.empty());
    EXPECT_EQ(rates->hotIndex, -1);
}

TEST_F(PopupTest, LightingRowTenIsEffectZero) {
    CComboLightingPopup* lighting = Open(new CComboLightingPopup("", "", "", ""));
    ASSERT_EQ(lighting->items.size(), 8u);
    EXPECT_EQ(lighting->items[7].value, 10);
    Click(At(Row22(7).x, Row22(7).y));
    Click(At(Row22(6).x, Row22(6).y));
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].code0, 0);
    EXPECT_EQ(choices[1].code0, 9);
}

TEST_F(PopupTest, ProfileListReportsNamedProfilesOnly) {
    AppLanguage.Set(10, "Choose");
    AppLanguage.Set(200, "Manage");
    auto* profiles = new CComboProfilePopup("");
    profiles->SetProfileName(2, "", 0); // slot of row value 4 unused
    Open(profiles);
    Click(At(Row25(0).x, Row25(0).y));                     // header
    Click(At(Row25(3).x, Row25(3).y));                     // empty slot
    Click(At(Row25(6).x, Row25(6).y), MouseButton::Right); // management row, right
    EXPECT_TRUE(owner.notes.empty());
    Click(At(Row25(1).x, Row25(1).y));
    Click(At(Row25(2).x, Row25(2).y), MouseButton::Right);
    Click(At(Row25(6).x, Row25(6).y));
    EXPECT_EQ(owner.notes, (std::vector<Note>{{kNotify, 2, 2}, {kNotify, 11, 3}, {kNotify, 2, 7}}));
    AppLanguage.Clear();
}

TEST_F(PopupTest, ProfileRowsDrawActiveHotEmptyAndManagementFills) {
    auto* profiles = new CComboProfilePopup("");
    profiles->SetProfileName(2, "", 0);
    Open(profiles);
    Move(At(Row25(2).x, Row25(2).y));
    const CCanvas pixels = screen->WindowPixels(profiles->Handle());
    const struct {
        int row;
        COLORREF fill;
    } cases[] = {{1, 0x000078}, {2, 0x373737}, {3, 0x1F1F1F}, {4, 0x1F1F1F}, {6, 0x000049}};
    for (const auto& c : cases)
        EXPECT_EQ(pixels.GetPixel(200, 1 + 25 * c.row + 3), c.fill) << c.row;
}

TEST_F(PopupTest, LosingTheActivationReportsOnceAndStaysOpen) {
    auto* rates = Open(new CComboPollingRatePopup());
    EXPECT_EQ(GetActiveWindow(), rates->Handle());
    owner.SetForegroundWindow();
    screen->RunUntilIdle();
    EXPECT_EQ(owner.notes, (std::vector<Note>{{1136, kOwnerValue, 8}}));
    EXPECT_TRUE(IsWindow(rates->Handle()));
}

class PopupHost : public CDlgBase {
public:
    std::vector<Note> notes;
    std::function<void(PopupHost&, const Note&)> onNote;
    PopupHost() {
        windowWidth = 200;
        windowHeight = 100;
    }
    void DrawBackground(CCanvas& dc, const Rect& client) override { dc.FillSolidRect(client, 0); }
    void CreateControls(Rect) override {}

protected:
    LRESULT OnMessage(uint32_t message, WPARAM wParam, LPARAM lParam) override {
        if (message <= WM_USER)
            return CDlgBase::OnMessage(message, wParam, lParam);
        notes.push_back({message, wParam, lParam});
        if (onNote)
            onNote(*this, notes.back());
        return 0;
    }
};

TEST_F(PopupTest, SlotCloseSendsClosedAndForgetsThePopup) {
    PopupHost host;
    ASSERT_TRUE(host.CreateModeless());
    CWndPopup* popup = host.OpenPopup(0, new CComboPollingRatePopup(),
                                      {kOrigin.x, kOrigin.y, kOrigin.x + 5, kOrigin.y + 5}, kNotify, 7);
    ASSERT_NE(popup, nullptr);
    const HWND handle = popup->Handle();
    EXPECT_EQ(host.Popup(0), popup);
    host.ClosePopup(0);
    EXPECT_EQ(host.Popup(0), nullptr);
    screen->RunUntilIdle();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(host.notes.back(), (Note{kPopupClosedMessage, 0, 0}));
    host.ClosePopup(0); // already closed: harmless
}

TEST_F(PopupTest, ParentMayCloseThePopupFromInsideItsReport) {
    const auto closeSynchronously = [](PopupHost& h, const Note& n) {
        if (n.message != kNotify)
            return;
        if (CWndPopup* p = h.Popup(3))
            p->SendMessage(WM_CLOSE);
    };
    const auto destroyDirectly = [](PopupHost& h, const Note& n) {
        if (n.message != kNotify)
            return;
        if (CWndPopup* p = h.Popup(3))
            p->DestroyWindow();
    };
    for (const auto& handler : {std::function<void(PopupHost&, const Note&)>(closeSynchronously),
                                std::function<void(PopupHost&, const Note&)>(destroyDirectly)}) {
        PopupHost host;
        ASSERT_TRUE(host.CreateModeless());
        host.onNote = handler;
        CWndPopup* popup = host.OpenPopup(3, new CComboPollingRatePopup(),
                                          {kOrigin.x, kOrigin.y, kOrigin.x + 5, kOrigin.y + 5}, kNotify, 7);
        ASSERT_NE(popup, nullptr);
        const HWND handle = popup->Handle();
        Click(At(Row22(2).x, Row22(2).y));
        EXPECT_FALSE(IsWindow(handle));
        EXPECT_EQ(host.Popup(3), nullptr); // the slot sees that it is gone
        host.ClosePopup(3);
        EXPECT_EQ(host.notes.front().message, kNotify);
    }
}

TEST_F(PopupTest, PopupsGoWithTheirParent) {
    auto* host = new PopupHost();
    ASSERT_TRUE(host->CreateModeless());
    CWndPopup* popup = host->OpenPopup(1, new CComboLightingPopup("", "", "", ""),
                                       {kOrigin.x, kOrigin.y, kOrigin.x + 5, kOrigin.y + 5}, kNotify, 7);
    ASSERT_NE(popup, nullptr);
    const HWND handle = popup->Handle();
    delete host; // destroys the owned popup window, which deletes itself
    EXPECT_FALSE(IsWindow(handle));
}

} // namespace
} // namespace vexmo
