#include "ui/SliderControl.h"

#include <algorithm>

#include "settings/Globals.h"

namespace vexmo {

CSliderControl::CSliderControl(HWND parent, uint32_t id, const Rect& rect, int count, int start, int end,
                               const std::string& caption, bool visible, bool shown, bool disabled)
    : CControlBase(parent, id, rect, caption, visible, shown, disabled, true), stopCount(count),
      startInset(start), endInset(end) {
    ComputeStops();
    SetStop(0);
}

void CSliderControl::ComputeStops() {
    usableWidth = rect.Width() - startInset - endInset;
    stops.assign(static_cast<size_t>(std::max(stopCount, 0)), 0);
    for (int i = 0; i < stopCount; ++i) {
        if (i == 0)
            stops[0] = rect.left + startInset;
        else if (i == stopCount - 1)
            stops[i] = rect.right - endInset;
        else
            stops[i] = i * usableWidth / (stopCount - 1) + startInset + rect.left;
    }
}

void CSliderControl::SetRect(int left, int top, int right, int bottom) {
    CControlBase::SetRect(left, top, right, bottom);
    ComputeStops();
    SetStop(index);
}

Rect CSliderControl::ThumbRectAt(int stop) const {
    if (stops.empty())
        return {rect.left, rect.top, rect.left + startInset + endInset, rect.bottom};
    const int x = stops[static_cast<size_t>(stop)];
    return {x - startInset, rect.top, x + endInset, rect.bottom};
}

void CSliderControl::SetStop(int stop) {
    index = std::clamp(stop, 0, std::max(stopCount - 1, 0));
    thumbRect = ThumbRectAt(index);
}

int CSliderControl::NearestStop(int x) const {
    int i = 0;
    while (i + 1 < stopCount && x >= (stops[static_cast<size_t>(i)] + stops[static_cast<size_t>(i) + 1]) / 2)
        ++i;
    return i;
}

bool CSliderControl::OnMouseMove(WPARAM, int x, int y) {
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
        const int clamped = std::clamp(x, rect.left, rect.right);
        dragX = clamped - startInset;
        index = reportedIndex = NearestStop(clamped);
        InvalidateOwner(rect);
        Notify(static_cast<WPARAM>(index), CN_VALUE_CHANGED);
    }
    return changed;
}

bool CSliderControl::OnLButtonDown(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    const bool changed = ChangeState(state, StatePressed);
    if (thumbRect.Contains({x, y}))
        dragging = true;
    dragX = x - startInset;
    Notify(0, CN_PRESSED);
    return changed;
}

bool CSliderControl::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    const bool wasDragging = dragging;
    dragging = false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal) || wasDragging;
    ChangeState(state, StateHover);
    SetStop(NearestStop(x));
    Notify(0, CN_CLICKED);
    return true;
}

void CSliderControl::Draw(CCanvas& dc, Rect) {
    if (!HasPicture(thumbImage))
        return;
    const float width = ScaleF(thumbWidth);
    const float height = ScaleF(thumbHeight);
    int x = 0;
    if (dragging)
        x = std::clamp(dragX, rect.left, std::max(rect.left, static_cast<int>(rect.right - width)));
    else if (!stops.empty())
        x = stops[static_cast<size_t>(index)] - startInset;
    else
        x = rect.left;
    dc.DrawImage(
        *thumbImage, RectF{static_cast<float>(x), static_cast<float>(rect.top), width, height},
        RectF{0, 0, static_cast<float>(thumbImage->Width()), static_cast<float>(thumbImage->Height())});
}

} // namespace vexmo
