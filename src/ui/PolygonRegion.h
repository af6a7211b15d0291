#pragma once
// A polygon for hit tests with the alternate (even-odd) fill rule: a pixel belongs to the
// polygon when its centre lies inside.
#include <vector>

#include "platform/core/Types.h"

namespace vexmo {

class PolygonRegion {
public:
    PolygonRegion() = default;
    explicit PolygonRegion(std::vector<Point> points) : points_(std::move(points)) {}
    bool Contains(Point pixel) const;
    const std::vector<Point>& Points() const { return points_; }

private:
    std::vector<Point> points_;
};

} // namespace vexmo
