#pragma once
// CTrayMenu: the notification icon's popup menu (the role of the system's popup menu tracked
// with default flags). Items and separators; TrackPopupMenu opens it at a screen point and
// runs until an item is chosen, a click lands elsewhere, Escape is pressed or the menu loses
// the activation. A chosen item is posted to the owner as WM_COMMAND with wParam = its id.
// UI thread only.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Font.h"
#include "platform/core/Wnd.h"

namespace vexmo {

class CTrayMenu {
public:
    void AppendItem(uint32_t id, const std::string& text);
    void AppendSeparator();
    // Opens the menu with its top-left corner at `screen` (moved to stay on the screen) and
    // returns the chosen id, 0 when none was chosen.
    uint32_t TrackPopupMenu(Point screen, HWND owner);

    struct Item {
        uint32_t id = 0; // 0: a separator
        std::string text;
    };
    const std::vector<Item>& Items() const { return items_; }

    // Layout, in pixels.
    static constexpr int kItemHeight = 24;
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kTextPadding = 24;
    static constexpr int kMinWidth = 120;

private:
    std::vector<Item> items_;
};

} // namespace vexmo
