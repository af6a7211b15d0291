#include "settings/FireKeyRules.h"

#include "settings/FunctionCatalogue.h"
#include "settings/LanguageTable.h"

#include <algorithm>

namespace vexmo {

namespace {
constexpr char32_t kBackspace = 0x08;
constexpr int kSaturation = 1'000'000; // far above any value the rules care about
} // namespace

int ReadFireValue(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = std::min(value * 10 + (c - '0'), kSaturation);
    }
    return value;
}

std::optional<std::string> ClampedFireValueText(std::string_view text) {
    if (ReadFireValue(text) > kFireValueMax) {
        return std::to_string(kFireValueMax);
    }
    return std::nullopt;
}

bool IsFireValueCharacter(char32_t character) {
    return (character >= U'0' && character <= U'9') || character == kBackspace;
}

bool FireFirstValueAccepted(int first) {
    return first >= kFireFirstValueMin;
}

std::optional<KeyFunctionChoice> BuildFireKey(int first, int second, const LanguageTable& language) {
    if (!FireFirstValueAccepted(first)) {
        return std::nullopt;
    }
    const auto asByte = [](int value) { return static_cast<uint8_t>(std::clamp(value, 0, kFireValueMax)); };
    return KeyFunctionChoice{WithoutTrailingPlus(language.Text(kFireKeyNameEntry)),
                             {kFireKeyCategory, asByte(first), asByte(second)},
                             nullptr};
}

} // namespace vexmo
