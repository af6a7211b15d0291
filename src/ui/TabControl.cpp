#include "ui/TabControl.h"

#include "ui/UiGlobals.h"

namespace vexmo {

namespace {
constexpr uint32_t kFirstMainTab = 2049;
constexpr uint32_t kLastMainTab = 2053;

struct SettingsTab {
    uint32_t id;
    int page;
};
constexpr SettingsTab kSettingsTabs[] = {{3001, 0}, {3002, 1}, {3003, 2}, {3004, 3},
                                         {3007, 7}, {3008, 8}, {3009, 9}};

bool IsMainTab(uint32_t id) {
    return id >= kFirstMainTab && id <= kLastMainTab;
}
// The settings page of a tab, -1 for other ids.
int SettingsPageOf(uint32_t id) {
    for (const SettingsTab& tab : kSettingsTabs)
        if (tab.id == id)
            return tab.page;
    return -1;
}
bool IsSettingsTab(uint32_t id) {
    return SettingsPageOf(id) >= 0;
}
} // namespace

bool IsPageTab(uint32_t id) {
    return IsMainTab(id) || IsSettingsTab(id);
}

CTabControl::CTabControl(HWND parent, uint32_t id, const Rect& rect, const std::string& tabCaption,
                         uint32_t flags, bool visible, bool shown, bool disabled)
    : CControlBase(parent, id, rect, tabCaption, visible, shown, disabled, true), caption(tabCaption),
      textFlags(flags) {}

bool CTabControl::OnLButtonUp(WPARAM, int x, int y) {
    bool inside = false;
    const bool changed = ReferenceRelease(state, x, y, inside);
    if (!inside)
        return changed;
    if (IsMainTab(id))
        MainPageIndex = static_cast<int>(id - kFirstMainTab);
    if (IsSettingsTab(id))
        SettingsPageIndex = SettingsPageOf(id);
    Notify(0, CN_CLICKED);
    return true;
}

bool CTabControl::OnRButtonUp(WPARAM, int x, int y) {
    if (disabled || !Contains(x, y))
        return false;
    Notify(id, CN_RIGHT_CLICKED);
    return false;
}

int CTabControl::Frame() const {
    if (IsMainTab(id) && MainPageIndex == static_cast<int>(id - kFirstMainTab))
        return state == StateHover ? 3 : 2;
    if (IsSettingsTab(id) && SettingsPageIndex == SettingsPageOf(id))
        return 2;
    return state;
}

void CTabControl::Draw(CCanvas& dc, Rect) {
    const int frame = Frame();
    if (HasPicture(stripImage)) {
        DrawStripFrame(dc, stripImage, frame, frameWidth, frameHeight, rect);
    } else {
        const SkinImage* pictures[] = {&normalImage, &hoverImage, &selectedImage, &selectedHoverImage};
        DrawPicture(dc, *pictures[frame], rect,
                    RectF{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)});
    }
    const Rect captionRect{rect.left + textLeftInset, rect.top, rect.right - textRightInset, rect.bottom};
    DrawCaption(dc, font, caption, captionRect, textFlags | kCaptionFlags, kCaptionNormal);
}

void CTabControl::ReleaseImages() {
    stripImage.reset();
    normalImage.reset();
    hoverImage.reset();
    selectedImage.reset();
    selectedHoverImage.reset();
}

} // namespace vexmo
