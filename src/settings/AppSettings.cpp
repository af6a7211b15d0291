#include "settings/AppSettings.h"

#include "settings/DataFolder.h"

#include <algorithm>

namespace vexmo {

namespace {
constexpr int kMinShowCount = 1;

const char* const kNames[kAppSettingCount] = {
    "NeedPassword",     "Sensor",           "PreST",
    "Mac_ID",           "DataChange",       "CurrentProfile",
    "ProfileShowCount", "ProfileShowList0", "ProfileShowList1",
    "ProfileShowList2", "ProfileShowList3", "ProfileShowList4",
    "ProfileSlot0URL",  "ProfileSlot1URL",  "ProfileSlot2URL",
    "ProfileSlot3URL",  "ProfileSlot4URL",
};

const char* const kFixedDefaults[kProfileSlot0UrlSetting] = {
    "1", "0x3104", "0xCEFB", "0xFFFFFFFF", "0x1234", "0", "3", "0", "1", "2", "3", "4",
};

bool IsSlot(int slot) {
    return slot >= 0 && slot < kProfileSlots;
}

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}
} // namespace

SettingPair AppSettings::DefaultPair(size_t index) {
    if (index >= kAppSettingCount) {
        return {};
    }
    if (index < kProfileSlot0UrlSetting) {
        return {kNames[index], kFixedDefaults[index]};
    }
    const size_t slot = index - kProfileSlot0UrlSetting;
    const auto file = ConfigFolder() / ("default" + std::to_string(slot) + ".psf");
    return {kNames[index], file.string()};
}

void AppSettings::SetDefaults() {
    for (size_t i = 0; i < kAppSettingCount; ++i) {
        pairs_[i] = DefaultPair(i);
    }
}

const std::string& AppSettings::Name(size_t index) const {
    return index < kAppSettingCount ? pairs_[index].name : EmptyText();
}

const std::string& AppSettings::Value(size_t index) const {
    return index < kAppSettingCount ? pairs_[index].value : EmptyText();
}

void AppSettings::SetValue(size_t index, std::string value) {
    if (index < kAppSettingCount) {
        pairs_[index].value = std::move(value);
    }
}

int AppSettings::CurrentProfile() const {
    const int slot = DecimalValue(Value(kCurrentProfileSetting));
    return IsSlot(slot) ? slot : 0;
}

void AppSettings::SetCurrentProfile(int slot) {
    SetValue(kCurrentProfileSetting, std::to_string(slot));
}

int AppSettings::ProfileShowCount() const {
    return std::clamp(DecimalValue(Value(kProfileShowCountSetting)), kMinShowCount, kProfileSlots);
}

void AppSettings::SetProfileShowCount(int count) {
    SetValue(kProfileShowCountSetting, std::to_string(count));
}

int AppSettings::ProfileShowList(int position) const {
    if (!IsSlot(position)) {
        return kNoProfileSlot;
    }
    const int slot = DecimalValue(Value(kProfileShowList0Setting + static_cast<size_t>(position)));
    return IsSlot(slot) ? slot : kNoProfileSlot;
}

void AppSettings::SetProfileShowList(int position, int slot) {
    if (IsSlot(position)) {
        SetValue(kProfileShowList0Setting + static_cast<size_t>(position), std::to_string(slot));
    }
}

std::filesystem::path AppSettings::ProfileSlotPath(int slot) const {
    if (!IsSlot(slot)) {
        return {};
    }
    return Value(kProfileSlot0UrlSetting + static_cast<size_t>(slot));
}

void AppSettings::SetSensor(SensorModel model) {
    sensorModel = model;
    SetValue(kSensorSetting, FormatSensorText(model));
}

void AppSettings::SetPreST(uint16_t value) {
    SetValue(kPreSTSetting, FormatSensorText(value));
}

} // namespace vexmo
