#pragma once
// CPowerManageButton (id 3500): the sleep-time dial. Eight triangles fan around the dial's
// centre; a click in triangle i selects i + 1 (3 to 10 minutes) before CN_CLICKED (wParam 0).
// Draws the picture of the current selection.
#include <array>

#include "ui/ControlBase.h"
#include "platform/core/Region.h"
#include "ui/SkinImage.h"

namespace vexmo {

inline constexpr uint32_t kPowerManageButtonId = 3500;
inline constexpr int kPowerManageSelections = 10;

class CPowerManageButton : public CControlBase {
public:
    // The id argument is ignored (the dial is always 3500); `storedValue` is kept unread.
    CPowerManageButton(HWND parent, uint32_t unusedId, const Rect& rect, const std::string& caption,
                       int storedValue, bool visible = true, bool shown = true, bool disabled = false);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    // The picture of selection `minutes` (3 to 10); false for other selections.
    bool SetMinuteImage(int minutes, std::string_view path);

    SkinImage stripImage; // never drawn
    std::array<SkinImage, kPowerManageSelections> minuteImage;
    int selection = 6;
    int storedValue = 0;
    std::array<CRgn, kPowerManageSelections> regions;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;
};

} // namespace vexmo
