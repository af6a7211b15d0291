#pragma once
// The values of the fire key dialog and the function it makes (category 0x30).
#include "settings/KeyFunctionChoice.h"

#include <optional>
#include <string>
#include <string_view>

namespace vexmo {

class LanguageTable;

inline constexpr int kFireValueMax = 255;
inline constexpr int kFireFirstValueMin = 5;
inline constexpr int kFireFirstValueDefault = 50;
inline constexpr int kFireSecondValueDefault = 0;

// An edit box's text as a number, the way the dialog reads it: leading decimal digits,
// saturating; no digits read as 0.
int ReadFireValue(std::string_view text);
// The replacement text while typing: "255" when the box reads above 255, else nothing.
std::optional<std::string> ClampedFireValueText(std::string_view text);
// Whether a typed character is accepted quietly (digits and backspace); others raise a notice.
bool IsFireValueCharacter(char32_t character);
bool FireFirstValueAccepted(int first);
// Code 30 first second, named entry 26 without a trailing "+"; nothing when the first value
// is 4 or less. Values above 255 are taken as 255 and negative second values as 0, so a
// value typed after the last clamp never wraps around in its byte.
std::optional<KeyFunctionChoice> BuildFireKey(int first, int second, const LanguageTable& language);

} // namespace vexmo
