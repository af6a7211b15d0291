// Any bytes handed to our BMP reader: it must fail softly and stay within its size limits.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/core/Canvas.h"
#include "platform/core/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const vexmo::Image image = vexmo::DecodeBmp(std::span(data, size));
    if (image.IsEmpty()) return 0;
    if (image.Width() > vexmo::kMaxImageSide || image.Height() > vexmo::kMaxImageSide) __builtin_trap();
    vexmo::COLORREF average = 0;
    vexmo::AverageColour(image, average);
    vexmo::CCanvas canvas(16, 16);
    canvas.DrawImage(image, {0, 0, 16, 16}, {0, 0, static_cast<float>(image.Width()), static_cast<float>(image.Height())});
    return 0;
}
