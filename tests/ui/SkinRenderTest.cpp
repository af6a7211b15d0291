// One dialog holding one of every control (and an open category list), drawn with the real
// skins the build made, saved as ui_all_controls.png in the build folder for review.
#include <gtest/gtest.h>

#include <filesystem>

#include "macros/MacroLibrary.h"
#include "platform/core/WindowSystem.h"
#include "platform/headless/HeadlessBackend.h"
#include "settings/LanguageTable.h"
#include "ui/Battery.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectButton.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/ComboPopup.h"
#include "ui/DPIRadioButton.h"
#include "ui/DPIValueShowControl.h"
#include "ui/DlgBase.h"
#include "ui/EditShowList.h"
#include "ui/ImageButton.h"
#include "ui/ImageShowList.h"
#include "ui/LinkButton.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "ui/TabControl.h"
#include "ui/UiGlobals.h"
#include "ui/VScrollBar.h"
#include "ui/VerticalSliderControl.h"

namespace vexmo {
namespace {

const std::filesystem::path kSkins = std::filesystem::path(VEXMO_BIN_DIR) / "skins";

Size PictureSize(const std::string& relative) {
    const Image image = LoadImageFile(std::filesystem::path(SkinPath(relative)));
    return {image.Width(), image.Height()};
}

Rect At(int x, int y, Size size) {
    return {x, y, x + size.cx, y + size.cy};
}

class AllControlsDlg : public CDlgBase {
public:
    MacroLibrary library;
    MacroRecord macro;

