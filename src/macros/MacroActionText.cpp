#include "macros/MacroActionText.h"

#include "settings/KeyNameTable.h"

#include <cstdio>

namespace vexmo {

namespace {

// "Move Left 5" for a negative amount, "Move Right 5" otherwise.
std::string SignedMovementText(const char* negativeWord, const char* positiveWord, int amount) {
    char text[32];
    if (amount < 0) {
        std::snprintf(text, sizeof text, "%s %d", negativeWord, -amount);
    } else {
        std::snprintf(text, sizeof text, "%s %d", positiveWord, amount);
    }
    return text;
}

} // namespace

std::string ActionText(MacroAction action) {
    if (action.IsDelay()) {
        char text[24];
        std::snprintf(text, sizeof text, "%ums", action.DelayMs());
        return text;
    }
    switch (action.b0) {
    case kMouseMoveXCode:
        return SignedMovementText("Move Left", "Move Right", action.Amount());
    case kMouseMoveYCode:
        return SignedMovementText("Move Up", "Move Down", action.Amount());
    case kMouseWheelCode:
        return SignedMovementText("Wheel Up", "Wheel Down", action.Amount());
    default:
        return std::string(KeyName(action.b0));
    }
}

std::string_view ActionIcon(MacroAction action) {
    if (action.IsDelay()) {
        return kDelayIconFile;
    }
    return action.IsRelease() ? kReleaseIconFile : kPressIconFile;
}

} // namespace vexmo
