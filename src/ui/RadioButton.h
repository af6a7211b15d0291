#pragma once
// CRadioButton: one button of a radio group. The selection of every group lives in
// RadioSelectionBits (UiGlobals.h), one bit per button; a click inside selects the button's
// bit within its group before CN_CLICKED (wParam 0) goes out. Drawn selected while its bit is
// set. CDPIRadioButton reuses the mouse handling with its own selection word.
#include <optional>

#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

struct RadioMember {
    uint32_t groupMask = 0;
    uint32_t bit = 0;
};
// The group and bit of a radio id, none for ids outside the groups.
std::optional<RadioMember> RadioMemberOf(uint32_t id);

class CRadioButton : public CControlBase {
public:
    CRadioButton(HWND parent, uint32_t id, const Rect& rect, const std::string& caption, bool visible = true,
                 bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM flags, int x, int y) override;
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    bool SetStripImage(std::string_view path);
    bool SetNormalImage(std::string_view path);
    bool SetHoverImage(std::string_view path);
    bool SetSelectedImage(std::string_view path);

    // The state drawn: `state`, or 2 while selected.
    int DrawnState() const { return IsSelected() ? StatePressed : state; }

    SkinImage stripImage;
    SkinImage normalImage;
    SkinImage hoverImage;
    SkinImage selectedImage;
    int frameWidth = 0;
    int frameHeight = 0;
    int state = StateNormal;

protected:
    virtual bool IsSelected() const;
    // Records the selection a click inside makes.
    virtual void Select();
    // The state picture, stretched over rect.
    void DrawLook(CCanvas& dc);
};

} // namespace vexmo
