#include "ui/PolygonRegion.h"

namespace vexmo {

bool PolygonRegion::Contains(Point pixel) const {
    const double px = pixel.x + 0.5;
    const double py = pixel.y + 0.5;
    bool inside = false;
    const size_t n = points_.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = points_[i];
        const Point& b = points_[j];
        if ((a.y > py) == (b.y > py))
            continue;
        const double crossX =
            a.x + (py - a.y) * static_cast<double>(b.x - a.x) / static_cast<double>(b.y - a.y);
        if (px < crossX)
            inside = !inside;
    }
    return inside;
}

} // namespace vexmo
