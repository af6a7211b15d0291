#pragma once
// Typed text through the X input method (XIM): any Unicode text, compose sequences and the
// desktop's input method where one runs, instead of the Latin-1 of a plain key lookup.
// One per display connection, used on that connection's thread. Declared without X11 headers;
// the events are passed as XEvent* (void* here).
#include <memory>
#include <string>

namespace vexmo {

class X11InputMethod {
public:
    // `display` is a Display*. Without any input method, Lookup falls back to the plain lookup.
    explicit X11InputMethod(void* display);
    ~X11InputMethod();
    X11InputMethod(const X11InputMethod&) = delete;
    X11InputMethod& operator=(const X11InputMethod&) = delete;

    // Call first for every event (an XEvent*): true when the input method took it (a key of
    // an unfinished compose or preedit sequence); the caller then drops the event.
    bool Filter(void* event);
    // The UTF-8 a KeyPress types and its keysym (an XEvent* of type KeyPress). `window`
    // is the event's window: the input context follows it.
    std::string Lookup(void* keyEvent, unsigned long* keysym);
    bool HasInputMethod() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace vexmo
