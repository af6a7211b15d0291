#pragma once
// Line breaking, measuring and ellipsis for DrawText, independent of how glyphs are made.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Font.h"

namespace vexmo {

// UTF-8 to code points; malformed sequences become U+FFFD, never a read past the end.
std::u32string DecodeUtf8(std::string_view text);

int MeasureText(const GlyphSource& glyphs, std::u32string_view text);

struct TextLine {
    std::u32string text;
    int width = 0;
};

// The lines DrawText shows for `format` within `maxWidth` pixels: hard breaks at line feeds
// (unless DT_SINGLELINE), word wrapping with DT_WORDBREAK (DT_EDITCONTROL also splits a word
// wider than the line), and DT_WORD_ELLIPSIS / DT_END_ELLIPSIS shortening with "...".
std::vector<TextLine> LayoutText(const GlyphSource& glyphs, std::u32string_view text, int maxWidth, uint32_t format);

} // namespace vexmo
