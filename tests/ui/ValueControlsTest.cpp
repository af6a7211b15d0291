// Sliders, scroll bar, lists and tabs: positions, values and notifications.
#include "UiFixture.h"
#include "macros/MacroLibrary.h"
#include "ui/DPIValueShowControl.h"
#include "ui/EditShowList.h"
#include "ui/ImageShowList.h"
#include "ui/SliderControl.h"
#include "ui/TabControl.h"
#include "ui/VScrollBar.h"
#include "ui/VerticalSliderControl.h"

namespace vexmo {
namespace {

TEST_F(UiTest, SliderStopsAndNearestStop) {
    CSliderControl slider(owner.Handle(), 3100, {0, 0, 200, 20}, 5, 10, 10, "");
    EXPECT_EQ(slider.stops, (std::vector<int>{10, 55, 100, 145, 190}));
    const struct {
        int x;
        int stop;
    } cases[] = {{0, 0},   {31, 0},  {32, 1},  {76, 1},  {77, 2},
                 {121, 2}, {122, 3}, {166, 3}, {167, 4}, {199, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(slider.NearestStop(c.x), c.stop) << c.x;

    CSliderControl single(owner.Handle(), 3101, {20, 0, 120, 20}, 1, 7, 7, "");
    EXPECT_EQ(single.stops, (std::vector<int>{27}));
    EXPECT_EQ(single.NearestStop(119), 0);
}

TEST_F(UiTest, SliderDragReportsEveryMoveAndClickJumps) {
    CSliderControl slider(owner.Handle(), 3100, {0, 0, 200, 20}, 5, 10, 10, "");
    // Press on the thumb (stop 0: x 0..20) and drag.
    slider.OnMouseMove(0, 5, 5);
    slider.OnLButtonDown(MK_LBUTTON, 5, 5);
    EXPECT_TRUE(slider.dragging);
    slider.OnMouseMove(MK_LBUTTON, 60, 5);
    slider.OnMouseMove(MK_LBUTTON, 62, 5);  // same stop: reported again
    slider.OnMouseMove(MK_LBUTTON, 500, 5); // clamped to the right edge
    slider.OnLButtonUp(0, 150, 5);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{3100, 0, CN_PRESSED},
                                              {3100, 1, CN_VALUE_CHANGED},
                                              {3100, 1, CN_VALUE_CHANGED},
                                              {3100, 4, CN_VALUE_CHANGED},
                                              {3100, 0, CN_CLICKED}}));
    EXPECT_EQ(slider.index, 3);
    EXPECT_EQ(slider.thumbRect, (Rect{135, 0, 155, 20}));
    EXPECT_FALSE(slider.dragging);

    // A press on the track away from the thumb does not drag; the release jumps.
    owner.notes.clear();
    slider.OnLButtonDown(MK_LBUTTON, 20, 5);
    slider.OnMouseMove(MK_LBUTTON, 30, 5);
    slider.OnLButtonUp(0, 20, 5);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{3100, 0, CN_PRESSED}, {3100, 0, CN_CLICKED}}));
    EXPECT_EQ(slider.index, 0);
}

TEST_F(UiTest, VerticalSliderValueEdges) {
    CVerticalSliderControl bar(owner.Handle(), 3300, {10, 20, 30, 120}, 50, 0, 0, "");
    EXPECT_EQ(bar.ValueAt(120), 0);  // bottom edge
    EXPECT_EQ(bar.ValueAt(20), 49);  // top edge: maxValue - 1
    EXPECT_EQ(bar.ValueAt(-50), 49); // clamped
    EXPECT_EQ(bar.ValueAt(70), 24);
    bar.OnLButtonDown(MK_LBUTTON, 15, 119);
    bar.OnMouseMove(MK_LBUTTON, 15, 20);
    bar.OnLButtonUp(0, 15, 20);
    EXPECT_EQ(owner.notes, (std::vector<Note>{
                               {3300, 0, CN_PRESSED}, {3300, 49, CN_VALUE_CHANGED}, {3300, 0, CN_CLICKED}}));
    EXPECT_EQ(bar.value, 49);
}

TEST_F(UiTest, DpiValueBarNeverChangesItsValue) {
    CDPIValueShowControl bar(owner.Handle(), 3310, {10, 20, 30, 120}, 50, 0, 0, "");
    bar.SetValue(7);
    bar.OnMouseMove(0, 15, 30);
    bar.OnLButtonDown(MK_LBUTTON, 15, 30);
    bar.OnMouseMove(MK_LBUTTON, 15, 100);
    bar.OnLButtonUp(0, 15, 100);
    EXPECT_EQ(bar.value, 7);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{3310, 0, CN_PRESSED}, {3310, 0, CN_CLICKED}}));
}

// Without the embedded arrows the bar lays out from their standard 20 pixels: track 20..180.
using ScrollBarTest = UiTest;

