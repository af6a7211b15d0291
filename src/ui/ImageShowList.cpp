#include "ui/ImageShowList.h"

#include <algorithm>

#include "macros/MacroRecord.h"
#include "settings/Globals.h"
#include "ui/ClipGuard.h"
#include "ui/EditShowList.h"

namespace vexmo {

namespace {
constexpr COLORREF kListBackground = 0x4B4B4B;
constexpr COLORREF kSelectedRow = 0xDEA035;
constexpr COLORREF kRowText = 0xFFFFFF;
constexpr int kTextLeft = 17;
constexpr int kRowRightInset = 2;
constexpr int kIconLeft = 15;
constexpr int kIconTop = 3;
constexpr int kHalfRow = 10;
} // namespace

CImageShowList::CImageShowList(HWND parent, const Rect& rect, const std::string& caption, bool visible,
                               bool shown, bool disabled, int /*unused*/)
    : CControlBase(parent, kImageShowListId, rect, caption, visible, shown, disabled, true),
      visibleRows(static_cast<int>((rect.Height() + kHalfRow * UiScale) / (kListRowHeight * UiScale))) {}

bool CImageShowList::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    state = StatePressed;
    if (!macro)
        return true;
    const int r = static_cast<int>((y - rect.top) / (kListRowHeight * UiScale));
    const int count = static_cast<int>(std::min<uint32_t>(macro->ActionCount, kMacroActionSlots));
    if (r < count && firstRow + r < count)
        selectedRow = firstRow + r;
    return true;
}

bool CImageShowList::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    return ReferenceRelease(state, x, y, inside);
}

bool CImageShowList::OnLButtonDblClk(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    state = StateHover;
    Notify(0, CN_DOUBLE_CLICKED);
    return true;
}

void CImageShowList::Draw(CCanvas& dc, Rect) {
    ClipGuard guard(dc, rect);
    dc.FillSolidRect(rect, kListBackground);
    if (!macro)
        return;
    const double s = UiScale;
    const int count = static_cast<int>(std::min<uint32_t>(macro->ActionCount, kMacroActionSlots));
    for (int n = 0; firstRow + n < count && n < visibleRows; ++n) {
        const int row = firstRow + n;
        const MacroAction action = macro->Actions[static_cast<size_t>(row)];
        const Rect textRect{static_cast<int>(rect.left + kTextLeft * s),
                            static_cast<int>(rect.top + n * kListRowHeight * s),
                            static_cast<int>(rect.right - kRowRightInset * s),
                            static_cast<int>(rect.top + (n + 1) * kListRowHeight * s)};
        if (row == selectedRow)
            dc.FillSolidRect(textRect, kSelectedRow);
        DrawCaption(dc, font, ActionText(action), textRect, kCaptionFlags, kRowText);
        const SkinImage& icon = action.IsDelay() ? delayIcon : action.IsRelease() ? releaseIcon : pressIcon;
        DrawPicture(dc, icon,
                    RectF{static_cast<float>(textRect.left - kIconLeft * s),
                          static_cast<float>(textRect.top + kIconTop * s), static_cast<float>(iconWidth * s),
                          static_cast<float>(iconHeight * s)},
                    RectF{0, 0, static_cast<float>(iconWidth), static_cast<float>(iconHeight)});
    }
}

void CImageShowList::ReleaseImages() {
    releaseIcon.reset();
    pressIcon.reset();
    delayIcon.reset();
}

} // namespace vexmo
