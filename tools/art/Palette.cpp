#include "Palette.h"

#include <cmath>

namespace vexmo::art {
namespace {

constexpr int kSwatchColumns = 12;
constexpr int kSwatchRows = 6;

struct Tone {
    double saturation;
    double value;
};
// Rows 0 to 4; row 5 is the grey ramp.
constexpr Tone kSwatchTones[kSwatchRows - 1] = {{1.0, 1.0}, {0.55, 1.0}, {0.25, 1.0}, {1.0, 0.7}, {1.0, 0.4}};

uint8_t Channel(double v) {
    const long c = std::lround(v * 255.0);
    return static_cast<uint8_t>(c < 0 ? 0 : (c > 255 ? 255 : c));
}

Rgb FromHsv(double hueDegrees, double s, double v) {
    const double h = std::fmod(hueDegrees, 360.0) / 60.0;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (sector) {
    case 0:
        r = v, g = t, b = p;
        break;
    case 1:
        r = q, g = v, b = p;
        break;
    case 2:
        r = p, g = v, b = t;
        break;
    case 3:
        r = p, g = q, b = v;
        break;
    case 4:
        r = t, g = p, b = v;
        break;
    default:
        r = v, g = p, b = q;
        break;
    }
    return {Channel(r), Channel(g), Channel(b)};
}

// Never hand out the frame colour from inside a field.
Rgb AvoidFrame(Rgb c) {
    if (c == kFrameColour) {
        c.r = static_cast<uint8_t>(c.r + 1);
    }
    return c;
}

int Span(const FieldRect& f, bool across) {
    return across ? f.right - f.left : f.bottom - f.top;
}

} // namespace

Rgb HueFieldColour(int x, int y) {
    const double hue = 360.0 * (x - kHueField.left) / Span(kHueField, true);
    const double saturation = 1.0 - static_cast<double>(y - kHueField.top) / Span(kHueField, false);
    return AvoidFrame(FromHsv(hue, saturation, 1.0));
}

Rgb SwatchFieldColour(int x, int y) {
    const int width = Span(kSwatchField, true) + 1;
    const int height = Span(kSwatchField, false) + 1;
    const int column = (x - kSwatchField.left) * kSwatchColumns / width;
    const int row = (y - kSwatchField.top) * kSwatchRows / height;
    if (row == kSwatchRows - 1) {
        const uint8_t grey = static_cast<uint8_t>(255 * (kSwatchColumns - 1 - column) / (kSwatchColumns - 1));
        return AvoidFrame({grey, grey, grey});
    }
    const Tone tone = kSwatchTones[row];
    return AvoidFrame(FromHsv(column * 360.0 / kSwatchColumns, tone.saturation, tone.value));
}

void PaintPaletteFields(Image& image) {
    for (int y = kHueField.top; y <= kHueField.bottom; ++y) {
        for (int x = kHueField.left; x <= kHueField.right; ++x) {
            image.Set(x, y, HueFieldColour(x, y));
        }
    }
    for (int y = kSwatchField.top; y <= kSwatchField.bottom; ++y) {
        for (int x = kSwatchField.left; x <= kSwatchField.right; ++x) {
            image.Set(x, y, SwatchFieldColour(x, y));
        }
    }
}

} // namespace vexmo::art