TEST_F(ScrollBarTest, LayoutWithoutArrowPicturesAndThumbSizes) {
    CVScrollBar bar(owner.Handle(), 2016, {0, 0, 18, 200}, "");
    EXPECT_FALSE(bar.SetArrowsFromResources());
    EXPECT_EQ(bar.upRect, (Rect{0, 0, 18, 19}));
    EXPECT_EQ(bar.downRect, (Rect{0, 181, 18, 200}));
    EXPECT_EQ(bar.trackRect, (Rect{0, 20, 18, 180}));
    bar.SetScrollInfo(0, 5, 0);
    EXPECT_EQ(bar.thumbRect, bar.trackRect);         // maximum 0: the whole track
    bar.SetScrollInfo(10, 10, 40);                   // L = 161
    EXPECT_EQ(bar.thumbRect, (Rect{0, 60, 18, 99})); // bottom = top + length - 1
    bar.SetScrollInfo(35, 10, 40);
    EXPECT_EQ(bar.thumbRect.bottom, 180); // capped at the track bottom
}

TEST_F(ScrollBarTest, PressReportsWhereItLanded) {
    CVScrollBar bar(owner.Handle(), 2016, {0, 0, 18, 200}, "");
    bar.SetArrowsFromResources();
    bar.SetScrollInfo(10, 10, 40); // thumb 60..100
    const struct {
        int y;
        WPARAM where;
    } cases[] = {{5, 6}, {195, 7}, {70, 0}, {30, 8}, {150, 9}};
    for (const auto& c : cases) {
        owner.notes.clear();
        bar.OnLButtonDown(MK_LBUTTON, 5, c.y);
        bar.OnLButtonUp(0, 5, c.y);
        ASSERT_FALSE(owner.notes.empty()) << c.y;
        EXPECT_EQ(owner.notes.front(), (Note{2016, c.where, CN_PRESSED})) << c.y;
        EXPECT_EQ(owner.notes.back(), (Note{2016, 0, CN_CLICKED})) << c.y;
    }
}

TEST_F(ScrollBarTest, ThumbDragReportsPositionChangesAndReleaseOutsideIsSilent) {
    CVScrollBar bar(owner.Handle(), 2016, {0, 0, 18, 200}, "");
    bar.SetArrowsFromResources();
    bar.SetScrollInfo(0, 10, 40); // thumb 20..60
    bar.OnMouseMove(0, 5, 30);
    EXPECT_TRUE(bar.overThumb);
    bar.OnLButtonDown(MK_LBUTTON, 5, 30); // grab 10 below the thumb top
    bar.OnMouseMove(MK_LBUTTON, 5, 31);   // 1 pixel: position stays 0
    bar.OnMouseMove(MK_LBUTTON, 5, 70);   // top 60: (40 * 40) / 161 = 9
    bar.OnMouseMove(MK_LBUTTON, 5, 500);  // held at the track bottom
    EXPECT_EQ(bar.dragRect.bottom, 180);
    bar.OnLButtonUp(0, 5, 190);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2016, 0, CN_PRESSED},
                                              {2016, 0, CN_VALUE_CHANGED},
                                              {2016, 0, CN_VALUE_CHANGED},
                                              {2016, 0, CN_CLICKED}}));
    EXPECT_EQ(bar.position, 30); // thumb 20..59 held with its top at 180 - 39: (141 - 20) * 40 / 161
    owner.notes.clear();
    bar.OnLButtonDown(MK_LBUTTON, 5, 5);
    bar.OnLButtonUp(0, 50, 5); // outside, not dragging
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2016, 6, CN_PRESSED}}));
}

class LibraryListTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        library.AddFolderAt({0, 0, 0, 0}, "Games", false);
        library.AddMacroAt({1, 0, 0, 0}, "Reload", std::make_unique<MacroRecord>("Reload"));
        library.AddMacroAt({0, 1, 0, 0}, "Copy", std::make_unique<MacroRecord>("Copy"));
    }
    MacroLibrary library;
};

TEST_F(LibraryListTest, FolderTogglesOnlyFromItsIconColumn) {
    CEditShowList list(owner.Handle(), {0, 0, 200, 100}, "");
    list.SetLibrary(&library);
    list.iconWidth = 16;
    EXPECT_EQ(list.visibleRows, 5);
    list.OnLButtonDown(MK_LBUTTON, 100, 5); // on the folder's name
    EXPECT_EQ(library.ItemAt({0, 0, 0, 0})->IsOpen, 0);
    EXPECT_EQ(list.selectedRow, 0);
    EXPECT_EQ(LibrarySelection, (LibraryLocation{0, 0, 0, 0}));
    list.OnLButtonUp(0, 100, 5);
    list.OnLButtonDown(MK_LBUTTON, 10, 5); // on its icon
    EXPECT_EQ(library.ItemAt({0, 0, 0, 0})->IsOpen, 1);
    EXPECT_EQ(library.VisibleRowCount(), 3);
    list.OnLButtonDown(MK_LBUTTON, 10, 90); // below the rows
    EXPECT_EQ(list.selectedRow, -1);
    EXPECT_EQ(LibrarySelection.stage, -1);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2015, 0, CN_CLICKED}}));
}

