#include "ui/StaticImage.h"

namespace vexmo {

CStaticImage::CStaticImage(HWND parent, uint32_t id, const Rect& rect, const std::string& caption,
                           bool visible, bool shown, bool /*disabled*/, int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, true, true) {}

bool CStaticImage::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (inside)
        Notify(0, CN_CLICKED);
    return changed;
}

void CStaticImage::Draw(CCanvas& dc, Rect) {
    DrawStripFrame(dc, stripImage, state, frameWidth, frameHeight, rect);
}

} // namespace vexmo
