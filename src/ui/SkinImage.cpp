#include "ui/SkinImage.h"

#include <algorithm>

#include "platform/core/Resources.h"
#include "settings/Globals.h"

namespace vexmo {

namespace {
// Paths are written the way the program always named them; the file system wants '/'.
std::filesystem::path FilePath(std::string_view path) {
    std::string p(path);
    std::replace(p.begin(), p.end(), '\\', '/');
    return std::filesystem::path(p);
}
} // namespace

std::string SkinPath(std::string_view relative) {
    return AppDirectory + std::string(relative);
}

bool LoadImageFile(std::string_view path, SkinImage& image, int& frameWidth, int& frameHeight) {
    image = std::make_unique<Image>(vexmo::LoadImageFile(FilePath(path)));
    if (image->IsEmpty())
        return false;
    frameWidth = image->Width();
    frameHeight = image->Height();
    return true;
}

bool LoadStripFile(std::string_view path, SkinImage& image, int frames, int& frameWidth, int& frameHeight) {
    if (!LoadImageFile(path, image, frameWidth, frameHeight))
        return false;
    frameWidth = image->Width() / std::max(frames, 1);
    return true;
}

bool LoadPngResource(uint32_t id, SkinImage& image) {
    const std::span<const uint8_t> bytes = FindResource(id, ResourceType::Png);
    if (bytes.empty())
        return false;
    Image decoded = DecodePng(bytes);
    if (decoded.IsEmpty())
        return false;
    image = std::make_unique<Image>(std::move(decoded));
    return true;
}

bool LoadBitmapFile(std::string_view path, CCanvas& bitmap, Size& size) {
    const Image picture = vexmo::LoadImageFile(FilePath(path));
    if (picture.IsEmpty())
        return false;
    bitmap = CCanvas::FromImage(picture, RGB(0, 0, 0));
    if (bitmap.IsEmpty())
        return false;
    size = {picture.Width(), picture.Height()};
    return true;
}

bool AverageColour(const CCanvas& bitmap, Size size, COLORREF& colour) {
    const int width = std::min(size.cx, bitmap.Width());
    const int height = std::min(size.cy, bitmap.Height());
    if (width <= 0 || height <= 0)
        return false;
    uint64_t red = 0, green = 0, blue = 0;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < width; ++x) {
            red += (row[x] >> 16) & 0xFF;
            green += (row[x] >> 8) & 0xFF;
            blue += row[x] & 0xFF;
        }
    }
    const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    colour = RGB(static_cast<uint8_t>(red / count), static_cast<uint8_t>(green / count),
                 static_cast<uint8_t>(blue / count));
    return true;
}

void DrawPicture(CCanvas& dc, const SkinImage& image, const RectF& destination, const RectF& source) {
    if (!HasPicture(image))
        return;
    dc.DrawImage(*image, destination, source);
}

void DrawPicture(CCanvas& dc, const SkinImage& image, const Rect& destination, const RectF& source) {
    DrawPicture(dc, image,
                RectF{static_cast<float>(destination.left), static_cast<float>(destination.top),
                      static_cast<float>(destination.Width()), static_cast<float>(destination.Height())},
                source);
}

void DrawStripFrame(CCanvas& dc, const SkinImage& strip, int frame, int frameWidth, int frameHeight,
                    const Rect& destination) {
    const RectF source{static_cast<float>(frame * frameWidth), 0, static_cast<float>(frameWidth),
                       static_cast<float>(frameHeight)};
    DrawPicture(dc, strip, destination, source);
}

void DrawCaption(CCanvas& dc, const CFont& font, std::string_view text, Rect rect, uint32_t flags,
                 COLORREF colour) {
    const CFont* oldFont = dc.SelectFont(&font);
    const COLORREF oldColour = dc.SetTextColor(colour);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, rect, flags);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColour);
    dc.SelectFont(oldFont);
}

float ScaleF(double designPixels) {
    return static_cast<float>(designPixels * UiScale);
}
int ScaleI(double designPixels) {
    return static_cast<int>(designPixels * UiScale);
}

} // namespace vexmo
