#include "ui/ComboPollingRatePopup.h"

#include "settings/ValueTexts.h"

namespace vexmo {

namespace {
constexpr int kPollingRatePopupKind = 8;
constexpr COLORREF kHotRowFill = 0x004B53;
} // namespace

CComboPollingRatePopup::CComboPollingRatePopup() : CWndPopup(kPollingRatePopupKind) {}

void CComboPollingRatePopup::InitItems() {
    int value = 1;
    for (std::string_view rate : PollingRateTexts())
        AddItem(std::string(rate), value++, 0);
}

void CComboPollingRatePopup::DrawItems(CCanvas& dc, const Rect&) {
    for (size_t i = 0; i < items.size(); ++i) {
        const PopupItem& item = items[i];
        const bool hot = static_cast<int>(i) == hotIndex;
        if (hot)
            dc.FillSolidRect(item.rect, kHotRowFill);
        DrawRowCaption(dc, item, hot, kPopupCaptionFlags, 2);
        if (item.hasSubmenu)
            DrawSubmenuArrow(dc, item.rect);
    }
}

bool CComboPollingRatePopup::OnRelease(int x, int y) {
    const PopupItem* item = HotItemAt(x, y);
    if (!item) {
        hotIndex = -1;
        return true;
    }
    result = {};
    result.code0 = static_cast<uint8_t>(item->value - 1);
    result.caption = item->caption;
    Report(notifyMessage, static_cast<WPARAM>(ownerValue), reinterpret_cast<LPARAM>(&result));
    return false;
}

} // namespace vexmo
