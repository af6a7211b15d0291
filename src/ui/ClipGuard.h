#pragma once
// Narrows a canvas's clip to an area for one scope (a list drawing its rows), then restores it.
#include "platform/core/Canvas.h"

namespace vexmo {

class ClipGuard {
public:
    ClipGuard(CCanvas& dc, const Rect& area) : dc_(dc), old_(dc.GetClipRect()) {
        dc.SetClipRect(old_.Intersect(area));
    }
    ~ClipGuard() { dc_.SetClipRect(old_); }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;

private:
    CCanvas& dc_;
    Rect old_;
};

} // namespace vexmo
