#pragma once
// The settings that belong to the program rather than to one profile: which profile is
// current, which profiles the list shows, where each profile file lives and the sensor model.
// Held as 17 name/value pairs, the form config.ini stores; the typed accessors read and write
// those pairs. One instance lives for the whole process (see Globals.h).
#include "settings/SensorModel.h"
#include "settings/SettingPair.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>

namespace vexmo {

inline constexpr size_t kAppSettingCount = 17;
inline constexpr int kProfileSlots = 5;
// A show-list entry that names no slot reads as this value.
inline constexpr int kNoProfileSlot = kProfileSlots;

enum AppSettingIndex : size_t {
    kNeedPasswordSetting = 0,
    kSensorSetting = 1,
    kPreSTSetting = 2,
    kMacIdSetting = 3,
    kDataChangeSetting = 4,
    kCurrentProfileSetting = 5,
    kProfileShowCountSetting = 6,
    kProfileShowList0Setting = 7, // to 11
    kProfileSlot0UrlSetting = 12, // to 16
};

class AppSettings {
public:
    // Empty pairs; LoadAppSettings starts from the defaults before it reads the file.
    AppSettings() = default;

    // The pair the table gives for `index`; the profile paths lie in the current ConfigFolder().
    static SettingPair DefaultPair(size_t index);
    void SetDefaults();

    std::array<SettingPair, kAppSettingCount>& Pairs() { return pairs_; }
    const std::array<SettingPair, kAppSettingCount>& Pairs() const { return pairs_; }
    // Indexes past the last pair read as an empty text and are never written.
    const std::string& Name(size_t index) const;
    const std::string& Value(size_t index) const;
    void SetValue(size_t index, std::string value);

    // 0 for anything that is not a slot 0 to 4, so no caller can index past the profiles.
    int CurrentProfile() const;
    void SetCurrentProfile(int slot);
    // Kept within 1 to 5.
    int ProfileShowCount() const;
    void SetProfileShowCount(int count);
    // The slot at display position 0 to 4; kNoProfileSlot when the entry names no slot.
    int ProfileShowList(int position) const;
    void SetProfileShowList(int position, int slot);
    // Full path of a slot's profile file; empty for a slot outside 0 to 4.
    std::filesystem::path ProfileSlotPath(int slot) const;

    int NeedPassword() const { return DecimalValue(Value(kNeedPasswordSetting)); }
    SensorModel SensorFromText() const { return ParseSensorText(Value(kSensorSetting)); }
    uint16_t PreSTFromText() const { return ParseSensorText(Value(kPreSTSetting)); }
    // Stores the model in the Sensor pair and in sensorModel.
    void SetSensor(SensorModel model);
    void SetPreST(uint16_t value);

    // The model the DPI tables follow; the Sensor pair is its stored form.
    SensorModel sensorModel = kDefaultSensorModel;

private:
    std::array<SettingPair, kAppSettingCount> pairs_{};
};

} // namespace vexmo
