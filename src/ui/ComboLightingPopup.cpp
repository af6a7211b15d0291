#include "ui/ComboLightingPopup.h"

#include <array>

#include "settings/LanguageTable.h"

namespace vexmo {

namespace {
constexpr int kLightingPopupKind = 9;
// Effects 7 and 8 have texts but no row.
constexpr std::array kEffectRows{1, 2, 3, 4, 5, 6, 9, 10};
constexpr int kFirstEffectEntry = 100;
constexpr int kEffectOffEntry = 109;
constexpr int kEffectOffRow = 10;
} // namespace

CComboLightingPopup::CComboLightingPopup(std::string_view normalPath, std::string_view hotPath,
                                         std::string_view submenuPath, std::string_view hotSubmenuPath)
    : CWndPopup(kLightingPopupKind) {
    pictures_.Load(normalPath, hotPath, submenuPath, hotSubmenuPath);
}

int CComboLightingPopup::CaptionEntry(int value) {
    return value == kEffectOffRow ? kEffectOffEntry : kFirstEffectEntry + value - 1;
}

void CComboLightingPopup::InitItems() {
    for (int value : kEffectRows)
        AddItem(LanguageText(CaptionEntry(value)), value, 0);
}

void CComboLightingPopup::DrawItems(CCanvas& dc, const Rect&) {
    for (size_t i = 0; i < items.size(); ++i) {
        const bool hot = static_cast<int>(i) == hotIndex;
        pictures_.Draw(dc, items[i], hot);
        DrawRowCaption(dc, items[i], hot, kPopupCaptionFlags, 2);
    }
}

bool CComboLightingPopup::OnRelease(int x, int y) {
    const PopupItem* item = HotItemAt(x, y);
    if (!item) {
        hotIndex = -1;
        return true;
    }
    result = {};
    result.code0 = static_cast<uint8_t>(item->value == kEffectOffRow ? 0 : item->value);
    result.caption = item->caption;
    Report(notifyMessage, static_cast<WPARAM>(ownerValue), reinterpret_cast<LPARAM>(&result));
    return false;
}

} // namespace vexmo
