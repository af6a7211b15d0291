#pragma once
// CImageShowList (id 2020): the action list of one macro, one row per action with its text and
// an icon (press, release or delay). A press selects a row; a double click reports
// CN_DOUBLE_CLICKED. The owner scrolls it through firstRow.
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

struct MacroRecord;

inline constexpr uint32_t kImageShowListId = 2020;

class CImageShowList : public CControlBase {
public:
    CImageShowList(HWND parent, const Rect& rect, const std::string& caption, bool visible = true,
                   bool shown = true, bool disabled = false, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    bool OnMouseMove(WPARAM, int x, int y) override { return ReferenceMove(state, x, y); }
    bool OnLButtonDown(WPARAM flags, int x, int y) override;
    bool OnLButtonUp(WPARAM flags, int x, int y) override;
    bool OnLButtonDblClk(WPARAM flags, int x, int y) override;
    void ReleaseImages() override;

    bool SetReleaseIcon(std::string_view path) {
        return LoadImageFile(path, releaseIcon, iconWidth, iconHeight);
    }
    bool SetPressIcon(std::string_view path) { return LoadImageFile(path, pressIcon, iconWidth, iconHeight); }
    bool SetDelayIcon(std::string_view path) { return LoadImageFile(path, delayIcon, iconWidth, iconHeight); }
    // The macro shown, or null; the owner keeps it alive while it is shown.
    void SetMacro(const MacroRecord* shown) { macro = shown; }

    SkinImage releaseIcon;
    SkinImage pressIcon;
    SkinImage delayIcon;
    int iconWidth = 0;
    int iconHeight = 0;
    int state = StateNormal;
    const MacroRecord* macro = nullptr;
    int selectedRow = -1;
    int visibleRows = 0;
    int firstRow = 0;
};

} // namespace vexmo
