#pragma once
// The desktop clipboard for text (UTF-8). On X11 the CLIPBOARD selection, shared with every
// other program; on the headless desktop a store in memory. UI thread.
#include <memory>
#include <optional>
#include <string>

namespace vexmo {

class ClipboardSource {
public:
    virtual ~ClipboardSource() = default;
    virtual void SetText(const std::string& text) = 0;
    // Empty when the clipboard holds no text or its owner did not answer in time.
    virtual std::optional<std::string> GetText() = 0;
};

std::unique_ptr<ClipboardSource> CreateX11ClipboardSource();

void SetClipboardText(const std::string& text);
std::optional<std::string> GetClipboardText();
// Drops the desktop clipboard connection (the window system calls nothing for us, so tests
// and the application's end call this; harmless when nothing was used).
void ReleaseClipboard();

} // namespace vexmo
