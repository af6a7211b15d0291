#pragma once
// CTabControl: a tab button. Tabs 2049..2053 select MainPageIndex 0..4 and tabs 3001..3004,
// 3007..3009 select SettingsPageIndex (id - 3001) on a click inside, before CN_CLICKED; the
// selected tab draws its selected look. A right click inside reports CN_RIGHT_CLICKED with
// wParam = id.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

class CTabControl : public CControlBase {
public:
    CTabControl(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, uint32_t textFlags,
                bool visible = true, bool shown = true, bool disabled = false);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM, int x, int y) override { return ReferencePress(state, x, y); }
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    bool OnRButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    // Four frames: normal, hover, selected, selected-hover.
    bool SetStripImage(std::string_view path) {
        return LoadStripFile(path, stripImage, 4, frameWidth, frameHeight);
    }
    bool SetNormalImage(std::string_view path) {
        return LoadImageFile(path, normalImage, frameWidth, frameHeight);
    }
    bool SetHoverImage(std::string_view path) {
        return LoadImageFile(path, hoverImage, frameWidth, frameHeight);
    }
    bool SetSelectedImage(std::string_view path) {
        return LoadImageFile(path, selectedImage, frameWidth, frameHeight);
    }
    bool SetSelectedHoverImage(std::string_view path) {
        return LoadImageFile(path, selectedHoverImage, frameWidth, frameHeight);
    }
    void SetTextInsets(int left, int right) {
        textLeftInset = left;
        textRightInset = right;
    }
    // The look drawn now (0 normal, 1 hover, 2 selected, 3 selected-hover).
    int Frame() const;

    std::string caption;
    SkinImage stripImage;
    SkinImage normalImage;
    SkinImage hoverImage;
    SkinImage selectedImage;
    SkinImage selectedHoverImage;
    int frameWidth = 0;
    int frameHeight = 0;
    uint32_t textFlags = 0;
    int textLeftInset = 0;
    int textRightInset = 0;
    int state = StateNormal;
};

// Whether `id` is one of the tabs whose click changes the page (the owner repaints everything).
bool IsPageTab(uint32_t id);

} // namespace vexmo
