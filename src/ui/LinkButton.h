#pragma once
// CLinkButton (id 3503): a text link. Reports CN_HOVER_ENTER on the first move inside and
// CN_HOVER_LEAVE when the pointer leaves, and press and click like an image button (wParam 0).
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

inline constexpr uint32_t kLinkButtonId = 3503;

class CLinkButton : public CControlBase {
public:
    // The id argument is ignored: there is one link and its id is 3503.
    CLinkButton(HWND parent, uint32_t unusedId, const Rect& rect, const std::string& caption,
                uint32_t textFlags, bool visible = true, bool shown = true, bool disabled = false,
                int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override { stripImage.reset(); }

    bool SetStripImage(std::string_view path) {
        return LoadStripFile(path, stripImage, 3, frameWidth, frameHeight);
    }

    SkinImage stripImage;
    uint32_t textFlags = 0;
    bool hoverNotified = false;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;
};

} // namespace vexmo
