#include "ui/ComboRowPictures.h"

namespace vexmo {

namespace {
constexpr RectF kRowSource{0, 0, 190, 22};
} // namespace

void ComboRowPictures::Load(std::string_view normalPath, std::string_view hotPath,
                            std::string_view submenuPath, std::string_view hotSubmenuPath) {
    int width = 0, height = 0;
    LoadImageFile(normalPath, normal, width, height);
    LoadImageFile(hotPath, hot, width, height);
    LoadImageFile(submenuPath, submenu, width, height);
    LoadImageFile(hotSubmenuPath, hotSubmenu, width, height);
}

void ComboRowPictures::Draw(CCanvas& dc, const PopupItem& item, bool isHot) const {
    const SkinImage& picture =
        isHot ? (item.hasSubmenu ? hotSubmenu : hot) : (item.hasSubmenu ? submenu : normal);
    DrawPicture(dc, picture, item.rect, kRowSource);
}

} // namespace vexmo
