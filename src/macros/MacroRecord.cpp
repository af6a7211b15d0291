#include "macros/MacroRecord.h"

#include "settings/KeyFunctionCode.h"

#include <algorithm>
#include <cstdio>

namespace vexmo {

namespace {
constexpr size_t kActionDigits = 8;
constexpr uint32_t kLastSlot = kMacroActionSlots - 1;
} // namespace

bool MacroRecord::SetAction(uint32_t index, MacroAction action) {
    if (index > kLastSlot) {
        return false;
    }
    Actions[index] = action;
    return true;
}

bool MacroRecord::InsertAction(uint32_t position, MacroAction action) {
    if (ActionCount >= kMacroActionSlots) {
        return false;
    }
    const uint32_t at = std::min(position, ActionCount);
    std::move_backward(Actions.begin() + at, Actions.begin() + ActionCount,
                       Actions.begin() + ActionCount + 1);
    Actions[at] = action;
    ++ActionCount;
    return true;
}

bool MacroRecord::RemoveAction(uint32_t index) {
    // A count above the slots (only possible if set by hand) must not let the index run past them.
    if (index >= ActionCount || index > kLastSlot) {
        return false;
    }
    std::move(Actions.begin() + index + 1, Actions.end(), Actions.begin() + index);
    Actions[kLastSlot] = MacroAction{};
    --ActionCount;
    return true;
}

void CopyMacroContent(const MacroRecord& from, MacroRecord& to) {
    const uint32_t keepIndex = to.MacroKeyIndex;
    to = from;
    to.MacroKeyIndex = keepIndex;
}

std::string FormatAction(MacroAction action) {
    char digits[kActionDigits + 1];
    std::snprintf(digits, sizeof digits, "%.2X%.2X%.2X%.2X", action.b0, action.b1, action.b2, action.b3);
    return std::string(digits, kActionDigits);
}

std::string FormatAllActions(const MacroRecord& macro) {
    std::string text;
    text.reserve(kAllActionTextLength);
    for (const MacroAction& action : macro.Actions) {
        text += FormatAction(action);
    }
    return text;
}

bool ParseAllActions(std::string_view text, MacroRecord& macro) {
    if (text.size() != kAllActionTextLength) {
        return false;
    }
    for (size_t slot = 0; slot < kMacroActionSlots; ++slot) {
        const size_t at = slot * kActionDigits;
        macro.Actions[slot] = {ReadHexPair(text, at), ReadHexPair(text, at + 2), ReadHexPair(text, at + 4),
                               ReadHexPair(text, at + 6)};
    }
    return true;
}

bool ParseActionCount(std::string_view text, uint32_t& count) {
    if (text.empty()) {
        return false;
    }
    // Read as the files have always been read: optional blanks and sign, then the leading digits.
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > kMacroActionSlots) {
            return false;
        }
    }
    if (negative && value != 0) {
        return false;
    }
    count = static_cast<uint32_t>(value);
    return true;
}

} // namespace vexmo
