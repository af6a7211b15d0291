#include "platform/x11/X11InputMethod.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <langinfo.h>

#include <clocale>
#include <string_view>
#include <vector>

namespace vexmo {

struct X11InputMethod::State {
    Display* display = nullptr;
    XIM im = nullptr;
    XIC ic = nullptr;
    Window icWindow = 0;
};

X11InputMethod::X11InputMethod(void* display) : state_(std::make_unique<State>()) {
    state_->display = static_cast<Display*>(display);
    // XIM speaks the locale's encoding; UTF-8 text needs a locale whose modifiers X accepts.
    // Only the character type is touched: number formatting stays "C".
    // (The plain "C" locale gives Latin-1 from the built-in method even through the UTF-8 call.)
    if (!std::setlocale(LC_CTYPE, "") || std::string_view(nl_langinfo(CODESET)) != "UTF-8" ||
        !XSupportsLocale()) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    XSetLocaleModifiers("");
    state_->im = XOpenIM(state_->display, nullptr, nullptr, nullptr);
    if (!state_->im) {
        // No input method server: the built-in one still composes and knows every keysym.
        XSetLocaleModifiers("@im=none");
        state_->im = XOpenIM(state_->display, nullptr, nullptr, nullptr);
    }
}

X11InputMethod::~X11InputMethod() {
    if (state_->ic)
        XDestroyIC(state_->ic);
    if (state_->im)
        XCloseIM(state_->im);
}

bool X11InputMethod::HasInputMethod() const {
    return state_->im != nullptr;
}

bool X11InputMethod::Filter(void* event) {
    if (!state_->im)
        return false;
    return XFilterEvent(static_cast<XEvent*>(event), None) == True;
}

std::string X11InputMethod::Lookup(void* keyEvent, unsigned long* keysym) {
    auto* key = static_cast<XKeyEvent*>(keyEvent);
    KeySym sym = NoSymbol;
    std::string out;
    if (state_->im && state_->icWindow != key->window) {
        if (state_->ic)
            XDestroyIC(state_->ic);
        state_->ic = XCreateIC(state_->im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                               key->window, XNFocusWindow, key->window, nullptr);
        state_->icWindow = state_->ic ? key->window : 0;
        if (state_->ic)
            XSetICFocus(state_->ic);
    }
    if (state_->ic) {
        std::vector<char> buffer(64);
        Status status = 0;
        int n =
            Xutf8LookupString(state_->ic, key, buffer.data(), static_cast<int>(buffer.size()), &sym, &status);
        if (status == XBufferOverflow) {
            buffer.resize(static_cast<size_t>(n) + 1);
            n = Xutf8LookupString(state_->ic, key, buffer.data(), static_cast<int>(buffer.size()), &sym,
                                  &status);
        }
        if ((status == XLookupChars || status == XLookupBoth) && n > 0)
            out.assign(buffer.data(), static_cast<size_t>(n));
        if (status != XLookupKeySym && status != XLookupBoth)
            sym = XLookupKeysym(key, 0);
    } else {
        char text[8];
        const int n = XLookupString(key, text, sizeof text, &sym, nullptr);
        for (int i = 0; i < n; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else {
                out.push_back(static_cast<char>(0xC0 | (c >> 6)));
                out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
    }
    if (out.size() == 1 && out[0] == 0x7F)
        out.clear(); // Delete types nothing
    if (keysym)
        *keysym = sym;
    return out;
}

} // namespace vexmo
