#include "macros/LibraryInUse.h"

#include "LibraryTestSupport.h"
#include "settings/ProfileRecord.h"

#include <gtest/gtest.h>

namespace vexmo {
namespace {

using test::At;

TEST(LibraryInUse, OnlyMacroButtonsOfTheGivenProfileHoldAnItem) {
    MacroLibrary library;
    test::BuildSampleTree(library); // c, two levels below folder F, has key 3
    struct Case {
        const char* name;
        KeyFunctionCode code;
        uint32_t boundKey;
        LibraryLocation location;
        bool held;
    };
    const Case cases[] = {
        {"macro button, folder two levels up", kMacroCode, 3, At(1), true},
        {"macro button, the macro itself", kMacroCode, 3, At(1, 1, 0), true},
        {"macro button, another folder", kMacroCode, 3, At(3), false},
        {"stale key on a keyboard button", KeyFunctionCode{kKeyboardCategory, 0x00, 0x04}, 3, At(1), false},
        {"no function, key 0", KeyFunctionCode{}, 0, At(1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileRecord profile;
        profile.keys[4].code = c.code;
        profile.keys[4].MacroKeyIndex = c.boundKey;
        EXPECT_EQ(ItemBoundInProfile(library, profile, c.location), c.held);
    }
}

} // namespace
} // namespace vexmo
