// Button controls: state transitions and exactly which notifications go out.
#include "UiFixture.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectButton.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/ImageButton.h"
#include "ui/LinkButton.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"

namespace vexmo {
namespace {

enum class Ev { Move, Down, Up, DblClk, RUp };
struct Step {
    Ev event;
    int x;
    int y;
};

// Feeds the steps to the control and returns what each call answered.
std::vector<bool> Feed(CControlBase& c, const std::vector<Step>& steps) {
    std::vector<bool> answers;
    for (const Step& s : steps) {
        switch (s.event) {
        case Ev::Move:
            answers.push_back(c.OnMouseMove(0, s.x, s.y));
            break;
        case Ev::Down:
            answers.push_back(c.OnLButtonDown(MK_LBUTTON, s.x, s.y));
            break;
        case Ev::Up:
            answers.push_back(c.OnLButtonUp(0, s.x, s.y));
            break;
        case Ev::DblClk:
            answers.push_back(c.OnLButtonDblClk(MK_LBUTTON, s.x, s.y));
            break;
        case Ev::RUp:
            answers.push_back(c.OnRButtonUp(0, s.x, s.y));
            break;
        }
    }
    return answers;
}

const Rect kButtonRect{10, 10, 50, 30};
constexpr int kIn = 20;
constexpr int kOut = 60;

struct ButtonCase {
    const char* name;
    uint32_t id;
    bool disabled;
    std::vector<Step> steps;
    std::vector<Note> notes;
    int finalState;
};

TEST_F(UiTest, ImageButtonStatesAndNotifications) {
    const ButtonCase cases[] = {
        {"click",
         2001,
         false,
         {{Ev::Move, kIn, kIn}, {Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}},
         {{2001, 0, CN_PRESSED}, {2001, 2001, CN_CLICKED}},
         StateHover},
        {"release outside sends no click",
         2001,
         false,
         {{Ev::Move, kIn, kIn}, {Ev::Down, kIn, kIn}, {Ev::Move, kOut, kIn}, {Ev::Up, kOut, kIn}},
         {{2001, 0, CN_PRESSED}},
         StateNormal},
        {"press outside does nothing",
         2001,
         false,
         {{Ev::Down, kOut, kIn}, {Ev::Up, kOut, kIn}},
         {},
         StateNormal},
        {"right and bottom edges are outside",
         2001,
         false,
         {{Ev::Down, 50, 20}, {Ev::Down, 20, 30}},
         {},
         StateNormal},
        {"disabled ignores everything",
         2001,
         true,
         {{Ev::Move, kIn, kIn}, {Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}},
         {},
         StateNormal},
        {"3502 reports every move over it",
         3502,
         false,
         {{Ev::Move, kIn, kIn}, {Ev::Move, kIn + 1, kIn}, {Ev::Move, kOut, kIn}},
         {{3502, 0, CN_HOVER_MOVE}, {3502, 0, CN_HOVER_MOVE}},
         StateNormal},
    };
    for (const ButtonCase& c : cases) {
        owner.notes.clear();
        CImageButton button(owner.Handle(), c.id, kButtonRect, "OK", DT_CENTER, true, true, c.disabled);
        Feed(button, c.steps);
        EXPECT_EQ(owner.notes, c.notes) << c.name;
        EXPECT_EQ(button.state, c.finalState) << c.name;
    }
}

TEST_F(UiTest, ImageButtonKeepsPressedLookWhileHeldAndReportsLookChanges) {
    CImageButton button(owner.Handle(), 2001, kButtonRect, "OK", DT_CENTER);
    EXPECT_EQ(Feed(button, {{Ev::Move, kIn, kIn},
                            {Ev::Move, kIn + 1, kIn},
                            {Ev::Down, kIn, kIn},
                            {Ev::Move, kOut, kIn},
                            {Ev::Up, kIn, kIn},
                            {Ev::Move, kOut, kIn}}),
              (std::vector<bool>{true, false, true, false, true, true}));
}

TEST_F(UiTest, CheckButtonTogglesBeforeItReports) {
    CCheckButton box(owner.Handle(), 2030, kButtonRect, "Box", 0);
    bool checkedSeenByOwner = false;
    owner.onNote = [&](const Note& n) {
        if (n.lParam == CN_CLICKED)
            checkedSeenByOwner = box.checked;
    };
    Feed(box, {{Ev::Move, kIn, kIn}, {Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
    EXPECT_TRUE(box.checked);
    EXPECT_TRUE(checkedSeenByOwner);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2030, 0, CN_PRESSED}, {2030, 0, CN_CLICKED}}));
    EXPECT_EQ(box.Frame(), 2);
    Feed(box, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
    EXPECT_FALSE(box.checked);
    EXPECT_EQ(box.Frame(), 1);
    Feed(box, {{Ev::Move, kOut, kIn}});
    EXPECT_EQ(box.Frame(), 0);
}

TEST_F(UiTest, CheckButtonCaptionSwapSticks) {
    const std::string nr = Picture("c_nr.png", 4, 4, {0x0000FF});
    CCheckButton box(owner.Handle(), 2030, kButtonRect, "plain", 0);
    box.SetNormalImage(nr);
    box.SetHoverImage(nr);
    box.SetCheckedImage(nr);
    box.checkedCaption = "on";
    CCanvas dc = Blank(100, 50);
    box.checked = true;
    box.Draw(dc, dc.Bounds());
    EXPECT_EQ(box.text, "on");
    box.checked = false;
    box.Draw(dc, dc.Bounds());
    EXPECT_EQ(box.text, "on"); // no unchecked caption to swap back to
}

struct RadioCase {
    const char* name;
    uint32_t id;
    uint32_t before;
    uint32_t after;
};

TEST_F(UiTest, RadioClickSelectsWithinItsGroupOnly) {
    const RadioCase cases[] = {
        {"2082 replaces 2080", 2082, 0x00280282, 0x0028028A & ~0x2u},
        {"2010 replaces 2009", 2010, 0x00280282, 0x00280302},
        {"3250 selects in an empty group", 3250, 0x00280282, 0x00281282},
        {"3510 replaces 3511", 3510, 0x00280282, 0x00180282},
        {"an id outside the groups changes nothing", 2999, 0x00280282, 0x00280282},
    };
    for (const RadioCase& c : cases) {
        RadioSelectionBits = c.before;
        owner.notes.clear();
        CRadioButton radio(owner.Handle(), c.id, kButtonRect, "");
        Feed(radio, {{Ev::Move, kIn, kIn}, {Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
        EXPECT_EQ(RadioSelectionBits, c.after) << c.name;
        EXPECT_EQ(owner.notes, (std::vector<Note>{{c.id, 0, CN_PRESSED}, {c.id, 0, CN_CLICKED}})) << c.name;
    }
    RadioSelectionBits = 0x00280282;
    CRadioButton radio(owner.Handle(), 2082, kButtonRect, "");
    Feed(radio, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
    EXPECT_EQ(RadioSelectionBits & 0x7F, 0x08u);
    EXPECT_EQ(radio.DrawnState(), StatePressed);
}

TEST_F(UiTest, RadioInitialSelection) {
    for (uint32_t id : {2080u, 2009u, 3501u, 3033u, 3511u}) {
        CRadioButton radio(owner.Handle(), id, kButtonRect, "");
        EXPECT_EQ(radio.DrawnState(), StatePressed) << id;
    }
    for (uint32_t id : {2006u, 2010u, 3240u, 3250u, 2031u, 2032u, 2033u}) {
        CRadioButton radio(owner.Handle(), id, kButtonRect, "");
        EXPECT_EQ(radio.DrawnState(), StateNormal) << id;
    }
}

TEST_F(UiTest, DpiLevelButtonSelectsLevelsUpToItself) {
    const struct {
        uint32_t id;
        uint32_t lowByte;
    } cases[] = {{3290, 0x01}, {3291, 0x03}, {3292, 0x07}, {3297, 0xFF}};
    for (const auto& c : cases) {
        DpiLevelMask = 0xABCD0002;
        CDPIRadioButton button(owner.Handle(), c.id, kButtonRect, "");
        Feed(button, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
        EXPECT_EQ(DpiLevelMask, 0xABCD0000u | c.lowByte) << c.id;
    }
    DpiLevelMask = 2;
    CDPIRadioButton clicked(owner.Handle(), 3292, kButtonRect, "");
    Feed(clicked, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
    for (uint32_t id = 3290; id <= 3294; ++id) {
        CDPIRadioButton b(owner.Handle(), id, kButtonRect, "");
        EXPECT_EQ(b.DrawnState(), id <= 3292 ? StatePressed : StateNormal) << id;
    }
}

TEST_F(UiTest, ComboButtonSendsFiveHoverEntersAndOneLeave) {
    constexpr uint32_t kMessage = 1027;
    CComboButton combo(owner.Handle(), kMessage, 2060, kButtonRect, "", 0, true, true, false, 0, "Left");
    for (int i = 0; i < 12; ++i)
        combo.OnMouseMove(0, kIn + i % 3, kIn);
    combo.OnMouseMove(0, kOut, kIn);
    combo.OnMouseMove(0, kOut + 1, kIn);
    std::vector<Note> expected(5, Note{kMessage, 2060, CN_HOVER_ENTER});
    expected.push_back({kMessage, 2060, CN_HOVER_LEAVE});
    EXPECT_EQ(owner.notes, expected);
    // The count starts again after the pointer left.
    owner.notes.clear();
    combo.OnMouseMove(0, kIn, kIn);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{kMessage, 2060, CN_HOVER_ENTER}}));
}

TEST_F(UiTest, ComboButtonKeepHoverAndLock) {
    constexpr uint32_t kMessage = 1027;
    CComboButton combo(owner.Handle(), kMessage, 2060, kButtonRect, "", 0, true, true, false, 0, "Left");
    combo.keepHover = true;
    combo.OnMouseMove(0, kIn, kIn);
    combo.OnMouseMove(0, kOut, kIn);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{kMessage, 2060, CN_HOVER_ENTER}}));

    owner.notes.clear();
    Feed(combo, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2060, 0, CN_PRESSED}, {kMessage, 2060, CN_CLICKED}}));

    owner.notes.clear();
    combo.locked = true;
    Feed(combo, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}});
    EXPECT_TRUE(owner.notes.empty());
    EXPECT_EQ(combo.state, StateHover);
}

