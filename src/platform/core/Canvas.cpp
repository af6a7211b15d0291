#include "platform/core/Canvas.h"

#include <cmath>
#include <cstdlib>

#include "platform/core/TextLayout.h"

namespace vexmo {

namespace {
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// Premultiplied source over an opaque destination.
uint32_t Over(uint32_t src, uint32_t dst) {
    const uint32_t a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    const uint32_t inv = 255 - a;
    auto ch = [&](int shift) {
        const uint32_t s = (src >> shift) & 0xFF;
        const uint32_t d = (dst >> shift) & 0xFF;
        return std::min<uint32_t>(255, s + (d * inv + 127) / 255);
    };
    return kOpaqueBlack | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

uint32_t ScaleAlpha(uint32_t p, uint32_t alpha) {
    if (alpha == 255) return p;
    auto ch = [&](int shift) { return ((((p >> shift) & 0xFF) * alpha + 127) / 255) << shift; };
    return ch(24) | ch(16) | ch(8) | ch(0);
}

// Destination pixels whose centres lie in [start, start + length).
void CoveredSpan(float start, float length, int& first, int& end) {
    first = static_cast<int>(std::ceil(start - 0.5f));
    end = static_cast<int>(std::ceil(start + length - 0.5f));
}
} // namespace

CCanvas::CCanvas(int width, int height) { Create(width, height); }

bool CCanvas::Create(int width, int height) {
    pixels_.clear();
    width_ = height_ = 0;
    font_ = nullptr;
    textColour_ = RGB(0, 0, 0);
    bkColour_ = RGB(255, 255, 255);
    bkMode_ = OPAQUE;
    if (!DimensionsAllowed(width, height)) {
        clip_ = {};
        return width == 0 || height == 0 ? (width >= 0 && height >= 0) : false;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), kOpaqueBlack);
    clip_ = Bounds();
    return true;
}

CCanvas CCanvas::FromImage(const Image& image, COLORREF background) {
    CCanvas canvas;
    if (image.IsEmpty() || !canvas.Create(image.Width(), image.Height())) return canvas;
    const Image flat = image.Flattened(background);
    canvas.pixels_ = flat.Pixels();
    return canvas;
}

Image CCanvas::ToImage() const {
    Image image(width_, height_);
    if (image.IsEmpty()) return image;
    for (size_t i = 0; i < pixels_.size(); ++i) image.Pixels()[i] = pixels_[i] | kOpaqueBlack;
    return image;
}

void CCanvas::SetClipRect(const Rect& clip) { clip_ = clip.Intersect(Bounds()); }

COLORREF CCanvas::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return FromPixel(Row(y)[x]);
}

void CCanvas::SetPixel(int x, int y, COLORREF colour) {
    if (!clip_.Contains({x, y})) return;
    Row(y)[x] = ToPixel(colour);
}

void CCanvas::FillSolidRect(const Rect& rect, COLORREF colour) {
    const Rect r = rect.Intersect(clip_);
    const uint32_t p = ToPixel(colour);
    for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, p);
}

