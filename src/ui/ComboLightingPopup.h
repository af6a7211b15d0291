#pragma once
// CComboLightingPopup (kind 9): the lighting effects. A release on a row reports the effect
// code in code0 (rows 1..9 the same number, row 10 effect 0) with its caption.
#include "ui/ComboRowPictures.h"
#include "ui/WndPopup.h"

namespace vexmo {

class CComboLightingPopup : public CWndPopup {
public:
    CComboLightingPopup(std::string_view normalPath, std::string_view hotPath, std::string_view submenuPath,
                        std::string_view hotSubmenuPath);

    // The language entry of the effect row with `value` (1..10).
    static int CaptionEntry(int value);

protected:
    void DrawItems(CCanvas& dc, const Rect& client) override;
    void InitItems() override;
    bool OnRelease(int x, int y) override;
    LayoutMetrics Metrics() const override { return {188, 188, 22, 1, 189}; }

private:
    ComboRowPictures pictures_;
};

} // namespace vexmo