TEST_F(UiTest, LinkReportsEnterOnceAndLeaveOnce) {
    CLinkButton link(owner.Handle(), 1, kButtonRect, "site", 0);
    EXPECT_EQ(link.id, kLinkButtonId);
    Feed(link, {{Ev::Move, kIn, kIn},
                {Ev::Move, kIn + 1, kIn},
                {Ev::Down, kIn, kIn},
                {Ev::Up, kIn, kIn},
                {Ev::Move, kOut, kIn},
                {Ev::Move, kOut, kIn}});
    EXPECT_EQ(owner.notes, (std::vector<Note>{{3503, 0, CN_HOVER_ENTER},
                                              {3503, 0, CN_PRESSED},
                                              {3503, 0, CN_CLICKED},
                                              {3503, 0, CN_HOVER_LEAVE}}));
}

TEST_F(UiTest, ColourButtonsReportClicksAndDoubleClicks) {
    CColorSelectButton swatch(owner.Handle(), 3200, kButtonRect, {12, 12, 20, 20}, "");
    Feed(swatch, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}, {Ev::DblClk, kIn, kIn}});
    EXPECT_EQ(owner.notes, (std::vector<Note>{{3200, 0, CN_PRESSED}, {3200, 0, CN_CLICKED}}));
    owner.notes.clear();
    CColorSelectCheckButton check(owner.Handle(), 3210, kButtonRect, "");
    Feed(check, {{Ev::Down, kIn, kIn}, {Ev::Up, kIn, kIn}, {Ev::DblClk, kIn, kIn}, {Ev::DblClk, kOut, kIn}});
    EXPECT_EQ(owner.notes, (std::vector<Note>{
                               {3210, 0, CN_PRESSED}, {3210, 0, CN_CLICKED}, {3210, 0, CN_DOUBLE_CLICKED}}));
}

