#pragma once
// The two pickable colour fields of the colour dialog's background (bitmap resource 287).
// The dialog takes the colour of the pixel under a click inside either field, and ignores the
// frame colour 0x0F0F0F: so every field pixel is a real colour and never the frame colour.
#include "Image.h"

namespace vexmo::art {

struct FieldRect {
    int left, top, right, bottom; // painted inclusive of right and bottom
};

inline constexpr FieldRect kHueField{18, 26, 222, 270};
inline constexpr FieldRect kSwatchField{244, 26, 473, 190};
inline constexpr Rgb kFrameColour{0x0F, 0x0F, 0x0F};

// Hue across, saturation down (full colour at the top, white at the bottom).
Rgb HueFieldColour(int x, int y);
// Twelve hue columns in five tints and shades, and a row of greys from white to black.
Rgb SwatchFieldColour(int x, int y);
// Paints both fields over `image` (500 x 291).
void PaintPaletteFields(Image& image);

} // namespace vexmo::art
