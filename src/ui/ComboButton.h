#pragma once
// CComboButton: a drop-down box. Hover and click go to the owner under a message number of its
// own (`notifyMessage`, wParam = id): the first five moves inside send CN_HOVER_ENTER, leaving
// sends CN_HOVER_LEAVE once (unless keepHover), a click CN_CLICKED. The press goes out under the
// id (wParam 0). A locked box reports neither press nor click.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CComboButton : public CControlBase {
public:
    CComboButton(HWND parent, uint32_t notifyMessage, uint32_t id, const Rect& rect,
                 const std::string& caption, uint32_t textFlags, bool visible, bool shown, bool disabled,
                 int unused, const std::string& valueText);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    // Five frames: normal, hover, pressed, locked, locked-hover.
    bool SetStripImage(std::string_view path);
    bool SetNormalImage(std::string_view path);
    bool SetHoverImage(std::string_view path);
    void SetValueText(const std::string& value);
    void SetTextInsets(int left) {
        textLeftInset = left;
        textRightInset = 0;
    }
    void ResetTextInsets() { textLeftInset = textRightInset = 0; }

    std::string valueText;
    bool keepHover = false;
    uint32_t notifyMessage = 0;
    SkinImage stripImage;
    SkinImage normalImage;
    SkinImage hoverImage;
    bool locked = false;
    bool showDisabledText = false;
    bool hoverNotifyDone = false;
    bool pointerOutside = true;
    uint32_t textFlags = 0;
    int textLeftInset = 0;
    int textRightInset = 0;
    int hoverCount = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;
};

} // namespace vexmo