TEST_F(UiTest, SleepDialSelectsByTriangle) {
    const Rect dial{100, 50, 240, 200};
    // A point well inside each fan triangle: two thirds of the way from the centre to the
    // middle of its outer edge.
    const Point edges[8][2] = {{{3, 71}, {7, 51}},     {{7, 51}, {17, 32}},   {{17, 32}, {40, 13}},
                               {{40, 13}, {70, 5}},    {{70, 5}, {100, 14}},  {{100, 14}, {121, 31}},
                               {{121, 31}, {131, 51}}, {{131, 51}, {134, 71}}};
    for (int t = 0; t < 8; ++t) {
        CPowerManageButton button(owner.Handle(), 0, dial, "", 0);
        const int mx = (edges[t][0].x + edges[t][1].x) / 2, my = (edges[t][0].y + edges[t][1].y) / 2;
        const int x = dial.left + 70 + (mx - 70) * 2 / 3, y = dial.top + 71 + (my - 71) * 2 / 3;
        owner.notes.clear();
        button.OnLButtonDown(0, x, y);
        button.OnLButtonUp(0, x, y);
        EXPECT_EQ(button.selection, t + 3) << "triangle " << t + 2;
        EXPECT_EQ(owner.notes, (std::vector<Note>{{3500, 0, CN_PRESSED}, {3500, 0, CN_CLICKED}})) << t;
    }
    CPowerManageButton button(owner.Handle(), 0, dial, "", 0);
    owner.notes.clear();
    button.OnLButtonUp(0, dial.left + 2, dial.top + 2); // corner, outside the fan
    EXPECT_EQ(button.selection, 6);
    EXPECT_TRUE(owner.notes.empty());
}