void CCanvas::FrameRect(const Rect& rect, COLORREF colour) {
    if (rect.IsEmpty()) return;
    FillSolidRect({rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillSolidRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillSolidRect({rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillSolidRect({rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void CCanvas::DrawLine(Point from, Point to, COLORREF colour) {
    // Bresenham; the end point itself is not drawn.
    int x = from.x, y = from.y;
    const int dx = std::abs(to.x - x), dy = -std::abs(to.y - y);
    const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
    int err = dx + dy;
    while (x != to.x || y != to.y) {
        SetPixel(x, y, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void CCanvas::BitBlt(int x, int y, int width, int height, const CCanvas& source, int sourceX, int sourceY) {
    // Clip against the source as well as the destination.
    Rect dst = Rect{x, y, x + width, y + height}.Intersect(clip_);
    const Rect srcInDst = source.Bounds().Offset(x - sourceX, y - sourceY);
    dst = dst.Intersect(srcInDst);
    if (dst.IsEmpty()) return;
    const bool overlapping = &source == this;
    for (int row = 0; row < dst.Height(); ++row) {
        const int dy = overlapping && y > sourceY ? dst.bottom - 1 - row : dst.top + row;
        const uint32_t* s = source.Row(dy - y + sourceY) + (dst.left - x + sourceX);
        std::copy_n(s, dst.Width(), Row(dy) + dst.left); // memmove semantics within a row
    }
}

void CCanvas::StretchBlt(const Rect& destination, const CCanvas& source, const Rect& sourceRect) {
    if (destination.IsEmpty() || sourceRect.IsEmpty() || source.IsEmpty()) return;
    const Rect r = destination.Intersect(clip_);
    for (int y = r.top; y < r.bottom; ++y) {
        const int64_t sy = sourceRect.top + (int64_t{y - destination.top} * sourceRect.Height()) / destination.Height();
        if (sy < 0 || sy >= source.height_) continue;
        for (int x = r.left; x < r.right; ++x) {
            const int64_t sx = sourceRect.left + (int64_t{x - destination.left} * sourceRect.Width()) / destination.Width();
            if (sx < 0 || sx >= source.width_) continue;
            Row(y)[x] = source.Row(static_cast<int>(sy))[sx];
        }
    }
}

void CCanvas::DrawImage(const Image& image, const RectF& destination, const RectF& source) {
    DrawImageAlpha(image, destination, source, 255);
}

void CCanvas::DrawImage(const Image& image, int x, int y) {
    const auto w = static_cast<float>(image.Width()), h = static_cast<float>(image.Height());
    DrawImage(image, {static_cast<float>(x), static_cast<float>(y), w, h}, {0, 0, w, h});
}

void CCanvas::DrawImageAlpha(const Image& image, const RectF& dst, const RectF& src, uint8_t alpha) {
    if (image.IsEmpty() || alpha == 0) return;
    if (!(dst.width > 0) || !(dst.height > 0) || !(src.width > 0) || !(src.height > 0)) return;
    constexpr float kLimit = 1e7f; // keeps float-to-int conversions defined
    if (std::fabs(dst.x) > kLimit || std::fabs(dst.y) > kLimit || dst.width > kLimit || dst.height > kLimit) return;
    int x0, x1, y0, y1;
    CoveredSpan(dst.x, dst.width, x0, x1);
    CoveredSpan(dst.y, dst.height, y0, y1);
    const Rect r = Rect{x0, y0, x1, y1}.Intersect(clip_);
    const double scaleX = static_cast<double>(src.width) / dst.width;
    const double scaleY = static_cast<double>(src.height) / dst.height;
    const double srcRight = std::min<double>(image.Width(), static_cast<double>(src.x) + src.width);
    const double srcBottom = std::min<double>(image.Height(), static_cast<double>(src.y) + src.height);
    // The source column of every destination column, worked out once (-1: transparent).
    std::vector<int> columns(static_cast<size_t>(std::max(r.Width(), 0)));
    for (int x = r.left; x < r.right; ++x) {
        const double sxf = src.x + (x + 0.5 - dst.x) * scaleX;
        columns[static_cast<size_t>(x - r.left)] = sxf < 0 || sxf >= srcRight ? -1 : static_cast<int>(sxf);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        const double syf = src.y + (y + 0.5 - dst.y) * scaleY;
        if (syf < 0 || syf >= srcBottom) continue;
        const uint32_t* srow = image.Row(static_cast<int>(syf));
        uint32_t* drow = Row(y) + r.left;
        for (size_t i = 0; i < columns.size(); ++i) {
            const int sx = columns[i];
            if (sx < 0) continue;
            const uint32_t p = srow[sx];
            if (alpha == 255 && (p >> 24) == 255) drow[i] = p;
            else drow[i] = Over(ScaleAlpha(p, alpha), drow[i]);
        }
    }
}

const CFont* CCanvas::SelectFont(const CFont* font) {
    const CFont* old = font_;
    font_ = font;
    return old;
}

COLORREF CCanvas::SetTextColor(COLORREF colour) {
    const COLORREF old = textColour_;
    textColour_ = colour;
    return old;
}

COLORREF CCanvas::SetBkColor(COLORREF colour) {
    const COLORREF old = bkColour_;
    bkColour_ = colour;
    return old;
}

int CCanvas::SetBkMode(int mode) {
    const int old = bkMode_;
    bkMode_ = mode;
    return old;
}

void CCanvas::BlendCoverage(int x, int y, uint8_t coverage, uint32_t rgb) {
    uint32_t& d = Row(y)[x];
    if (coverage == 255) {
        d = rgb;
        return;
    }
    auto ch = [&](int shift) {
        const int s = static_cast<int>((rgb >> shift) & 0xFF);
        const int o = static_cast<int>((d >> shift) & 0xFF);
        return static_cast<uint32_t>(o + ((s - o) * coverage + (s > o ? 127 : -127)) / 255);
    };
    d = kOpaqueBlack | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

static void PaintRun(CCanvas& canvas, const GlyphSource& glyphs, std::u32string_view text, int x, int baseline,
                     const Rect& clip, uint32_t rgb, void (*blend)(CCanvas&, int, int, uint8_t, uint32_t)) {
    int pen = x;
    for (char32_t c : text) {
        const GlyphBitmap& g = glyphs.Glyph(c);
        const int left = pen + g.left;
        const int top = baseline - g.top;
        const Rect box = Rect{left, top, left + g.width, top + g.height}.Intersect(clip);
        for (int y = box.top; y < box.bottom; ++y) {
            const uint8_t* cov = g.coverage.data() + static_cast<size_t>(y - top) * static_cast<size_t>(g.width);
            for (int px = box.left; px < box.right; ++px) {
                const uint8_t v = cov[px - left];
                if (v) blend(canvas, px, y, v, rgb);
            }
        }
        pen += g.advance;
    }
}

class TextPainter {
public:
    static void Blend(CCanvas& c, int x, int y, uint8_t v, uint32_t rgb) { c.BlendCoverage(x, y, v, rgb); }
};

void CCanvas::TextOut(int x, int y, std::string_view text) {
    const GlyphSource* glyphs = font_ ? font_->Glyphs() : nullptr;
    if (!glyphs || IsEmpty()) return;
    const std::u32string runes = DecodeUtf8(text);
    const int width = MeasureText(*glyphs, runes);
    if (bkMode_ == OPAQUE) FillSolidRect({x, y, x + width, y + glyphs->Height()}, bkColour_);
    PaintRun(*this, *glyphs, runes, x, y + glyphs->Ascent(), clip_, ToPixel(textColour_), &TextPainter::Blend);
}

Size CCanvas::GetTextExtent(std::string_view text) const {
    const GlyphSource* glyphs = font_ ? font_->Glyphs() : nullptr;
    if (!glyphs) return {};
    return {MeasureText(*glyphs, DecodeUtf8(text)), glyphs->Height()};
}

int CCanvas::DrawText(std::string_view text, Rect& rect, uint32_t format) {
    const GlyphSource* glyphs = font_ ? font_->Glyphs() : nullptr;
    if (!glyphs) {
        if (format & DT_CALCRECT) rect = {rect.left, rect.top, rect.left, rect.top};
        return 0;
    }
    const std::vector<TextLine> lines = LayoutText(*glyphs, DecodeUtf8(text), rect.Width(), format);
    const int lineHeight = glyphs->Height();
    const int total = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& l : lines) widest = std::max(widest, l.width);
        rect.right = rect.left + widest;
        rect.bottom = rect.top + total;
        return total;
    }
    if (IsEmpty()) return total;
    int y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = rect.top + (rect.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM) y = rect.bottom - lineHeight;
    }
    const Rect clip = (format & DT_NOCLIP) ? clip_ : rect.Intersect(clip_);
    const uint32_t rgb = ToPixel(textColour_);
    for (size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
        // Like a multi-line edit box, a line that would be cut at the bottom is not shown.
        if ((format & DT_EDITCONTROL) && i > 0 && y + lineHeight > rect.bottom) break;
        const TextLine& line = lines[i];
        int x = rect.left;
        if (format & DT_CENTER) x = rect.left + (rect.Width() - line.width) / 2;
        else if (format & DT_RIGHT) x = rect.right - line.width;
        if (bkMode_ == OPAQUE) {
            const Rect box = Rect{x, y, x + line.width, y + lineHeight}.Intersect(clip);
            const uint32_t bk = ToPixel(bkColour_);
            for (int yy = box.top; yy < box.bottom; ++yy) std::fill(Row(yy) + box.left, Row(yy) + box.right, bk);
        }
        PaintRun(*this, *glyphs, line.text, x, y + glyphs->Ascent(), clip, rgb, &TextPainter::Blend);
    }
    return total;
}

} // namespace vexmo
