#include "settings/ValueTexts.h"

#include <array>

namespace vexmo {

namespace {
constexpr std::array<std::string_view, 4> kPollingRates = {"125Hz", "250Hz", "500Hz", "1000Hz"};
constexpr std::array<std::string_view, 11> kDpiLocks = {"200", "300", "400",  "500",  "600", "700",
                                                        "800", "900", "1000", "1100", "1200"};
constexpr std::array<std::string_view, 4> kPercents = {"25%", "50%", "75%", "100%"};
} // namespace

std::span<const std::string_view> PollingRateTexts() {
    return kPollingRates;
}
std::span<const std::string_view> DpiLockTexts() {
    return kDpiLocks;
}
std::span<const std::string_view> PercentTexts() {
    return kPercents;
}

std::string_view PercentText(int sliderPosition) {
    const int count = static_cast<int>(kPercents.size());
    // A negative position still lands inside the list.
    return kPercents[static_cast<size_t>(((sliderPosition % count) + count) % count)];
}

} // namespace vexmo
