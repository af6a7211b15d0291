// Every skin file the program loads by name exists after the build, decodes, and has the size
// its control draws it from (the control's design rectangle at UiScale 1).
#include "ShippedFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vexmo::test {
namespace {

struct Skin {
    std::string name;
    int width;
    int height;
};

// The complete list of skin files, with the rectangle each one is drawn into.
std::vector<Skin> AllSkins() {
    std::vector<Skin> skins = {
        {"exit_nr.png", 15, 15},
        {"exit_ov.png", 15, 15}, // close buttons (e.g. 1092,12-1107,27)
        {"min_nr.png", 15, 15},
        {"min_ov.png", 15, 15},
        {"add_nr.png", 15, 15},
        {"add_ov.png", 15, 15},
        {"button1_nr.png", 230, 25},
        {"button1_ov.png", 230, 25}, // macro button (36,305)-(266,330)
        {"button2_nr.png", 69, 20},
        {"button2_ov.png", 69, 20},  // dialog buttons (240,70)-(309,90)
        {"button4_nr.png", 215, 45}, // pointer settings (X+20..X+235, Y+30..Y+75)
        {"header_nr.png", 262, 25},
        {"header_ov.png", 262, 25}, // panel headers (846,37)-(1108,62)
        {"header2_nr.png", 230, 25},
        {"header2_ov.png", 230, 25}, // section titles, profile list header
        {"combo2_nr.png", 162, 23},
        {"combo2_ov.png", 162, 23}, // button column (82..244)
        {"combo3_nr.png", 189, 25},
        {"combo3_ov.png", 189, 25}, // lighting effect (X+40..X+229)
        {"menu_nr.png", 190, 22},
        {"menu_ov.png", 190, 22}, // list rows, drawn from (0,0,190,22)
        {"menusub_nr.png", 190, 22},
        {"menusub_ov.png", 190, 22},
        {"profile_slot_nr.png", 120, 25},
        {"profile_slot_ov.png", 120, 25},
        {"profile_slot_nr2.png", 120, 25},
        {"profile_slot_ov2.png", 120, 25},
        {"check_nr.png", 11, 11},
        {"check_ov.png", 11, 11},
        {"check_dn.png", 11, 11}, // (370,86)-(381,97)
        {"check_button_dpi_nr.png", 11, 11},
        {"check_button_dpi_ov.png", 11, 11},
        {"check_button_dpi_dn.png", 11, 11}, // DPI level checks (881,226)-(892,237)
        {"radio_nr.png", 15, 15},
        {"radio_ov.png", 15, 15},
        {"radio_dn.png", 15, 15},  // (368,113)-(383,128)
        {"dpi_value.png", 26, 11}, // DPI value (874,212)-(900,223)
        {"color_select_nr.png", 21, 20},
        {"color_select_check.png", 21, 20}, // (X+42,Y+134)-(X+63,Y+154)
        {"up_nr.png", 29, 18},
        {"up_ov.png", 29, 18},
        {"up_check.png", 29, 18}, // (X+42,Y+134)-(X+71,Y+152)
        {"down_nr.png", 29, 18},
        {"down_ov.png", 29, 18},
        {"down_check.png", 29, 18},
        {"Slider_Circle.png", 13, 13}, // thumb: start inset 6 + end inset 7
        {"Slider_bar.png", 145, 3},
        {"Slider_bar2.png", 145, 3}, // (X+42,Y+72)-(X+187,Y+75)
        {"battery_full.png", 30, 61},
        {"battery_empty.png", 30, 61}, // (80,413)-(110,474)
        {"battery_charging.png", 30, 61},
        {"battery_lighting.png", 30, 61},
        {"battery_green.png", 8, 8},
        {"battery_orange.png", 8, 8},
        {"battery_red.png", 8, 8}, // (165,421)-(173,429)
        {"foldr_open.png", 16, 16},
        {"foldr_close.png", 16, 16}, // library rows, 20 high
        {"macro_time.png", 13, 13},
        {"macro_up.png", 13, 13},
        {"macro_down.png", 13, 13}, // action rows
        {"macro_record_nr.png", 90, 18},
        {"macro_record_dn.png", 90, 18}, // (370,53)-(460,71)
        {"125hz_nr.png", 72, 72},
        {"125hz_dn.png", 72, 72}, // (80,535)-(152,607)
        {"250hz_nr.png", 72, 72},
        {"250hz_dn.png", 72, 72}, // (152,534)-(224,606)
        {"500hz_nr.png", 144, 72},
        {"500hz_dn.png", 144, 72}, // (79,606)-(223,678)
        {"1000hz_nr.png", 72, 72},
        {"1000hz_dn.png", 72, 72},
        {"mouse/mouse_nr.png", 215, 398}, // (457,171)-(672,569)
        {"mouse/dpi_bar_1.png", 7, 132},
        {"mouse/dpi_bar_2.png", 7, 132}, // (883,75)-(890,207)
        {"Frame_common.bmp", 429, 140},
        {"Frame_DPI.bmp", 429, 140},
        {"Frame_warning.bmp", 319, 102},
        {"Frame_Macro_Manager.bmp", 528, 365},
        {"Frame_Lighting_Setting.bmp", 230, 82},
        {"Frame_progress_nr.bmp", 429, 140},
        {"Frame_progress_ov.bmp", 429, 140},
    };
    for (int n = 1; n <= 9; ++n) {
        skins.push_back({"mouse/number" + std::to_string(n) + ".png", 20, 20});
        skins.push_back({"mouse/serial_number" + std::to_string(n) + ".png", 21, 21}); // x 52..73
    }
    for (int minutes = 3; minutes <= 10; ++minutes) {
        skins.push_back({"power_manage_" + std::to_string(minutes) + "min.png", 140, 78}); // dial fan
    }
    return skins;
}

TEST(SkinFilesTest, EverySkinExistsDecodesAndHasItsControlsSize) {
    for (const Skin& skin : AllSkins()) {
        SCOPED_TRACE(skin.name);
        const Image image = LoadImageFile(SkinPath(skin.name));
        ASSERT_FALSE(image.IsEmpty()) << "missing or undecodable";
        EXPECT_EQ(image.Width(), skin.width);
        EXPECT_EQ(image.Height(), skin.height);
    }
}

TEST(SkinFilesTest, DialogFramesAre24BitBitmaps) {
    for (const Skin& skin : AllSkins()) {
        if (skin.name.ends_with(".bmp")) {
            const std::string bytes = ReadBytes(SkinPath(skin.name));
            ASSERT_GE(bytes.size(), 54u) << skin.name;
            EXPECT_EQ(bytes.substr(0, 2), "BM") << skin.name;
            EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 24) << skin.name; // bits per pixel
        }
    }
}

