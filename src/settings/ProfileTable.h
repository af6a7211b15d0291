#pragma once
// The five profile slots the mouse keeps, mirrored in memory. The process's table is
// AppProfiles (settings/Globals.h); it lives for the whole run.
#include "settings/AppSettings.h"
#include "settings/ProfileRecord.h"

#include <array>

namespace vexmo {

struct ProfileTable {
    std::array<ProfileRecord, kProfileSlots> records{};

    // The record of slot 0 to 4; null for any other slot.
    ProfileRecord* Slot(int slot) {
        return IsProfileSlot(slot) ? &records[static_cast<size_t>(slot)] : nullptr;
    }
    const ProfileRecord* Slot(int slot) const {
        return IsProfileSlot(slot) ? &records[static_cast<size_t>(slot)] : nullptr;
    }
    ProfileRecord& operator[](size_t slot) { return records[slot]; }
    const ProfileRecord& operator[](size_t slot) const { return records[slot]; }

    static constexpr bool IsProfileSlot(int slot) { return slot >= 0 && slot < kProfileSlots; }
};

} // namespace vexmo
