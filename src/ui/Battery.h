#pragma once
// CBattery (id 3406): the battery gauge. Normal mode fills the empty picture from the bottom
// with the full one by `percent` (at least one design pixel shows); charging fills with the
// charge picture by `chargePercent` and lays the overlay on top; full shows the full picture
// and the overlay. Pure display: disabled from the start.
#include <cstdint>

#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

namespace vexmo {

inline constexpr uint32_t kBatteryId = 3406;

enum BatteryMode : int { BatteryNormal = 0, BatteryCharging = 1, BatteryFull = 2 };

class CBattery : public CControlBase {
public:
    CBattery(HWND parent, const Rect& rect, const std::string& caption, bool visible = true,
             bool shown = true, bool disabled = true, int unused = 0);

    void Draw(CCanvas& dc, Rect clip) override;
    void ReleaseImages() override;

    bool SetFullImage(std::string_view path) {
        return LoadImageFile(path, fullImage, imageWidth, imageHeight);
    }
    bool SetEmptyImage(std::string_view path) {
        return LoadImageFile(path, emptyImage, imageWidth, imageHeight);
    }
    bool SetChargeFillImage(std::string_view path) {
        return LoadImageFile(path, chargeFillImage, imageWidth, imageHeight);
    }
    bool SetOverlayImage(std::string_view path) {
        return LoadImageFile(path, overlayImage, imageWidth, imageHeight);
    }
    // Top edge (client y) of the fill for `level` percent.
    int FillTop(int level) const;

    SkinImage fullImage;
    SkinImage emptyImage;
    SkinImage chargeFillImage;
    SkinImage overlayImage;
    int imageWidth = 0;
    int imageHeight = 0;
    int state = StateNormal;
    int batteryMode = BatteryNormal;
    uint8_t percent = 100;
    int fillTop = 7;
    int fillHeight = 50;
    int chargePercent = 25;

private:
    void DrawFill(CCanvas& dc, const SkinImage& fill, int level);
    void DrawWhole(CCanvas& dc, const SkinImage& image);
};

} // namespace vexmo
