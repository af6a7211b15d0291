// FontEngine on FreeType and fontconfig. Face names the program asks for are mapped to the
// look-alikes we install; every font keeps a short fallback chain so CJK text in a Latin
// face (and the reverse) still shows.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/core/Font.h"

namespace vexmo {

namespace {

constexpr int kDefaultHeight = 16;
constexpr int kMaxPixelHeight = 1024;
constexpr size_t kMaxFacesPerFont = 4;
constexpr uint8_t kGb2312Charset = 134;

struct Alias {
    const char* asked;
    const char* family;
};
// The faces the program names, and what stands in for them here.
constexpr Alias kAliases[] = {
    {"宋体", "AR PL UMing CN"},   {"新宋体", "AR PL UMing CN"}, {"SimSun", "AR PL UMing CN"},
    {"NSimSun", "AR PL UMing CN"}, {"Tahoma", "DejaVu Sans"},   {"Arial", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},    {"MS Shell Dlg", "DejaVu Sans"}, {"Microsoft Sans Serif", "DejaVu Sans"},
};

std::string FamilyFor(const std::string& face) {
    for (const Alias& a : kAliases)
        if (face == a.asked) return a.family;
    return face.empty() ? "DejaVu Sans" : face;
}

struct Key {
    FontSpec fontSpec;
    bool operator<(const Key& o) const {
        return std::tie(fontSpec.height, fontSpec.width, fontSpec.weight, fontSpec.italic, fontSpec.charset, fontSpec.face) <
               std::tie(o.fontSpec.height, o.fontSpec.width, o.fontSpec.weight, o.fontSpec.italic, o.fontSpec.charset, o.fontSpec.face);
    }
};

class FreeTypeSource;

class FreeTypeEngine final : public FontEngine {
public:
    FreeTypeEngine() {
        if (FT_Init_FreeType(&library_) != 0) library_ = nullptr;
        fontconfigReady_ = FcInit() == FcTrue;
        // fontconfig keeps its configuration until told otherwise; nothing of ours holds
        // fontconfig objects past a lookup, so it can go at exit.
        if (fontconfigReady_) std::atexit([] { FcFini(); });
    }
    ~FreeTypeEngine() override;

    std::shared_ptr<const GlyphSource> Open(const FontSpec& fontSpec) override;
    std::string ResolvedFace(const FontSpec& fontSpec) override {
        std::lock_guard lock(mutex_);
        auto files = Match(fontSpec);
        return files.empty() ? std::string() : files.front().first;
    }

    std::recursive_mutex mutex_; // FreeType faces are not thread-safe; one lock for all

private:
    std::vector<std::pair<std::string, int>> Match(const FontSpec& fontSpec);

    FT_Library library_ = nullptr;
    bool fontconfigReady_ = false;
    std::map<Key, std::shared_ptr<const GlyphSource>> cache_;
};

class FreeTypeSource final : public GlyphSource {
public:
    FreeTypeSource(FreeTypeEngine& engine, std::vector<FT_Face> faces, bool emboldenPrimary, int ascent, int descent)
        : engine_(engine), faces_(std::move(faces)), embolden_(emboldenPrimary), ascent_(ascent), descent_(descent) {}
    ~FreeTypeSource() override {
        std::lock_guard lock(engine_.mutex_);
        for (FT_Face f : faces_) FT_Done_Face(f);
    }
    int Ascent() const override { return ascent_; }
    int Descent() const override { return descent_; }

    const GlyphBitmap& Glyph(char32_t cp) const override {
        std::lock_guard lock(engine_.mutex_);
        auto it = glyphs_.find(cp);
        if (it != glyphs_.end()) return it->second;
        return glyphs_.emplace(cp, Render(cp)).first->second;
    }

private:
    GlyphBitmap Render(char32_t cp) const {
        GlyphBitmap out;
        FT_Face face = faces_.front();
        FT_UInt index = 0;
        for (FT_Face f : faces_) {
            index = FT_Get_Char_Index(f, cp);
            if (index != 0) {
                face = f;
                break;
            }
        }
        if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_LIGHT) != 0) return out;
        if (embolden_ && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) FT_GlyphSlot_Embolden(face->glyph);
        if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
            return out;
        const FT_Bitmap& bm = face->glyph->bitmap;
        out.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        out.left = face->glyph->bitmap_left;
        out.top = face->glyph->bitmap_top;
        out.width = static_cast<int>(bm.width);
        out.height = static_cast<int>(bm.rows);
        out.coverage.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
        for (int y = 0; y < out.height; ++y) {
            const uint8_t* row = bm.buffer + static_cast<ptrdiff_t>(y) * bm.pitch;
            for (int x = 0; x < out.width; ++x) {
                uint8_t v = 0;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO) v = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) v = row[x];
                out.coverage[static_cast<size_t>(y) * static_cast<size_t>(out.width) + static_cast<size_t>(x)] = v;
            }
        }
        return out;
    }

    FreeTypeEngine& engine_;
    std::vector<FT_Face> faces_;
    bool embolden_;
    int ascent_;
    int descent_;
    mutable std::unordered_map<char32_t, GlyphBitmap> glyphs_;
};