TEST_F(UiTest, SleepDialTrianglesScaleWithTheWindow) {
    UiScale = 2.0;
    const Rect dial{0, 0, 280, 300};
    CPowerManageButton button(owner.Handle(), 0, dial, "", 0);
    // Triangle 5, (40, 13)-(70, 5) around the centre (70, 71): a point inside it, at 2x.
    button.OnLButtonUp(0, 2 * 60, 2 * 30);
    EXPECT_EQ(button.selection, 6);
}

TEST_F(UiTest, SetTextRepaintsOnlyWhenTheTextChanges) {
    CImageButton button(owner.Handle(), 2001, kButtonRect, "same", DT_CENTER);
    button.SetText("same");
    screen->RunUntilIdle();
    EXPECT_TRUE(owner.paints.empty());
    button.SetText("other");
    screen->RunUntilIdle();
    ASSERT_EQ(owner.paints.size(), 1u);
    EXPECT_EQ(owner.paints[0], kButtonRect);
}

TEST_F(UiTest, ScaledRectTruncates) {
    UiScale = 1.5;
    EXPECT_EQ(ScaledRect(10, 10, 37, 21), (Rect{15, 15, 55, 31}));
}

TEST_F(UiTest, OpenWindowTableStaysContiguous) {
    for (HWND h : {11u, 12u, 13u, 14u})
        EXPECT_TRUE(RegisterOpenWindow(h));
    UnregisterOpenWindow(12);
    EXPECT_EQ(OpenWindowTable[0], 11u);
    EXPECT_EQ(OpenWindowTable[1], 13u);
    EXPECT_EQ(OpenWindowTable[2], 14u);
    EXPECT_EQ(OpenWindowTable[3], 0u);
    for (HWND h = 20; h < 27; ++h)
        EXPECT_TRUE(RegisterOpenWindow(h));
    EXPECT_FALSE(RegisterOpenWindow(99)); // full
    UnregisterOpenWindow(99);             // never stored: the last entry stays
    EXPECT_EQ(OpenWindowTable[9], 26u);
    UnregisterOpenWindow(11);
    EXPECT_EQ(OpenWindowTable[0], 13u);
    EXPECT_EQ(OpenWindowTable[9], 0u);
}

} // namespace
} // namespace vexmo
