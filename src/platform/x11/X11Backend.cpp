#include <memory>
#include <string>

#include "platform/core/WindowBackend.h"

namespace vexmo {

std::unique_ptr<WindowBackend> CreateX11Backend(std::string* whyNot) {
    if (whyNot) *whyNot = "the X11 backend is not built yet";
    return nullptr;
}

} // namespace vexmo