FreeTypeEngine::~FreeTypeEngine() {
    cache_.clear();
    if (library_) FT_Done_FreeType(library_);
}

std::vector<std::pair<std::string, int>> FreeTypeEngine::Match(const FontSpec& fontSpec) {
    std::vector<std::pair<std::string, int>> files;
    if (!fontconfigReady_) return files;
    FcPattern* pattern = FcPatternCreate();
    const std::string family = FamilyFor(fontSpec.face);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, fontSpec.weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, fontSpec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (fontSpec.charset == kGb2312Charset) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcCharSet* coverage = nullptr; // asked for and freed: left to fontconfig it leaks
    FcFontSet* set = FcFontSort(nullptr, pattern, FcTrue, &coverage, &result);
    if (coverage) FcCharSetDestroy(coverage);
    if (set) {
        for (int i = 0; i < set->nfont && files.size() < kMaxFacesPerFont; ++i) {
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
            FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index);
            std::pair<std::string, int> entry{reinterpret_cast<const char*>(file), index};
            if (std::find(files.begin(), files.end(), entry) == files.end()) files.push_back(entry);
        }
        FcFontSetDestroy(set);
    }
    FcPatternDestroy(pattern);
    return files;
}

int EmHeightFor(FT_Face face, int height) {
    if (height < 0) return std::min(-height, kMaxPixelHeight);
    if (height == 0) height = kDefaultHeight;
    height = std::min(height, kMaxPixelHeight);
    // A positive height is the whole cell: scale the em so ascent + descent fits it.
    if (FT_IS_SCALABLE(face) && face->ascender - face->descender > 0) {
        const double cellPerEm = static_cast<double>(face->ascender - face->descender) / face->units_per_EM;
        return std::max(1, static_cast<int>(std::lround(height / cellPerEm)));
    }
    return height;
}

int EmWidthFor(FT_Face face, int em, int width) {
    if (width <= 0) return 0;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (!os2 || os2->xAvgCharWidth <= 0 || face->units_per_EM == 0) return 0;
    const double averageAtEm = static_cast<double>(os2->xAvgCharWidth) * em / face->units_per_EM;
    return std::clamp(static_cast<int>(std::lround(em * width / averageAtEm)), 1, kMaxPixelHeight * 4);
}

std::shared_ptr<const GlyphSource> FreeTypeEngine::Open(const FontSpec& fontSpec) {
    std::lock_guard lock(mutex_);
    if (!library_) return nullptr;
    if (auto it = cache_.find(Key{fontSpec}); it != cache_.end()) return it->second;

    std::vector<FT_Face> faces;
    for (const auto& [file, index] : Match(fontSpec)) {
        FT_Face face = nullptr;
        if (FT_New_Face(library_, file.c_str(), index, &face) == 0) faces.push_back(face);
    }
    if (faces.empty()) return nullptr;

    const int em = EmHeightFor(faces.front(), fontSpec.height);
    const int emWidth = EmWidthFor(faces.front(), em, fontSpec.width);
    for (FT_Face f : faces) {
        if (FT_Set_Pixel_Sizes(f, static_cast<FT_UInt>(emWidth), static_cast<FT_UInt>(em)) != 0 && f->num_fixed_sizes > 0)
            FT_Select_Size(f, 0);
    }
    FT_Face primary = faces.front();
    const int ascent = static_cast<int>((primary->size->metrics.ascender + 63) >> 6);
    const int descent = static_cast<int>((-primary->size->metrics.descender + 63) >> 6);
    const bool embolden = fontSpec.weight >= 600 && !(primary->style_flags & FT_STYLE_FLAG_BOLD);
    auto source = std::make_shared<FreeTypeSource>(*this, std::move(faces), embolden, ascent, descent);
    cache_.emplace(Key{fontSpec}, source);
    return source;
}

} // namespace

FontEngine& DefaultFontEngine() {
    // Never destroyed: fonts held by static objects may outlive any destruction order.
    static FreeTypeEngine* engine = new FreeTypeEngine;
    return *engine;
}

bool CFont::Create(const FontSpec& fontSpec) {
    spec_ = fontSpec;
    glyphs_ = DefaultFontEngine().Open(fontSpec);
    return glyphs_ != nullptr;
}

bool CFont::Create(int height, const std::string& face, int weight, int width, uint8_t charset) {
    FontSpec fontSpec;
    fontSpec.height = height;
    fontSpec.face = face;
    fontSpec.weight = weight;
    fontSpec.width = width;
    fontSpec.charset = charset;
    return Create(fontSpec);
}

} // namespace vexmo
