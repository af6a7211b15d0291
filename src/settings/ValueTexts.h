#pragma once
// Fixed value texts shown by lists and notices.
#include <span>
#include <string_view>

namespace vexmo {

// "125Hz" .. "1000Hz", indexed by rate index 0 to 3.
std::span<const std::string_view> PollingRateTexts();
// "200" .. "1200": the DPI lock values, row 1 first.
std::span<const std::string_view> DpiLockTexts();
// "25%" .. "100%".
std::span<const std::string_view> PercentTexts();
// The percentage text of a lighting slider position (position modulo 4; never out of range).
std::string_view PercentText(int sliderPosition);

} // namespace vexmo
