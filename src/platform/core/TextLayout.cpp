#include "platform/core/TextLayout.h"

#include "platform/core/Messages.h"

namespace vexmo {

namespace {
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::u32string_view kEllipsis = U"...";

// Ideographs and kana may break anywhere, as they do in the system's own line breaker.
bool BreaksFreely(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

bool IsSpace(char32_t c) { return c == U' ' || c == U'\t'; }

std::u32string TrimTrailingSpaces(std::u32string s) {
    while (!s.empty() && IsSpace(s.back())) s.pop_back();
    return s;
}

std::u32string Ellipsized(const GlyphSource& g, std::u32string_view line, int maxWidth) {
    if (MeasureText(g, line) <= maxWidth) return std::u32string(line);
    const int ellipsisWidth = MeasureText(g, kEllipsis);
    int width = 0;
    size_t keep = 0;
    while (keep < line.size()) {
        const int next = width + g.Glyph(line[keep]).advance;
        if (next + ellipsisWidth > maxWidth) break;
        width = next;
        ++keep;
    }
    return TrimTrailingSpaces(std::u32string(line.substr(0, keep))) + std::u32string(kEllipsis);
}

// Splits one paragraph (no line feeds) into lines no wider than maxWidth where possible.
void WrapParagraph(const GlyphSource& g, std::u32string_view para, int maxWidth, bool splitLongWords,
                   std::vector<std::u32string>& out) {
    size_t start = 0;
    while (start < para.size()) {
        int width = 0;
        size_t lastBreak = std::u32string_view::npos; // index after which we may break
        size_t i = start;
        for (; i < para.size(); ++i) {
            const char32_t c = para[i];
            const int w = g.Glyph(c).advance;
            if (width + w > maxWidth && !IsSpace(c) && i > start) break;
            width += w;
            if (IsSpace(c) || BreaksFreely(c) || (i + 1 < para.size() && BreaksFreely(para[i + 1]))) lastBreak = i;
        }
        if (i == para.size()) {
            out.push_back(TrimTrailingSpaces(std::u32string(para.substr(start))));
            return;
        }
        size_t end;
        if (lastBreak != std::u32string_view::npos && lastBreak >= start) {
            end = lastBreak + 1;
        } else if (splitLongWords) {
            end = i; // the word alone is wider than the line: cut it where it overflows
        } else {
            // Keep the whole word on its own line; it is clipped at the right edge.
            end = i;
            while (end < para.size() && !IsSpace(para[end]) && !BreaksFreely(para[end])) ++end;
        }
        out.push_back(TrimTrailingSpaces(std::u32string(para.substr(start, end - start))));
        start = end;
        while (start < para.size() && IsSpace(para[start])) ++start;
    }
}
} // namespace

std::u32string DecodeUtf8(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<uint8_t>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            extra = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3;
            cp = b & 0x07;
        } else {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        if (i + static_cast<size_t>(extra) >= s.size()) { // sequence cut off by the end
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<uint8_t>(s[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

int MeasureText(const GlyphSource& glyphs, std::u32string_view text) {
    int width = 0;
    for (char32_t c : text) width += glyphs.Glyph(c).advance;
    return width;
}

std::vector<TextLine> LayoutText(const GlyphSource& g, std::u32string_view text, int maxWidth, uint32_t format) {
    std::vector<std::u32string> raw;
    if (format & DT_SINGLELINE) {
        std::u32string line;
        for (char32_t c : text)
            if (c != U'\r' && c != U'\n') line.push_back(c);
        raw.push_back(std::move(line));
    } else {
        size_t start = 0;
        while (true) {
            size_t lf = text.find(U'\n', start);
            std::u32string_view para = text.substr(start, lf == std::u32string_view::npos ? std::u32string_view::npos : lf - start);
            if (!para.empty() && para.back() == U'\r') para.remove_suffix(1);
            if ((format & DT_WORDBREAK) && !para.empty())
                WrapParagraph(g, para, std::max(maxWidth, 0), (format & DT_EDITCONTROL) != 0, raw);
            else
                raw.emplace_back(para);
            if (lf == std::u32string_view::npos) break;
            start = lf + 1;
        }
    }
    std::vector<TextLine> lines;
    lines.reserve(raw.size());
    const bool ellipsis = (format & (DT_WORD_ELLIPSIS | DT_END_ELLIPSIS)) != 0;
    for (auto& line : raw) {
        if (ellipsis) line = Ellipsized(g, line, maxWidth);
        const int width = MeasureText(g, line);
        lines.push_back({std::move(line), width});
    }
    return lines;
}

} // namespace vexmo