    AllControlsDlg() {
        windowWidth = 640;
        windowHeight = 420;
        library.AddFolderAt({0, 0, 0, 0}, "Games", true);
        library.AddMacroAt({1, 0, 0, 0}, "Reload", std::make_unique<MacroRecord>("Reload"));
        library.AddMacroAt({0, 1, 0, 0}, "Copy and paste", std::make_unique<MacroRecord>("Copy and paste"));
        macro.InsertAction(0, MacroAction::Press(0x41));
        macro.InsertAction(1, MacroAction::Delay(50));
        macro.InsertAction(2, MacroAction::Release(0x41));
        macro.ActionCount = 3;
    }
    void DrawBackground(CCanvas& dc, const Rect& client) override {
        dc.FillSolidRect(client, 0x1E1E1E);
        DrawControls(dc, client);
    }
    void CreateControls(Rect) override {
        const HWND h = Handle();
        auto* close =
            AddControl(0, std::make_unique<CImageButton>(
                              h, kCloseButtonId, At(610, 6, PictureSize("skins/exit_nr.png")), "", 0));
        close->SetNormalImage(SkinPath("skins/exit_nr.png"));
        close->SetHoverImage(SkinPath("skins/exit_ov.png"));

        auto* tab =
            AddControl(0, std::make_unique<CTabControl>(
                              h, 2049, At(10, 10, PictureSize("skins/header_nr.png")), "Main tab", DT_LEFT));
        tab->SetNormalImage(SkinPath("skins/header_nr.png"));
        tab->SetHoverImage(SkinPath("skins/header_ov.png"));
        tab->SetSelectedImage(SkinPath("skins/header_ov.png"));
        tab->SetSelectedHoverImage(SkinPath("skins/header_ov.png"));
        tab->SetTextInsets(12, 0);

        auto* button = AddControl(
            0, std::make_unique<CImageButton>(h, 2001, At(10, 50, PictureSize("skins/button2_nr.png")),
                                              LanguageText(4), DT_CENTER));
        button->SetNormalImage(SkinPath("skins/button2_nr.png"));
        button->SetHoverImage(SkinPath("skins/button2_ov.png"));

        auto* check = AddControl(0, std::make_unique<CCheckButton>(
                                        h, 2030, At(100, 50, PictureSize("skins/check_nr.png")), "", 0));
        check->SetNormalImage(SkinPath("skins/check_nr.png"));
        check->SetHoverImage(SkinPath("skins/check_ov.png"));
        check->SetCheckedImage(SkinPath("skins/check_dn.png"));
        check->SetCheck(true);

        for (uint32_t id : {2080u, 2081u}) {
            auto* radio =
                AddControl(0, std::make_unique<CRadioButton>(h, id,
                                                             At(140 + 30 * static_cast<int>(id - 2080), 50,
                                                                PictureSize("skins/radio_nr.png")),
                                                             ""));
            radio->SetNormalImage(SkinPath("skins/radio_nr.png"));
            radio->SetHoverImage(SkinPath("skins/radio_ov.png"));
            radio->SetSelectedImage(SkinPath("skins/radio_dn.png"));
        }

        const Size dpiSize = PictureSize("skins/check_button_dpi_nr.png");
        for (int k = 0; k < 3; ++k) {
            auto* dpi = AddControl(
                0, std::make_unique<CDPIRadioButton>(h, kFirstDpiLevelButtonId + k,
                                                     At(220 + k * (dpiSize.cx + 6), 50, dpiSize), ""));
            dpi->SetNormalImage(SkinPath("skins/check_button_dpi_nr.png"));
            dpi->SetHoverImage(SkinPath("skins/check_button_dpi_ov.png"));
            dpi->SetSelectedImage(SkinPath("skins/check_button_dpi_dn.png"));
            dpi->dpiValue = 16 * (k + 1);
        }

        auto* combo = AddControl(
            0, std::make_unique<CComboButton>(h, 1027, 2060, At(10, 100, PictureSize("skins/combo2_nr.png")),
                                              "", DT_LEFT, true, true, false, 0, LanguageText(20)));
        combo->SetNormalImage(SkinPath("skins/combo2_nr.png"));
        combo->SetHoverImage(SkinPath("skins/combo2_ov.png"));
        combo->SetTextInsets(8);

        AddControl(0,
                   std::make_unique<CLinkButton>(h, 0, Rect{200, 100, 330, 120}, "www.example.com", DT_LEFT));

        AddControl(0, std::make_unique<CColorSelectButton>(h, 3200, Rect{340, 100, 370, 122},
                                                           Rect{342, 102, 368, 120}, ""))
            ->SetColour(0x3535DE);
        auto* swatch =
            AddControl(0, std::make_unique<CColorSelectCheckButton>(
                              h, 3210, At(380, 100, PictureSize("skins/color_select_nr.png")), ""));
        swatch->SetNormalImage(SkinPath("skins/color_select_nr.png"));
        swatch->SetCheckedImage(SkinPath("skins/color_select_check.png"));
        swatch->SetColour(0xDEA035);
        swatch->checked = 1;

        auto* track = AddControl(
            0, std::make_unique<CStaticImage>(h, 2100, At(10, 150, PictureSize("skins/Slider_bar.png")), ""));
        track->SetStripImage(SkinPath("skins/Slider_bar.png"));
        const Size thumb = PictureSize("skins/Slider_Circle.png");
        auto* slider = AddControl(
            0, std::make_unique<CSliderControl>(
                   h, 3100,
                   Rect{10, 150 - thumb.cy / 2 + PictureSize("skins/Slider_bar.png").cy / 2,
                        10 + PictureSize("skins/Slider_bar.png").cx,
                        150 - thumb.cy / 2 + PictureSize("skins/Slider_bar.png").cy / 2 + thumb.cy},
                   5, thumb.cx / 2, thumb.cx / 2, ""));
        slider->SetThumbImage(SkinPath("skins/Slider_Circle.png"));
        slider->SetStop(2);

        const Size barSize = PictureSize("skins/mouse/dpi_bar_1.png");
        auto* vertical = AddControl(
            0, std::make_unique<CVerticalSliderControl>(h, 3300, At(440, 50, barSize), 20, 0, 0, ""));
        vertical->SetEmptyImage(SkinPath("skins/mouse/dpi_bar_1.png"));
        vertical->SetFullImage(SkinPath("skins/mouse/dpi_bar_2.png"));
        vertical->SetValue(12);
        auto* level = AddControl(0, std::make_unique<CDPIValueShowControl>(
                                        h, 3310, At(460 + barSize.cx, 50, barSize), 20, 0, 0, ""));
        level->SetEmptyImage(SkinPath("skins/mouse/dpi_bar_1.png"));
        level->SetFullImage(SkinPath("skins/mouse/dpi_bar_2.png"));
        level->SetValue(5);

        auto* list = AddControl(0, std::make_unique<CEditShowList>(h, Rect{10, 200, 200, 300}, ""));
        list->SetOpenFolderImage(SkinPath("skins/foldr_open.png"));
        list->SetClosedFolderImage(SkinPath("skins/foldr_close.png"));
        list->SetLibrary(&library);
        list->selectedRow = 1;
        auto* scroll = AddControl(0, std::make_unique<CVScrollBar>(h, 2016, Rect{200, 200, 218, 300}, ""));
        scroll->SetArrowsFromResources();
        scroll->SetScrollInfo(1, 3, 6);

        auto* actions = AddControl(0, std::make_unique<CImageShowList>(h, Rect{230, 200, 420, 300}, ""));
        actions->SetPressIcon(SkinPath(std::string(kPressIconFile)));
        actions->SetReleaseIcon(SkinPath(std::string(kReleaseIconFile)));
        actions->SetDelayIcon(SkinPath(std::string(kDelayIconFile)));
        actions->SetMacro(&macro);
        actions->selectedRow = 0;

        auto* battery = AddControl(
            0, std::make_unique<CBattery>(h, At(520, 50, PictureSize("skins/battery_empty.png")), ""));
        battery->SetEmptyImage(SkinPath("skins/battery_empty.png"));
        battery->SetFullImage(SkinPath("skins/battery_full.png"));
        battery->percent = 60;

        auto* dial =
            AddControl(0, std::make_unique<CPowerManageButton>(
                              h, 0, At(440, 200, PictureSize("skins/power_manage_6min.png")), "", 0));
        for (int minutes = 3; minutes <= 10; ++minutes)
            dial->SetMinuteImage(minutes,
                                 SkinPath("skins/power_manage_" + std::to_string(minutes) + "min.png"));

        auto* mouse = AddControl(0, std::make_unique<CStaticImage>(h, 2101, Rect{10, 310, 110, 410}, ""));
        mouse->SetStripImage(SkinPath("skins/mouse/mouse_nr.png"));
        auto* text = AddControl(
            0, std::make_unique<CStaticText>(h, 2102, Rect{130, 330, 430, 350}, 0xB4B4B4, DT_LEFT, ""));
        text->SetDisplayText("CStaticText: every control of the toolkit");
    }
};

TEST(SkinRender, EveryControlWithTheRealSkins) {
    if (!std::filesystem::exists(kSkins / "button2_nr.png"))
        GTEST_SKIP() << "no skins in " << kSkins;
    std::string why;
    ASSERT_TRUE(InitWindowSystem(WindowSystemKind::Headless, &why)) << why;
    HeadlessBackend* screen = Headless();
    screen->SetScreenSize({900, 460}, 0);
    UiScale = 1.0;
    AppDirectory = std::string(VEXMO_BIN_DIR) + "/";
    ReadLanguageFile(std::filesystem::path(VEXMO_BIN_DIR) / "lang" / kEnglishLanguageFile, AppLanguage);
    ApplyLanguageFont(AppLanguage.Text(0));
    MainPageIndex = 0;
    {
        AllControlsDlg dlg;
        ASSERT_TRUE(dlg.CreateModeless());
        dlg.SetWindowPos(10, 10);
        screen->RunUntilIdle();
        // Hover the first button and open the category list beside the dialog.
        screen->MoveMouse({10 + 20, 10 + 55});
        screen->RunUntilIdle();
        CWndPopup* list =
            dlg.OpenPopup(0,
                          new CComboPopup(SkinPath("skins/menu_nr.png"), SkinPath("skins/menu_ov.png"),
                                          SkinPath("skins/menusub_nr.png"), SkinPath("skins/menusub_ov.png")),
                          {670, 20, 680, 30}, 1028, 2060);
        ASSERT_NE(list, nullptr);
        screen->MoveMouse({670 + 60, 20 + 1 + 22 * 5 + 10});
        screen->RunUntilIdle();

        const std::filesystem::path out = std::filesystem::path(VEXMO_BUILD_DIR) / "ui_all_controls.png";
        ASSERT_TRUE(screen->SaveScreenshot(out));
        const CCanvas shot = screen->Screenshot();
        // The hovered button shows its hover picture, not the dialog background.
        EXPECT_NE(shot.GetPixel(10 + 12, 10 + 52), 0x1E1E1Eu);
        // The scroll bar's arrows come from the embedded pictures.
        const auto* scroll = static_cast<const CVScrollBar*>(dlg.FindControl(2016));
        ASSERT_NE(scroll, nullptr);
#ifdef VEXMO_HAVE_RESOURCES
        EXPECT_TRUE(HasPicture(scroll->upImage));
        EXPECT_EQ(scroll->arrowHeight, 20);
        // The main window's background resource prepares at its full size.
        EXPECT_TRUE(dlg.LoadBackgroundResource(364));
        EXPECT_EQ(dlg.backgroundSize, (Size{1127, 740}));
        EXPECT_EQ(dlg.backgroundTrim, 0);
        EXPECT_NE(dlg.averageColour, 0xEFE2BAu);
#endif
    }
    ShutdownWindowSystem();
    AppLanguage.Clear();
}

} // namespace
} // namespace vexmo
