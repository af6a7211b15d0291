#include "settings/ProfileRecord.h"

namespace vexmo {

namespace {
std::string OnOffText(int value) {
    return value > 0 ? "1" : "0";
}
} // namespace

KeyAssignment* ProfileRecord::Key(size_t index) {
    return index < keys.size() ? &keys[index] : nullptr;
}

const KeyAssignment* ProfileRecord::Key(size_t index) const {
    return index < keys.size() ? &keys[index] : nullptr;
}

void ProfileRecord::SetMoveLightingOnOffMode(int value) {
    settings[kMoveLightingOnOffModeSetting].value = OnOffText(value);
}

void ProfileRecord::SetPowerDownTime(int value) {
    settings[kPowerDownTimeSetting].value = std::to_string(value);
}

void ProfileRecord::SetMotionWakeup(int value) {
    settings[kMotionWakeupSetting].value = OnOffText(value);
}

} // namespace vexmo
