#pragma once
// Polygon and rectangle regions for hit tests (the sleep dial's triangles). A pixel belongs
// to a polygon when its centre lies inside, so a rectangle's right and bottom edges are out,
// as with PtInRect.
#include <vector>

#include "platform/core/Types.h"

namespace vexmo {

constexpr int ALTERNATE = 1; // even-odd
constexpr int WINDING = 2;   // non-zero

class CRgn {
public:
    CRgn() = default;
    bool CreatePolygonRgn(const Point* points, int count, int fillMode = ALTERNATE);
    bool CreateRectRgn(int left, int top, int right, int bottom);
    void DeleteObject() { points_.clear(); }
    bool IsEmpty() const { return points_.size() < 3; }
    bool PtInRegion(int x, int y) const;
    bool PtInRegion(Point p) const { return PtInRegion(p.x, p.y); }
    // The smallest rectangle holding every pixel of the region.
    Rect GetRgnBox() const;

private:
    std::vector<Point> points_;
    int fillMode_ = ALTERNATE;
};

} // namespace vexmo