// Only the files of the list are shipped: a stray or misspelt file would never be loaded.
TEST(SkinFilesTest, NothingElseIsShippedInTheSkinFolder) {
    std::map<std::string, bool> expected;
    for (const Skin& skin : AllSkins()) {
        expected[skin.name] = true;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(BinDir() / "skins")) {
        if (entry.is_regular_file()) {
            const std::string name =
                std::filesystem::relative(entry.path(), BinDir() / "skins").generic_string();
            EXPECT_TRUE(expected.contains(name)) << name;
        }
    }
}

// The battery gauge draws the empty picture and then the lower part of the full (or charging)
// picture from the fill level up: outside the fill area (rows 7 to 56) they must be the same
// picture, or the outline jumps as the level changes.
TEST(SkinFilesTest, BatteryPicturesDifferOnlyInTheFillArea) {
    const Image empty = LoadImageFile(SkinPath("battery_empty.png"));
    ASSERT_FALSE(empty.IsEmpty());
    for (const char* name : {"battery_full.png", "battery_charging.png"}) {
        const Image fill = LoadImageFile(SkinPath(name));
        ASSERT_EQ(fill.Width(), empty.Width());
        ASSERT_EQ(fill.Height(), empty.Height());
        int differentInside = 0;
        for (int y = 0; y < fill.Height(); ++y) {
            for (int x = 0; x < fill.Width(); ++x) {
                const bool inFill = y >= 7 && y < 57;
                if (!inFill) {
                    EXPECT_EQ(fill.At(x, y), empty.At(x, y)) << name << " at " << x << "," << y;
                } else if (fill.At(x, y) != empty.At(x, y)) {
                    ++differentInside;
                }
            }
        }
        EXPECT_GT(differentInside, 20 * 45) << name << ": the fill should cover the fill area";
    }
}

