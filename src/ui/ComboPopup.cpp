#include "ui/ComboPopup.h"

#include <array>

#include "settings/FunctionCatalogue.h"
#include "settings/LanguageTable.h"

namespace vexmo {

namespace {
constexpr int kComboPopupKind = 0;
constexpr int kCategoryRows = 16;
constexpr std::array kSubmenuValues{6, 11, 12, 13, 15};

struct IndexMessage {
    int index;
    uint32_t message;
};
constexpr std::array kSubmenuHoverMessages{
    IndexMessage{5, 1040},  IndexMessage{10, 1043}, IndexMessage{11, 1160},
    IndexMessage{12, 1157}, IndexMessage{14, 1154},
};
constexpr uint32_t kPlainRowHoverMessage = 1033;

// Rows that ask the parent for a dialog instead of reporting a code.
struct ValueMessage {
    int value;
    uint32_t message;
};
constexpr std::array kDialogRows{ValueMessage{7, 1062}, ValueMessage{9, 1065}, ValueMessage{10, 1035}};

struct ValueCode {
    int value;
    uint8_t code0, code1, code2;
};
constexpr std::array kRowCodes{
    ValueCode{1, 0x10, 0x01, 0x00},  ValueCode{2, 0x10, 0x02, 0x00},  ValueCode{3, 0x10, 0x04, 0x00},
    ValueCode{4, 0x10, 0x10, 0x00},  ValueCode{5, 0x10, 0x08, 0x00},  ValueCode{8, 0x30, 0x32, 0x03},
    ValueCode{14, 0x60, 0x04, 0x00}, ValueCode{16, 0x00, 0x00, 0x00},
};
// Rows 1 to 4 (the mouse buttons) also tell the parent at once on the press.
constexpr int kLastPressReportedValue = 4;

bool IsSubmenuValue(int value) {
    for (int v : kSubmenuValues)
        if (v == value)
            return true;
    return false;
}
} // namespace

CComboPopup::CComboPopup(std::string_view normalPath, std::string_view hotPath, std::string_view submenuPath,
                         std::string_view hotSubmenuPath)
    : CWndPopup(kComboPopupKind) {
    pictures_.Load(normalPath, hotPath, submenuPath, hotSubmenuPath);
}

uint32_t CComboPopup::HoverMessage(int index) {
    for (const IndexMessage& entry : kSubmenuHoverMessages)
        if (entry.index == index)
            return entry.message;
    return kPlainRowHoverMessage;
}

void CComboPopup::InitItems() {
    const auto functions = MainFunctionList();
    for (int i = 0; i < kCategoryRows; ++i) {
        const int value = i + 1;
        const std::string caption = i < static_cast<int>(functions.size())
                                        ? LanguageText(functions[static_cast<size_t>(i)].nameEntry)
                                        : std::string();
        AddItem(caption, value, IsSubmenuValue(value) ? 1 : 0);
    }
}

void CComboPopup::DrawItems(CCanvas& dc, const Rect&) {
    for (size_t i = 0; i < items.size(); ++i) {
        const PopupItem& item = items[i];
        const bool hot = static_cast<int>(i) == hotIndex;
        pictures_.Draw(dc, item, hot);
        DrawRowCaption(dc, item, hot, kPopupCaptionFlags, 2);
    }
}

bool CComboPopup::OnHover(int x, int y) {
    const int before = hotIndex;
    const bool changed = TrackHotRow(x, y);
    if (hotIndex != -1 && hotIndex != before) {
        const PopupItem& item = items[static_cast<size_t>(hotIndex)];
        if (!Report(HoverMessage(hotIndex), static_cast<WPARAM>(ownerValue), item.value))
            return false;
    }
    return changed;
}

bool CComboPopup::OnPress(int x, int y) {
    CWndPopup::OnPress(x, y);
    const PopupItem* item = HotItemAt(x, y);
    if (item && item->value >= 1 && item->value <= kLastPressReportedValue)
        Report(notifyMessage, 0, 0);
    return false;
}

bool CComboPopup::OnRelease(int x, int y) {
    const PopupItem* item = HotItemAt(x, y);
    if (!item) {
        hotIndex = -1;
        return true;
    }
    const int value = item->value;
    if (IsSubmenuValue(value))
        return false;
    for (const ValueMessage& entry : kDialogRows) {
        if (entry.value != value)
            continue;
        Report(entry.message, static_cast<WPARAM>(ownerValue), 0);
        return false;
    }
    for (const ValueCode& entry : kRowCodes) {
        if (entry.value != value)
            continue;
        result.code0 = entry.code0;
        result.code1 = entry.code1;
        result.code2 = entry.code2;
        result.caption = item->caption;
        Report(notifyMessage, static_cast<WPARAM>(ownerValue), reinterpret_cast<LPARAM>(&result));
        return false;
    }
    return false;
}

} // namespace vexmo