TEST_F(LibraryListTest, DoubleClickTogglesMacrosTooAndRightClickCarriesThePoint) {
    CEditShowList list(owner.Handle(), {0, 0, 200, 100}, "");
    list.SetLibrary(&library);
    list.OnLButtonDblClk(MK_LBUTTON, 100, 25); // row 1: the macro "Copy"
    EXPECT_EQ(library.ItemAt({0, 1, 0, 0})->IsOpen, 1);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2015, 0, CN_DOUBLE_CLICKED}}));
    Point seen{};
    owner.onNote = [&](const Note& n) {
        if (n.lParam == CN_RIGHT_CLICKED)
            seen = *reinterpret_cast<const Point*>(n.wParam);
    };
    list.OnRButtonUp(0, 30, 6);
    EXPECT_EQ(seen, (Point{30, 6}));
    EXPECT_EQ(list.selectedRow, 0);
}

TEST_F(LibraryListTest, EnsureSelectionVisible) {
    for (int j = 2; j < 12; ++j)
        library.AddMacroAt({0, j, 0, 0}, "m" + std::to_string(j), std::make_unique<MacroRecord>());
    CEditShowList list(owner.Handle(), {0, 0, 200, 100}, ""); // 5 rows shown of 12
    list.SetLibrary(&library);
    list.selectedRow = 9;
    list.EnsureSelectionVisible();
    EXPECT_EQ(list.firstRow, 5);
    list.selectedRow = -1;
    list.firstRow = 10;
    list.EnsureSelectionVisible();
    EXPECT_EQ(list.firstRow, 7);
}

TEST_F(UiTest, ActionListSelectsExistingRowsAndReportsDoubleClicks) {
    MacroRecord macro;
    macro.InsertAction(0, MacroAction::Press(0x41));
    macro.InsertAction(1, MacroAction::Delay(50));
    macro.InsertAction(2, MacroAction::Release(0x41));
    macro.ActionCount = 3;
    CImageShowList list(owner.Handle(), {0, 0, 200, 100}, "");
    list.OnLButtonDown(MK_LBUTTON, 50, 25); // no macro: nothing selected
    EXPECT_EQ(list.selectedRow, -1);
    list.SetMacro(&macro);
    list.OnLButtonDown(MK_LBUTTON, 50, 25);
    EXPECT_EQ(list.selectedRow, 1);
    list.OnLButtonDown(MK_LBUTTON, 50, 65); // row 3 does not exist
    EXPECT_EQ(list.selectedRow, 1);
    list.OnLButtonUp(0, 50, 65);
    EXPECT_TRUE(owner.notes.empty());
    list.OnLButtonDblClk(MK_LBUTTON, 50, 5);
    EXPECT_EQ(owner.notes, (std::vector<Note>{{2020, 0, CN_DOUBLE_CLICKED}}));
}

TEST_F(UiTest, TabsSetThePageIndexBeforeTheyReport) {
    const struct {
        uint32_t id;
        int main;
        int settings;
    } cases[] = {{2049, 0, 0}, {2051, 2, 0}, {2053, 4, 0}, {3002, 0, 1},
                 {3007, 0, 7}, {3009, 0, 9}, {3005, 0, 0}};
    for (const auto& c : cases) {
        MainPageIndex = 0;
        SettingsPageIndex = 0;
        owner.notes.clear();
        CTabControl tab(owner.Handle(), c.id, {0, 0, 50, 20}, "Tab", DT_CENTER);
        tab.OnLButtonDown(MK_LBUTTON, 5, 5);
        tab.OnLButtonUp(0, 5, 5);
        tab.OnRButtonUp(0, 5, 5);
        EXPECT_EQ(MainPageIndex, c.main) << c.id;
        EXPECT_EQ(SettingsPageIndex, c.settings) << c.id;
        EXPECT_EQ(
            owner.notes,
            (std::vector<Note>{{c.id, 0, CN_PRESSED}, {c.id, 0, CN_CLICKED}, {c.id, c.id, CN_RIGHT_CLICKED}}))
            << c.id;
    }
    MainPageIndex = 2;
    CTabControl selected(owner.Handle(), 2051, {0, 0, 50, 20}, "Tab", DT_CENTER);
    EXPECT_EQ(selected.Frame(), 2);
    selected.OnMouseMove(0, 5, 5);
    EXPECT_EQ(selected.Frame(), 3);
}

} // namespace
} // namespace vexmo
