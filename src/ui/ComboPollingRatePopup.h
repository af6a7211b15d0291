#pragma once
// CComboPollingRatePopup (kind 8): the report rates "125Hz" to "1000Hz". A release on a row
// reports code0 = rate index (0 = 125 Hz .. 3 = 1000 Hz) with the rate text. Drawn without
// pictures: the hot row on a dark teal fill.
#include "ui/WndPopup.h"

namespace vexmo {

class CComboPollingRatePopup : public CWndPopup {
public:
    CComboPollingRatePopup();

protected:
    void DrawItems(CCanvas& dc, const Rect& client) override;
    void InitItems() override;
    bool OnRelease(int x, int y) override;
    LayoutMetrics Metrics() const override { return {188, 188, 22, 1, 189}; }
};

} // namespace vexmo
