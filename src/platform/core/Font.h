#pragma once
// Fonts: a face name, a pixel height and a weight resolved to the closest installed face.
// The glyphs come through GlyphSource, so text layout does not depend on the rasteriser
// (FreeType with fontconfig here; a different one on another system).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vexmo {

struct FontSpec {
    // > 0: cell height (ascent + descent) in pixels; < 0: character (em) height; 0: 16 px.
    int height = 0;
    // Average character width in pixels; 0 keeps the face's own proportions.
    int width = 0;
    int weight = 0; // 0 or 400 normal, 700 bold
    bool italic = false;
    uint8_t charset = 1;
    std::string face;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// One rendered glyph: 8-bit coverage, placed relative to the pen on the baseline.
struct GlyphBitmap {
    int advance = 0;
    int left = 0; // pen to the bitmap's left edge
    int top = 0;  // baseline up to the bitmap's top row
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;
    virtual int Ascent() const = 0;
    virtual int Descent() const = 0;
    int Height() const { return Ascent() + Descent(); }
    // Stable for the lifetime of the source; safe to call from any thread.
    virtual const GlyphBitmap& Glyph(char32_t codepoint) const = 0;
};

// Resolves and rasterises fonts; one per backend. Sources are shared and cached.
class FontEngine {
public:
    virtual ~FontEngine() = default;
    virtual std::shared_ptr<const GlyphSource> Open(const FontSpec& fontSpec) = 0;
    // The file of the face that `fontSpec` resolves to, for diagnostics and tests.
    virtual std::string ResolvedFace(const FontSpec& fontSpec) = 0;
};

// The FreeType/fontconfig engine, created on first use.
FontEngine& DefaultFontEngine();

// A font object as windows and controls hold it. Without any usable face it still exists
// but draws nothing and measures zero.
class CFont {
public:
    CFont() = default;
    explicit CFont(const FontSpec& fontSpec) { Create(fontSpec); }
    bool Create(const FontSpec& fontSpec);
    // The common short form: pixel height, face, weight, width.
    bool Create(int height, const std::string& face, int weight = 0, int width = 0, uint8_t charset = 1);
    void Delete() { glyphs_.reset(); }
    bool IsValid() const { return glyphs_ != nullptr; }
    const FontSpec& Requested() const { return spec_; }
    const GlyphSource* Glyphs() const { return glyphs_.get(); }

private:
    FontSpec spec_;
    std::shared_ptr<const GlyphSource> glyphs_;
};

} // namespace vexmo
