#pragma once
// The device context: a 32-bit pixel buffer (0xAARRGGBB, opaque in practice) with a clip
// rectangle, pixel operations, image drawing and text. Shared by every backend; the window
// system paints through it and presents the result once per paint.
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/core/Font.h"
#include "platform/core/Image.h"
#include "platform/core/Messages.h"
#include "platform/core/Types.h"

namespace vexmo {

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
};

class CCanvas {
public:
    CCanvas() = default;
    // Filled with black; an empty canvas when the size is zero or beyond the image limits.
    CCanvas(int width, int height);
    // A canvas holding the picture composed over `background` (how a plain bitmap sees it).
    static CCanvas FromImage(const Image& image, COLORREF background = RGB(0, 0, 0));

    // Resizes (contents black) and resets the clip and the text state; false when the size
    // was refused (the canvas is then empty).
    bool Create(int width, int height);
    bool IsEmpty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    // An opaque copy of the pixels as an image (for screenshots and PNG writing).
    Image ToImage() const;

    // Every drawing operation is limited to the clip, which always lies inside the bounds.
    void SetClipRect(const Rect& clip);
    void ResetClip() { clip_ = Bounds(); }
    Rect GetClipRect() const { return clip_; }

    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF colour);
    void FillSolidRect(const Rect& rect, COLORREF colour);
    void FrameRect(const Rect& rect, COLORREF colour);
    // A line from `from` up to but not including `to`, like MoveTo/LineTo.
    void DrawLine(Point from, Point to, COLORREF colour);

    // Plain copy of a source block (SRCCOPY).
    void BitBlt(int x, int y, int width, int height, const CCanvas& source, int sourceX, int sourceY);
    // Stretched copy, each destination pixel takes the nearest source pixel.
    void StretchBlt(const Rect& destination, const CCanvas& source, const Rect& sourceRect);
    // Draws a source rectangle of an image into a destination rectangle: nearest-neighbour
    // sampling at pixel centres, alpha composed over the canvas. Source pixels outside the
    // image are transparent. Nothing happens for an empty image or an empty rectangle.
    void DrawImage(const Image& image, const RectF& destination, const RectF& source);
    void DrawImage(const Image& image, int x, int y);
    // Scales every pixel's alpha by `alpha` (0-255) while drawing.
    void DrawImageAlpha(const Image& image, const RectF& destination, const RectF& source, uint8_t alpha);

    // Text state, as a device context keeps it; each setter returns the previous value.
    const CFont* SelectFont(const CFont* font);
    const CFont* GetFont() const { return font_; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return textColour_; }
    COLORREF SetBkColor(COLORREF colour);
    int SetBkMode(int mode);
    int GetBkMode() const { return bkMode_; }

    // Draws one line with its top-left corner at (x, y); an opaque background fills the
    // text's cell first.
    void TextOut(int x, int y, std::string_view text);
    // Lays out and draws text in `rect` with DT_ flags; returns the height of the text.
    // With DT_CALCRECT nothing is drawn and rect's right and bottom are set to the extent.
    int DrawText(std::string_view text, Rect& rect, uint32_t format);
    Size GetTextExtent(std::string_view text) const;

private:
    void BlendCoverage(int x, int y, uint8_t coverage, uint32_t rgb);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    Rect clip_;
    const CFont* font_ = nullptr;
    COLORREF textColour_ = RGB(0, 0, 0);
    COLORREF bkColour_ = RGB(255, 255, 255);
    int bkMode_ = OPAQUE;

    friend class TextPainter;
};

// 0x00BBGGRR <-> 0xAARRGGBB (opaque).
constexpr uint32_t ToPixel(COLORREF c) {
    return 0xFF000000u | (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}
constexpr COLORREF FromPixel(uint32_t p) {
    return RGB(static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p));
}

} // namespace vexmo
