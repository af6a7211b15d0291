#include "ui/StaticText.h"

#include "ui/SkinImage.h"

namespace vexmo {

CStaticText::CStaticText(HWND parent, uint32_t id, const Rect& rect, COLORREF colour, uint32_t flags,
                         const std::string& caption, bool visible, bool shown, bool /*disabled*/,
                         int /*unused*/)
    : CControlBase(parent, id, rect, caption, visible, shown, true, true), textFlags(flags),
      textColour(colour) {}

bool CStaticText::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (inside)
        Notify(0, CN_CLICKED);
    return changed;
}

void CStaticText::Draw(CCanvas& dc, Rect) {
    DrawCaption(dc, font, displayText, rect, textFlags | DT_WORD_ELLIPSIS | DT_VCENTER, textColour);
}

} // namespace vexmo
