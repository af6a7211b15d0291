#include "ui/ColorSelectCheckButton.h"

#include "settings/Globals.h"

namespace vexmo {

namespace {
constexpr double kSwatchInset = 3;
} // namespace

CColorSelectCheckButton::CColorSelectCheckButton(HWND parent, uint32_t id, const Rect& rect,
                                                 const std::string& caption, bool visible, bool shown,
                                                 bool disabled, int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), swatchRect(rect) {}

bool CColorSelectCheckButton::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (inside)
        Notify(0, CN_CLICKED);
    return changed;
}

bool CColorSelectCheckButton::OnLButtonDblClk(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StateHover);
    Notify(0, CN_DOUBLE_CLICKED);
    return changed;
}

void CColorSelectCheckButton::Draw(CCanvas& dc, Rect) {
    const bool isChecked = checked == 1;
    if (HasPicture(stripImage)) {
        DrawStripFrame(dc, stripImage, isChecked ? 1 : 0, frameWidth, frameHeight, rect);
    } else {
        const RectF source{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)};
        DrawPicture(dc, isChecked ? checkedImage : normalImage, rect, source);
    }
    const double inset = kSwatchInset * UiScale;
    swatchRect = {static_cast<int>(rect.left + inset), static_cast<int>(rect.top + inset),
                  static_cast<int>(rect.right - inset), static_cast<int>(rect.bottom - inset)};
    dc.FillSolidRect(swatchRect, colour);
}

void CColorSelectCheckButton::ReleaseImages() {
    stripImage.reset();
    normalImage.reset();
    checkedImage.reset();
}

} // namespace vexmo
