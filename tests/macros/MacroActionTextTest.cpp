#include "macros/MacroActionText.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

TEST(MacroActionText, TextAndIconPerActionKind) {
    struct Case {
        MacroAction action;
        const char* text;
        const char* icon;
    };
    const Case cases[] = {
        {{3, 0x00, 0x00, 0x32}, "50ms", "skins/macro_time.png"},
        {{3, 0x00, 0x0F, 0xFF}, "4095ms", "skins/macro_time.png"},
        {{3, 0xFF, 0xFF, 0xFF}, "16777215ms", "skins/macro_time.png"},
        {{0, 0x80, 0x00, 0x01}, "8388609ms", "skins/macro_time.png"}, // any code below 8 is a delay
        {{7, 0x00, 0x00, 0x00}, "0ms", "skins/macro_time.png"},
        {{0x41, 0x00, 0, 0}, "A", "skins/macro_down.png"},
        {{0x41, 0x80, 0, 0}, "A", "skins/macro_up.png"},
        {{0x41, 0x81, 0, 0}, "A", "skins/macro_up.png"},
        {{229, 0x00, 0, 0xFB}, "Move Left 5", "skins/macro_down.png"},
        {{229, 0x00, 0, 0x05}, "Move Right 5", "skins/macro_down.png"},
        {{229, 0x00, 0, 0x00}, "Move Right 0", "skins/macro_down.png"},
        {{229, 0x00, 0, 0x80}, "Move Left 128", "skins/macro_down.png"},
        {{230, 0x80, 0, 0xFF}, "Move Up 1", "skins/macro_up.png"},
        {{230, 0x00, 0, 0x7F}, "Move Down 127", "skins/macro_down.png"},
        {{231, 0x00, 0, 0x02}, "Wheel Down 2", "skins/macro_down.png"},
        {{231, 0x00, 0, 0xFE}, "Wheel Up 2", "skins/macro_down.png"},
        {{224, 0x00, 0, 0}, "L Key", "skins/macro_down.png"},
        {{228, 0x80, 0, 0}, "K5", "skins/macro_up.png"},
        {{0x08, 0x00, 0, 0}, "Backspace", "skins/macro_down.png"},
        {{0xFF, 0x00, 0, 0}, "Undefined", "skins/macro_down.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ActionText(c.action), c.text);
        EXPECT_EQ(ActionIcon(c.action), c.icon);
    }
}

} // namespace
} // namespace vexmo
