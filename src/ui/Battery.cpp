#include "ui/Battery.h"

#include <algorithm>

#include "settings/Globals.h"

namespace vexmo {

CBattery::CBattery(HWND parent, const Rect& rect, const std::string& caption, bool visible, bool shown,
                   bool /*disabled*/, int /*unused*/)
    : CControlBase(parent, kBatteryId, rect, caption, visible, shown, true, true) {}

int CBattery::FillTop(int level) const {
    const int filled = std::max(level * fillHeight / 100, 1);
    int y = static_cast<int>((fillTop + fillHeight - filled) * UiScale + rect.top);
    if (UiScale > 1 && (rect.bottom - y) % 2 != 0)
        --y;
    return y;
}

void CBattery::DrawWhole(CCanvas& dc, const SkinImage& image) {
    DrawPicture(dc, image, rect,
                RectF{0, 0, static_cast<float>(imageWidth), static_cast<float>(imageHeight)});
}

void CBattery::DrawFill(CCanvas& dc, const SkinImage& fill, int level) {
    const int y = FillTop(level);
    const int sourceTop = static_cast<int>(imageHeight - (rect.bottom - y) / UiScale);
    const int sourceHeight = imageHeight - sourceTop;
    if (sourceHeight <= 0)
        return;
    DrawPicture(
        dc, fill,
        RectF{static_cast<float>(rect.left), static_cast<float>(y), ScaleF(imageWidth), ScaleF(sourceHeight)},
        RectF{0, static_cast<float>(sourceTop), static_cast<float>(imageWidth),
              static_cast<float>(sourceHeight)});
}

void CBattery::Draw(CCanvas& dc, Rect) {
    switch (batteryMode) {
    case BatteryCharging:
        DrawWhole(dc, emptyImage);
        DrawFill(dc, chargeFillImage, chargePercent);
        DrawWhole(dc, overlayImage);
        return;
    case BatteryFull:
        DrawWhole(dc, fullImage);
        DrawWhole(dc, overlayImage);
        return;
    default:
        DrawWhole(dc, emptyImage);
        DrawFill(dc, fullImage, percent);
        return;
    }
}

void CBattery::ReleaseImages() {
    fullImage.reset();
    emptyImage.reset();
    chargeFillImage.reset();
    overlayImage.reset();
}

} // namespace vexmo
