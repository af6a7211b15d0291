#include "ui/VerticalSliderControl.h"

#include <algorithm>

#include "settings/Globals.h"

namespace vexmo {

CVerticalSliderControl::CVerticalSliderControl(HWND parent, uint32_t id, const Rect& rect, int max, int start,
                                               int end, const std::string& caption, bool visible, bool shown,
                                               bool disabled)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), maxValue(max),
      startInset(start), endInset(end) {}

int CVerticalSliderControl::ValueAt(int y) const {
    const int height = rect.Height();
    if (height <= 0)
        return 0;
    const int clamped = std::clamp(y, rect.top, rect.bottom);
    return (rect.bottom - clamped - (clamped != rect.bottom ? 1 : 0)) * maxValue / height;
}

int CVerticalSliderControl::FillTop() const {
    if (maxValue <= 0)
        return rect.bottom;
    const int filled = rect.Height() * (value + 1) / maxValue;
    int top = rect.bottom - filled;
    if (UiScale > 1 && filled % 2 != 0)
        --top;
    return top;
}

bool CVerticalSliderControl::OnMouseMove(WPARAM, int x, int y) {
    bool changed = false;
    if (disabled || state == StatePressed) {
        if (state == StateNormal)
            dragging = false;
    } else if (Contains(x, y)) {
        changed = ChangeState(state, StateHover);
    } else {
        changed = ChangeState(state, StateNormal);
        dragging = false;
    }
    if (dragging && state != StateNormal) {
        value = ValueAt(y);
        InvalidateOwner(rect);
        Notify(static_cast<WPARAM>(value), CN_VALUE_CHANGED);
    }
    return changed;
}

bool CVerticalSliderControl::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    ChangeState(state, StatePressed);
    dragging = true;
    grabY = y - startInset;
    value = ValueAt(y);
    Notify(0, CN_PRESSED);
    return true;
}

bool CVerticalSliderControl::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    dragging = false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    const bool changed = ChangeState(state, StateHover);
    Notify(0, CN_CLICKED);
    return changed;
}

void CVerticalSliderControl::Draw(CCanvas& dc, Rect) {
    const float width = ScaleF(imageWidth);
    const RectF whole{0, 0, static_cast<float>(imageWidth), static_cast<float>(imageHeight)};
    DrawPicture(
        dc, emptyImage,
        RectF{static_cast<float>(rect.left), static_cast<float>(rect.top), width, ScaleF(imageHeight)},
        whole);
    const int y = FillTop();
    const int sourceTop = static_cast<int>(imageHeight - (rect.bottom - y) / UiScale);
    const int sourceHeight = imageHeight - sourceTop;
    if (sourceHeight <= 0)
        return;
    DrawPicture(dc, fullImage,
                RectF{static_cast<float>(rect.left), static_cast<float>(y), width, ScaleF(sourceHeight)},
                RectF{0, static_cast<float>(sourceTop), static_cast<float>(imageWidth),
                      static_cast<float>(sourceHeight)});
}

void CVerticalSliderControl::ReleaseImages() {
    fullImage.reset();
    emptyImage.reset();
}

} // namespace vexmo
