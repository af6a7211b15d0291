#include "platform/desktop/Clipboard.h"

#include "platform/core/WindowSystem.h"

namespace vexmo {
namespace {

class MemoryClipboard final : public ClipboardSource {
public:
    void SetText(const std::string& text) override { text_ = text; }
    std::optional<std::string> GetText() override { return text_; }

private:
    std::optional<std::string> text_;
};

std::unique_ptr<ClipboardSource>& Current() {
    static std::unique_ptr<ClipboardSource> source;
    return source;
}

ClipboardSource& Source() {
    auto& source = Current();
    if (!source && WindowSystemRunning() && !Headless())
        source = CreateX11ClipboardSource();
    if (!source)
        source = std::make_unique<MemoryClipboard>();
    return *source;
}

} // namespace

void SetClipboardText(const std::string& text) {
    Source().SetText(text);
}

std::optional<std::string> GetClipboardText() {
    return Source().GetText();
}

void ReleaseClipboard() {
    Current().reset();
}

} // namespace vexmo
