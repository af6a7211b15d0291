#pragma once
// CImageButton: the plain skinned push button. A three-frame strip (normal, hover, pressed) or
// separate normal and hover pictures with a caption. Reports CN_PRESSED (wParam 0) and
// CN_CLICKED (wParam = id); the button with id 3502 also reports every move over it.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

inline constexpr uint32_t kHoverMoveButtonId = 3502;

class CImageButton : public CControlBase {
public:
    CImageButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, uint32_t textFlags,
                 bool visible = true, bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    bool SetStripImage(std::string_view path);
    bool SetNormalImage(std::string_view path);
    bool SetHoverImage(std::string_view path);
    // Three frames side by side from an embedded PNG; false when it is missing.
    bool SetStripFromResource(uint32_t resourceId);
    // Left inset; the right one goes back to 0.
    void SetTextInsets(int left) {
        textLeftInset = left;
        textRightInset = 0;
    }

    SkinImage stripImage;
    SkinImage normalImage;
    SkinImage hoverImage;
    int frameWidth = 0;
    int frameHeight = 0;
    uint32_t textFlags = 0;
    int textLeftInset = 0;
    int textRightInset = 0;
    int state = StateNormal;
};

} // namespace vexmo
