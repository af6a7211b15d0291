#pragma once
// CComboPopup (kind 0): the list of button function categories. Hovering a row tells the parent
// which submenu to open or close (1040, 1043, 1160, 1157, 1154, else 1033; wParam ownerValue,
// lParam the row's value); a release on a row either asks the parent for a dialog (1062, 1065,
// 1035) or reports the chosen function code through notifyMessage with a PopupResult.
#include "ui/ComboRowPictures.h"
#include "ui/WndPopup.h"

namespace vexmo {

class CComboPopup : public CWndPopup {
public:
    CComboPopup(std::string_view normalPath, std::string_view hotPath, std::string_view submenuPath,
                std::string_view hotSubmenuPath);

    // The parent's message when row `index` becomes hot.
    static uint32_t HoverMessage(int index);

protected:
    void DrawItems(CCanvas& dc, const Rect& client) override;
    void InitItems() override;
    bool OnHover(int x, int y) override;
    bool OnPress(int x, int y) override;
    bool OnRelease(int x, int y) override;
    LayoutMetrics Metrics() const override { return {161, 161, 22, 1, 162}; }

private:
    ComboRowPictures pictures_;
};

} // namespace vexmo
