#pragma once
// The four row pictures of the pictured combo lists (normal, hot, and both with a submenu
// mark), stretched from their 190 x 22 design area over each row.
#include <string_view>

#include "ui/PopupItem.h"
#include "ui/SkinImage.h"

namespace vexmo {

struct ComboRowPictures {
    SkinImage normal;
    SkinImage hot;
    SkinImage submenu;
    SkinImage hotSubmenu;

    void Load(std::string_view normalPath, std::string_view hotPath, std::string_view submenuPath,
              std::string_view hotSubmenuPath);
    // The picture for the row's look; a missing one draws nothing.
    void Draw(CCanvas& dc, const PopupItem& item, bool isHot) const;
};

} // namespace vexmo
