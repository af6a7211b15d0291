#include "platform/core/Region.h"

#include <algorithm>

namespace vexmo {

bool CRgn::CreatePolygonRgn(const Point* points, int count, int fillMode) {
    points_.clear();
    if (!points || count < 3) return false;
    points_.assign(points, points + count);
    fillMode_ = fillMode == WINDING ? WINDING : ALTERNATE;
    return true;
}

bool CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    const Point corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    return CreatePolygonRgn(corners, 4);
}

bool CRgn::PtInRegion(int x, int y) const {
    if (IsEmpty()) return false;
    // Doubled coordinates keep the pixel centre (x + 0.5, y + 0.5) in integers.
    const long long px = 2LL * x + 1, py = 2LL * y + 1;
    int crossings = 0, winding = 0;
    for (size_t i = 0, j = points_.size() - 1; i < points_.size(); j = i++) {
        const long long x1 = 2LL * points_[j].x, y1 = 2LL * points_[j].y;
        const long long x2 = 2LL * points_[i].x, y2 = 2LL * points_[i].y;
        if ((y1 > py) == (y2 > py)) continue;
        // Where the edge crosses the horizontal line through the centre, compared exactly.
        const long long lhs = (px - x1) * (y2 - y1);
        const long long rhs = (x2 - x1) * (py - y1);
        const bool crossesRight = y2 > y1 ? lhs < rhs : lhs > rhs;
        if (!crossesRight) continue;
        ++crossings;
        winding += y2 > y1 ? 1 : -1;
    }
    return fillMode_ == WINDING ? winding != 0 : (crossings & 1) != 0;
}

Rect CRgn::GetRgnBox() const {
    if (IsEmpty()) return {};
    Rect box{points_[0].x, points_[0].y, points_[0].x, points_[0].y};
    for (const Point& p : points_) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}

} // namespace vexmo
