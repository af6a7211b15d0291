#include "ui/ComboProfilePopup.h"

#include "settings/Globals.h"
#include "settings/LanguageTable.h"

namespace vexmo {

namespace {
constexpr int kProfilePopupKind = 7;
constexpr int kHeaderEntry = 10;
constexpr int kManagementEntry = 200;
constexpr int kHeaderValue = 1;
constexpr int kManagementValue = 7;
constexpr int kFirstProfileValue = 2;
constexpr int kManagementRow = 6;
constexpr RectF kHeaderSource{0, 0, 230, 25};
constexpr COLORREF kManagementFill = 0x000049;
constexpr COLORREF kProfileFill = 0x1F1F1F;
constexpr COLORREF kActiveFill = 0x000078;
constexpr COLORREF kHotFill = 0x373737;
constexpr int kCaptionLeft = 10;
} // namespace

CComboProfilePopup::CComboProfilePopup(std::string_view headerPath) : CWndPopup(kProfilePopupKind) {
    for (int i = 0; i < kProfileRows; ++i)
        names[static_cast<size_t>(i)] = "defaultProfile" + std::to_string(i + 1);
    int width = 0, height = 0;
    LoadImageFile(headerPath, header_, width, height);
}

void CComboProfilePopup::SetProfileName(int index, const std::string& name, int number) {
    if (index < 0 || index >= kProfileRows)
        return;
    names[static_cast<size_t>(index)] = name;
    numbers[static_cast<size_t>(index)] = number;
    const size_t row = static_cast<size_t>(index) + 1;
    if (row < items.size())
        items[row].caption = name;
}

void CComboProfilePopup::InitItems() {
    AddItem(LanguageText(kHeaderEntry), kHeaderValue, 0);
    for (int i = 0; i < kProfileRows; ++i)
        AddItem(names[static_cast<size_t>(i)], kFirstProfileValue + i, 0);
    AddItem(LanguageText(kManagementEntry), kManagementValue, 0);
}

void CComboProfilePopup::DrawItems(CCanvas& dc, const Rect&) {
    const uint32_t flags = DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    const int captionLeft = static_cast<int>(kCaptionLeft * UiScale);
    for (size_t i = 0; i < items.size(); ++i) {
        const PopupItem& item = items[i];
        const int row = static_cast<int>(i);
        const bool hot = row == hotIndex;
        if (row == 0) {
            DrawPicture(dc, header_, item.rect, kHeaderSource);
            DrawRowCaption(dc, item, false, flags, captionLeft);
            continue;
        }
        if (row == kManagementRow) {
            dc.FillSolidRect(item.rect, kManagementFill);
            DrawRowCaption(dc, item, hot, flags, captionLeft);
            continue;
        }
        if (item.caption.empty()) {
            dc.FillSolidRect(item.rect, kProfileFill);
            continue;
        }
        const bool active = row == activeRow;
        dc.FillSolidRect(item.rect, active ? kActiveFill : hot ? kHotFill : kProfileFill);
        DrawRowCaption(dc, item, !active && hot, flags, captionLeft);
        if (item.hasSubmenu)
            DrawSubmenuArrow(dc, item.rect);
    }
}

bool CComboProfilePopup::OnRelease(int x, int y) {
    const PopupItem* item = HotItemAt(x, y);
    if (!item) {
        hotIndex = -1;
        return true;
    }
    if (item->value == kHeaderValue || item->caption.empty())
        return false;
    Report(notifyMessage, kProfileChosen, item->value);
    return false;
}

bool CComboProfilePopup::OnRightRelease(int x, int y) {
    const PopupItem* item = HotItemAt(x, y);
    if (!item) {
        hotIndex = -1;
        return true;
    }
    const bool profileRow =
        item->value >= kFirstProfileValue && item->value < kFirstProfileValue + kProfileRows;
    if (profileRow && !item->caption.empty())
        Report(notifyMessage, kProfileContext, item->value);
    return false;
}

} // namespace vexmo
