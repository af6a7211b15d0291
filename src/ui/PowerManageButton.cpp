#include "ui/PowerManageButton.h"

#include "settings/Globals.h"

namespace vexmo {

namespace {
constexpr Point kDialCentre{70, 71};
constexpr int kFirstFanTriangle = 2;
// Outer edge of triangles 2 to 9, in design pixels from the dial's top-left corner.
constexpr std::array<std::array<Point, 2>, 8> kFanEdges{{
    {{{3, 71}, {7, 51}}},
    {{{7, 51}, {17, 32}}},
    {{{17, 32}, {40, 13}}},
    {{{40, 13}, {70, 5}}},
    {{{70, 5}, {100, 14}}},
    {{{100, 14}, {121, 31}}},
    {{{121, 31}, {131, 51}}},
    {{{131, 51}, {134, 71}}},
}};

Point DialPoint(Point design, const Rect& rect) {
    return {static_cast<int>(design.x * UiScale + rect.left),
            static_cast<int>(design.y * UiScale + rect.top)};
}

CRgn Triangle(Point a, Point b, Point c) {
    const Point corners[] = {a, b, c};
    CRgn region;
    region.CreatePolygonRgn(corners, 3);
    return region;
}
} // namespace

CPowerManageButton::CPowerManageButton(HWND parent, uint32_t /*unusedId*/, const Rect& rect,
                                       const std::string& caption, int stored, bool visible, bool shown,
                                       bool disabled)
    : CControlBase(parent, kPowerManageButtonId, rect, caption, visible, shown, disabled, true),
      storedValue(stored) {
    const Point corner{rect.left, rect.top};
    const Point centre = DialPoint(kDialCentre, rect);
    // Triangles 0 and 1 have no area: selections 1 and 2 cannot be clicked.
    for (int i = 0; i < kFirstFanTriangle; ++i)
        regions[i] = Triangle(corner, {corner.x + 1, corner.y + 1}, centre);
    for (size_t i = 0; i < kFanEdges.size(); ++i)
        regions[i + kFirstFanTriangle] =
            Triangle(DialPoint(kFanEdges[i][0], rect), DialPoint(kFanEdges[i][1], rect), centre);
}

bool CPowerManageButton::OnLButtonUp(WPARAM, int x, int y) {
    if (disabled)
        return false;
    if (!Contains(x, y))
        return ChangeState(state, StateNormal);
    for (int i = kFirstFanTriangle; i < kPowerManageSelections; ++i) {
        if (!regions[i].PtInRegion(x, y))
            continue;
        selection = i + 1;
        const bool changed = ChangeState(state, StateHover);
        Notify(0, CN_CLICKED);
        return changed;
    }
    return false;
}

void CPowerManageButton::Draw(CCanvas& dc, Rect) {
    if (selection < 1 || selection > kPowerManageSelections)
        return;
    const SkinImage& picture = minuteImage[selection - 1];
    if (!HasPicture(picture))
        return;
    DrawPicture(dc, picture, rect,
                RectF{0, 0, static_cast<float>(picture->Width()), static_cast<float>(picture->Height())});
}

bool CPowerManageButton::SetMinuteImage(int minutes, std::string_view path) {
    if (minutes < 3 || minutes > kPowerManageSelections)
        return false;
    return LoadImageFile(path, minuteImage[minutes - 1], frameWidth, frameHeight);
}

void CPowerManageButton::ReleaseImages() {
    stripImage.reset();
    for (SkinImage& image : minuteImage)
        image.reset();
}

} // namespace vexmo
