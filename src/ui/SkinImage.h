#pragma once
// The picture functions every control and dialog uses: loading skin files and embedded
// pictures, plain bitmaps for dialog backgrounds, and the drawing rules shared by the controls
// (nearest-neighbour stretch over the control rectangle, captions on one line with ellipsis).
//
// A control keeps each picture as a SkinImage: null when it was never set, an empty Image when
// loading failed (it then draws nothing), else the decoded picture.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Canvas.h"
#include "platform/core/Image.h"

namespace vexmo {

using SkinImage = std::unique_ptr<Image>;

// Flags every caption is drawn with, on top of the control's own alignment.
inline constexpr uint32_t kCaptionFlags = DT_WORD_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

// Standard caption colours.
inline constexpr COLORREF kCaptionNormal = 0xB4B4B4;
inline constexpr COLORREF kCaptionHover = 0xFFFFFF;
inline constexpr COLORREF kCaptionSelected = 0x00FFFF;

// AppDirectory + relative ("skins\\exit_nr.png" or "skins/exit_nr.png").
std::string SkinPath(std::string_view relative);

// Loads a picture file into `image` (which always holds an image object afterwards, empty when
// loading failed). On success stores its size in frameWidth/frameHeight and returns true;
// on failure the sizes stay as they were.
bool LoadImageFile(std::string_view path, SkinImage& image, int& frameWidth, int& frameHeight);
// A strip of `frames` equal frames side by side: like LoadImageFile, with frameWidth the width
// of one frame.
bool LoadStripFile(std::string_view path, SkinImage& image, int frames, int& frameWidth, int& frameHeight);
// The embedded PNG `id`; false, and `image` untouched, when there is no such resource or it
// does not decode.
bool LoadPngResource(uint32_t id, SkinImage& image);
// A picture file as an opaque bitmap (composed on black) for backgrounds and frames; writes its
// size. False, with `bitmap` and `size` untouched, when it cannot be read.
bool LoadBitmapFile(std::string_view path, CCanvas& bitmap, Size& size);
// Average colour of the `size` area of `bitmap` (integer mean of each channel); false, colour
// untouched, when the bitmap holds no such pixels.
bool AverageColour(const CCanvas& bitmap, Size size, COLORREF& colour);

// True when the picture was set and decoded.
inline bool HasPicture(const SkinImage& image) {
    return image && !image->IsEmpty();
}

// Draws `source` of the picture stretched over `destination`; nothing when it has no picture.
void DrawPicture(CCanvas& dc, const SkinImage& image, const Rect& destination, const RectF& source);
void DrawPicture(CCanvas& dc, const SkinImage& image, const RectF& destination, const RectF& source);
// Frame `frame` of a strip of frames `frameWidth` x `frameHeight`, stretched over `destination`.
void DrawStripFrame(CCanvas& dc, const SkinImage& strip, int frame, int frameWidth, int frameHeight,
                    const Rect& destination);
// Caption in `rect` with `font`, transparent, `colour`; the previous font and colour come back.
void DrawCaption(CCanvas& dc, const CFont& font, std::string_view text, Rect rect, uint32_t flags,
                 COLORREF colour);

// Design pixels times UiScale as a float, and truncated.
float ScaleF(double designPixels);
int ScaleI(double designPixels);

} // namespace vexmo
