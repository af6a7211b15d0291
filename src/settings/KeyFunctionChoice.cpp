#include "settings/KeyFunctionChoice.h"

namespace vexmo {

std::string WithoutTrailingPlus(std::string text) {
    if (!text.empty() && text.back() == '+') {
        text.pop_back();
    }
    return text;
}

} // namespace vexmo
