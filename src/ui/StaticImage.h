#pragma once
// CStaticImage: a picture (frame `state` of a strip). Disabled from the start; an owner that
// enables it gets CN_PRESSED and CN_CLICKED like an image button (wParam 0).
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CStaticImage : public CControlBase {
public:
    CStaticImage(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, bool visible = true,
                 bool shown = true, bool disabled = true, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override { stripImage.reset(); }

    // A picture of `frames` equal frames side by side (1 for a plain picture).
    bool SetStripImage(std::string_view path, int frames = 1) {
        return LoadStripFile(path, stripImage, frames, frameWidth, frameHeight);
    }

    SkinImage stripImage;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;
};

} // namespace vexmo
