#pragma once
// CVScrollBar: a vertical scroll bar with arrow pictures and a drawn thumb. A press reports
// CN_PRESSED with where it landed (wParam 6 up arrow, 7 down arrow, 0 thumb, 8 track above the
// thumb, 9 track below); dragging the thumb reports CN_VALUE_CHANGED (wParam 0) whenever the
// position changes; the release reports CN_CLICKED. The owner scrolls and calls SetScrollInfo.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

// wParam of the press report.
inline constexpr WPARAM kScrollOnThumb = 0;
inline constexpr WPARAM kScrollUpArrow = 6;
inline constexpr WPARAM kScrollDownArrow = 7;
inline constexpr WPARAM kScrollPageUp = 8;
inline constexpr WPARAM kScrollPageDown = 9;

// Embedded arrow strips (three frames each).
inline constexpr uint32_t kScrollUpResource = 188;
inline constexpr uint32_t kScrollDownResource = 187;

class CVScrollBar : public CControlBase {
public:
    CVScrollBar(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, bool visible = true,
                bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    // Loads the arrows from the embedded strips and lays out arrows and track. The arrow areas
    // are laid out even when the pictures are missing (then from the standard arrow size).
    bool SetArrowsFromResources();
    void SetScrollInfo(int newPosition, int newPage, int newMaximum);

    SkinImage upImage;
    SkinImage downImage;
    int arrowWidth = 0;
    int arrowHeight = 0;
    int state = StateNormal;
    bool overUp = false;
    bool overDown = false;
    bool overThumb = false;
    int lastX = 0;
    Rect thumbRect;
    Rect trackRect;
    Rect upRect;
    Rect downRect;
    Rect dragRect;
    int position = 0;
    int page = 0;
    int maximum = 0;
    int grabOffset = 0;
    bool dragging = false;

private:
    void LayOut();
    bool SetHoverFlags(bool up, bool down, bool thumb);
    void FollowDrag(int y);
};

} // namespace vexmo
