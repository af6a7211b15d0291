#pragma once
// CCheckButton: a check box. Three-frame strip (normal, hover, checked) or separate pictures
// with a caption; each look may swap in its own caption (the swap sticks to `text`).
// Toggles `checked` on a click inside, before it reports CN_CLICKED (wParam 0).
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CCheckButton : public CControlBase {
public:
    CCheckButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, uint32_t textFlags,
                 bool visible = true, bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    bool SetStripImage(std::string_view path);
    bool SetNormalImage(std::string_view path);
    bool SetHoverImage(std::string_view path);
    bool SetCheckedImage(std::string_view path);
    void SetCheck(bool value) { checked = value; }
    void SetTextInsets(int left) {
        textLeftInset = left;
        textRightInset = 0;
    }
    // The checked caption turns white instead of yellow.
    void SetCheckedColour() { checkedColour = kCaptionHover; }
    // Which of the three looks the current state and check show.
    int Frame() const;

    SkinImage stripImage;
    SkinImage normalImage;
    SkinImage hoverImage;
    SkinImage checkedImage;
    bool checked = false;
    uint32_t textFlags = 0;
    int textLeftInset = 0;
    int textRightInset = 0;
    std::string uncheckedCaption;
    std::string checkedCaption;
    COLORREF normalColour = kCaptionNormal;
    COLORREF hoverColour = kCaptionHover;
    COLORREF checkedColour = kCaptionSelected;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;
};

} // namespace vexmo
