#include "ui/EditShowList.h"

#include <algorithm>

#include "macros/MacroLibrary.h"
#include "settings/Globals.h"
#include "ui/ClipGuard.h"

namespace vexmo {

namespace {
constexpr COLORREF kListBackground = 0x4B4B4B;
constexpr COLORREF kSelectedRow = 0xDEA035;
constexpr COLORREF kRowText = 0xFFFFFF;
constexpr int kRowSideInset = 2;
constexpr int kIconGap = 3;
constexpr int kHalfRow = 10;

} // namespace

CEditShowList::CEditShowList(HWND parent, const Rect& rect, const std::string& caption, bool visible,
                             bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, kEditShowListId, rect, caption, visible, shown, disabled, true),
      visibleRows(static_cast<int>((rect.Height() + kHalfRow * UiScale) / (kListRowHeight * UiScale))) {}

int CEditShowList::RowCount() const {
    return library ? library->VisibleRowCount() : 0;
}

int CEditShowList::RowAt(int y) const {
    const int r = static_cast<int>((y - rect.top) / (kListRowHeight * UiScale));
    const int row = firstRow + r;
    return (r >= 0 && row < RowCount()) ? row : -1;
}

bool CEditShowList::SelectAt(int y) {
    const int row = RowAt(y);
    if (row < 0) {
        selectedRow = -1;
        LibrarySelection.stage = -1;
        return false;
    }
    selectedRow = row;
    LibrarySelection = library->RowToLocation(row);
    return true;
}

bool CEditShowList::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    state = StatePressed;
    if (!SelectAt(y))
        return true;
    LibraryItem* item = library->ItemAt(LibrarySelection);
    const double iconColumn = iconWidth * UiScale * (LibrarySelection.stage + 1);
    if (item && item->IsNamedFolder() && x - rect.left < iconColumn)
        item->IsOpen = item->IsOpen ? 0 : 1;
    return true;
}

bool CEditShowList::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (inside)
        Notify(0, CN_CLICKED);
    return changed;
}

bool CEditShowList::OnLButtonDblClk(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    if (SelectAt(y)) {
        if (LibraryItem* item = library->ItemAt(LibrarySelection))
            item->IsOpen = item->IsOpen ? 0 : 1;
    }
    Notify(0, CN_DOUBLE_CLICKED);
    return true;
}

bool CEditShowList::OnRButtonUp(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    SelectAt(y);
    Point point{x, y};
    Notify(reinterpret_cast<WPARAM>(&point), CN_RIGHT_CLICKED);
    return true;
}

void CEditShowList::EnsureSelectionVisible() {
    const int rows = RowCount();
    if (selectedRow >= firstRow + visibleRows)
        firstRow = selectedRow - visibleRows + 1;
    if (selectedRow < 0 && rows <= visibleRows)
        firstRow = 0;
    if (firstRow + visibleRows > rows)
        firstRow = rows - visibleRows;
    firstRow = std::max(firstRow, 0);
}

void CEditShowList::Draw(CCanvas& dc, Rect) {
    ClipGuard guard(dc, rect);
    dc.FillSolidRect(rect, kListBackground);
    if (!library)
        return;
    const double s = UiScale;
    const int rows = RowCount();
    for (int n = 0; firstRow + n < rows && n < visibleRows; ++n) {
        const int row = firstRow + n;
        const LibraryLocation location = library->RowToLocation(row);
        const LibraryItem* item = library->ItemAt(location);
        if (!item)
            continue;
        const Rect rowRect{static_cast<int>(rect.left + kRowSideInset * s),
                           static_cast<int>(rect.top + n * kListRowHeight * s),
                           static_cast<int>(rect.right - kRowSideInset * s),
                           static_cast<int>(rect.top + (n + 1) * kListRowHeight * s)};
        if (row == selectedRow)
            dc.FillSolidRect(rowRect, kSelectedRow);
        const double step = (iconWidth + kIconGap) * s;
        int x = static_cast<int>(rect.left + step * location.stage);
        if (item->IsFolder) {
            const SkinImage& icon = item->IsOpen ? openFolderImage : closedFolderImage;
            DrawPicture(dc, icon,
                        RectF{static_cast<float>(x), static_cast<float>(rowRect.top + s),
                              static_cast<float>(iconWidth * s), static_cast<float>(iconHeight * s)},
                        RectF{0, 0, static_cast<float>(iconWidth), static_cast<float>(iconHeight)});
            x = static_cast<int>(x + step);
        }
        DrawCaption(dc, font, item->Name, {x, rowRect.top, rowRect.right, rowRect.bottom}, kCaptionFlags,
                    kRowText);
    }
}

void CEditShowList::ReleaseImages() {
    openFolderImage.reset();
    closedFolderImage.reset();
}

} // namespace vexmo