// The progress dialog paints the empty bar picture, then copies rows 66 to 77 of the filled
// one from the left edge as the bar grows: the two may differ only in that row band.
TEST(SkinFilesTest, ProgressFramesDifferOnlyInTheBarRows) {
    const Image empty = LoadImageFile(SkinPath("Frame_progress_nr.bmp"));
    const Image full = LoadImageFile(SkinPath("Frame_progress_ov.bmp"));
    ASSERT_FALSE(empty.IsEmpty());
    ASSERT_FALSE(full.IsEmpty());
    int differentInBar = 0;
    for (int y = 0; y < empty.Height(); ++y) {
        for (int x = 0; x < empty.Width(); ++x) {
            if (y < 66 || y >= 78) {
                ASSERT_EQ(RgbAt(empty, x, y), RgbAt(full, x, y)) << x << "," << y;
            } else if (!(RgbAt(empty, x, y) == RgbAt(full, x, y))) {
                ++differentInBar;
            }
        }
    }
    EXPECT_GT(differentInBar, 380 * 10);
}

// The window draws number n over the mouse picture at these points (relative to the picture
// at (457,171)) while button row n is hovered: each must land on the mouse, not beside it.
TEST(SkinFilesTest, ButtonNumbersLandOnTheMouse) {
    const Image mouse = LoadImageFile(SkinPath("mouse/mouse_nr.png"));
    ASSERT_FALSE(mouse.IsEmpty());
    const std::pair<int, int> numberCorners[] = {{495, 231}, {608, 231}, {553, 251},
                                                 {467, 311}, {464, 376}, {553, 301}};
    for (size_t n = 0; n < std::size(numberCorners); ++n) {
        const int cx = numberCorners[n].first - 457 + 10;
        const int cy = numberCorners[n].second - 171 + 10;
        EXPECT_EQ(mouse.At(cx, cy) >> 24, 0xFFu) << "number " << n + 1 << " at " << cx << "," << cy;
    }
}

// State pictures of one control must differ, or hovering and selecting show nothing.
TEST(SkinFilesTest, StatePicturesOfAControlLookDifferent) {
    const std::vector<std::vector<std::string>> groups = {
        {"exit_nr.png", "exit_ov.png"},
        {"min_nr.png", "min_ov.png"},
        {"button1_nr.png", "button1_ov.png"},
        {"button2_nr.png", "button2_ov.png"},
        {"header_nr.png", "header_ov.png"},
        {"header2_nr.png", "header2_ov.png"},
        {"combo2_nr.png", "combo2_ov.png"},
        {"combo3_nr.png", "combo3_ov.png"},
        {"menu_nr.png", "menu_ov.png", "menusub_nr.png", "menusub_ov.png"},
        {"check_nr.png", "check_ov.png", "check_dn.png"},
        {"radio_nr.png", "radio_ov.png", "radio_dn.png"},
        {"up_nr.png", "up_ov.png", "up_check.png", "down_nr.png"},
        {"color_select_nr.png", "color_select_check.png"},
        {"125hz_nr.png", "125hz_dn.png", "250hz_nr.png"},
        {"macro_record_nr.png", "macro_record_dn.png"},
        {"mouse/dpi_bar_1.png", "mouse/dpi_bar_2.png"},
        {"power_manage_3min.png", "power_manage_4min.png", "power_manage_10min.png"},
        {"mouse/number1.png", "mouse/number2.png", "mouse/number9.png"},
    };
    for (const auto& group : groups) {
        for (size_t i = 0; i < group.size(); ++i) {
            for (size_t j = i + 1; j < group.size(); ++j) {
                const Image a = LoadImageFile(SkinPath(group[i]));
                const Image b = LoadImageFile(SkinPath(group[j]));
                EXPECT_NE(a.Pixels(), b.Pixels()) << group[i] << " and " << group[j];
            }
        }
    }
}

} // namespace
} // namespace vexmo::test
