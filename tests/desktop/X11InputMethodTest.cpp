// Typed text through the X input method: key presses on a plain X window give UTF-8 for
// keysyms beyond Latin-1 (a spare keycode is mapped to them for the test).
#include "platform/XvfbEnvironment.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include "platform/x11/X11InputMethod.h"

namespace vexmo {
namespace {

const auto* const kXvfb = ::testing::AddGlobalTestEnvironment(new XvfbEnvironment);

TEST(X11InputMethodTest, KeysTypeUnicodeText) {
    Display* d = XOpenDisplay(nullptr);
    ASSERT_NE(d, nullptr);
    int minCode = 0, maxCode = 0;
    XDisplayKeycodes(d, &minCode, &maxCode);
    struct Case {
        KeySym keysym;
        const char* text;
    };
    const Case cases[] = {
        {XK_a, "a"}, {XK_eacute, "é"}, {0x10003b1, "α"}, {0x1004e2d, "中"}, {0x101f600, "😀"}};
    // Spare keycodes at the top, mapped before the first lookup loads Xlib's key map.
    for (size_t i = 0; i < std::size(cases); ++i) {
        KeySym sym = cases[i].keysym;
        XChangeKeyboardMapping(d, maxCode - 1 - static_cast<int>(i), 1, &sym, 1);
    }
    XSync(d, False);
    {
        X11InputMethod im(d);
        EXPECT_TRUE(im.HasInputMethod());
        const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 50, 50, 0, 0, 0);
        for (size_t i = 0; i < std::size(cases); ++i) {
            const Case& c = cases[i];
            XEvent e{};
            e.xkey.type = KeyPress;
            e.xkey.display = d;
            e.xkey.window = w;
            e.xkey.root = DefaultRootWindow(d);
            e.xkey.keycode = static_cast<unsigned>(maxCode - 1 - static_cast<int>(i));
            e.xkey.same_screen = True;
            ASSERT_FALSE(im.Filter(&e));
            unsigned long keysym = 0;
            EXPECT_EQ(im.Lookup(&e, &keysym), c.text) << std::hex << c.keysym;
            EXPECT_EQ(keysym, c.keysym);
        }
        XDestroyWindow(d, w);
    } // the input method goes before its display
    XCloseDisplay(d);
}

} // namespace
} // namespace vexmo
