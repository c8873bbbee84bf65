#include "media/system_fonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <strings.h>

#include "core/character_translation.h"

namespace {

constexpr int screen_dots_per_inch = 96;
constexpr int tenths_per_inch = 720;

// Hinted for black-and-white drawing and drawn black-and-white, as the
// platform draws text without smoothing; the averaging of Antialiased does
// the smoothing.
constexpr FT_Int32 load_flags = FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP;
constexpr FT_Render_Mode render_mode = FT_RENDER_MODE_MONO;

// OS/2 weight classes from which a face counts as bold.
constexpr int semibold_weight = 600;

// The slant of a synthesised italic (about 12 degrees, FreeType's own oblique).
constexpr FT_Fixed oblique_shear = 0x0366A;

// Fontconfig once per process, released when it ends (it keeps blocks that
// leak checkers would report otherwise).
bool fontconfig_ready() {
    static const bool ready = [] {
        if (!FcInit()) return false;
        std::atexit([] { FcFini(); });
        return true;
    }();
    return ready;
}

struct fontconfig_pattern {
    FcPattern* pattern;
    explicit fontconfig_pattern(FcPattern* owned) : pattern(owned) {}
    ~fontconfig_pattern() {
        if (pattern) FcPatternDestroy(pattern);
    }
    fontconfig_pattern(const fontconfig_pattern&) = delete;
    fontconfig_pattern& operator=(const fontconfig_pattern&) = delete;
};

std::string first_family(FcPattern* pattern) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch || !family) return {};
    return reinterpret_cast<const char*>(family);
}

bool less_ignoring_case(const std::string& left, const std::string& right) {
    const int order = strcasecmp(left.c_str(), right.c_str());
    return order != 0 ? order < 0 : left < right;
}

bool starts_with_ignoring_case(const std::string& text, const char* prefix) {
    return strncasecmp(text.c_str(), prefix, std::char_traits<char>::length(prefix)) == 0;
}

std::string default_sans_serif_family() {
    if (!fontconfig_ready()) return {};
    fontconfig_pattern pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
    if (!pattern.pattern) return {};
    FcConfigSubstitute(nullptr, pattern.pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern.pattern);
    FcResult result = FcResultNoMatch;
    fontconfig_pattern match(FcFontMatch(nullptr, pattern.pattern, &result));
    return match.pattern ? first_family(match.pattern) : std::string{};
}

int rounded(double value) {
    return static_cast<int>(std::lround(value));
}

int pixels_of(FT_Pos position_26_6) {
    return static_cast<int>((position_26_6 + 32) >> 6);
}

}  // namespace

struct system_font::state {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string file;
    int face_index = 0;
    int pixel_size = 0;
    bool embolden = false;
    bool slant = false;
    bool underline = false;
    bool strikeout = false;
    FT_Pos embolden_strength = 0;  // 26.6 pixels
    font_text_metrics metrics;
    int underline_top = 0, underline_rows = 0;
    int strikeout_top = 0, strikeout_rows = 0;

    ~state() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

std::vector<std::string> system_font_families() {
    std::vector<std::string> families;
    if (!fontconfig_ready()) return families;
    fontconfig_pattern pattern(FcPatternCreate());
    FcPatternAddBool(pattern.pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern.pattern, objects);
    FcObjectSetDestroy(objects);
    if (!fonts) return families;
    for (int index = 0; index < fonts->nfont; ++index) {
        // A face may belong to several families ("DejaVu Sans" and "DejaVu Sans
        // Condensed"); the platform lists each.
        FcChar8* family = nullptr;
        for (int name = 0; FcPatternGetString(fonts->fonts[index], FC_FAMILY, name, &family) == FcResultMatch; ++name) {
            if (family && *family) families.emplace_back(reinterpret_cast<const char*>(family));
        }
    }
    FcFontSetDestroy(fonts);
    std::sort(families.begin(), families.end(), less_ignoring_case);
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

std::string initial_font_family(const std::vector<std::string>& families) {
    if (families.empty()) return {};
    for (const std::string& family : families) {
        if (starts_with_ignoring_case(family, "Arial")) return family;
    }
    const std::string sans_serif = default_sans_serif_family();
    const auto found = std::find(families.begin(), families.end(), sans_serif);
    return found != families.end() ? *found : families.front();
}

int font_pixel_size(int point_size) {
    const long tenths = long{point_size} * 10;
    return static_cast<int>((tenths * screen_dots_per_inch + tenths_per_inch / 2) / tenths_per_inch);
}

int font_import_pixel_size(const font_import_options& options) {
    return font_pixel_size(options.antialiased ? 4 * options.point_size : options.point_size);
}

// The platform's text metrics from the face, in pixels at the em size:
// - ascent and descent: the OS/2 table's usWinAscent and usWinDescent scaled
//   and rounded, which is what the platform measures text cells with; without
//   an OS/2 table, the face's ascender and descender;
// - height: ascent + descent; internal leading: height minus the em size (the
//   part of the cell above the em square), never negative;
// - external leading: the hhea line gap less what the OS/2 cell already holds
//   beyond the hhea ascender and descender, scaled, never negative;
// - largest width: the hhea table's largest advance scaled, plus the widening
//   of synthesised bold.
// Underline and strikeout come from the face's underline position and
// thickness and the OS/2 strikeout position and size.
std::unique_ptr<system_font> system_font::open(const font_import_options& options) {
    if (!fontconfig_ready()) return nullptr;
    fontconfig_pattern pattern(FcPatternCreate());
    FcPatternAddString(pattern.pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(options.family.c_str()));
    FcPatternAddInteger(pattern.pattern, FC_WEIGHT, options.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.pattern, FC_SLANT, options.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern.pattern);
    FcResult result = FcResultNoMatch;
    fontconfig_pattern match(FcFontMatch(nullptr, pattern.pattern, &result));
    if (!match.pattern) return nullptr;

    FcChar8* file = nullptr;
    int face_index = 0;
    if (FcPatternGetString(match.pattern, FC_FILE, 0, &file) != FcResultMatch || !file) return nullptr;
    FcPatternGetInteger(match.pattern, FC_INDEX, 0, &face_index);

    auto font = std::make_unique<state>();
    font->file = reinterpret_cast<const char*>(file);
    font->face_index = face_index;
    font->pixel_size = std::max(1, font_import_pixel_size(options));
    font->underline = options.underline;
    font->strikeout = options.strikeout;
    if (FT_Init_FreeType(&font->library) != 0 ||
        FT_New_Face(font->library, font->file.c_str(), face_index, &font->face) != 0 ||
        !FT_IS_SCALABLE(font->face) || FT_Set_Pixel_Sizes(font->face, 0, FT_UInt(font->pixel_size)) != 0) {
        return nullptr;
    }
    FT_Select_Charmap(font->face, FT_ENCODING_UNICODE);

    const FT_Face face = font->face;
    const double scale = double(font->pixel_size) / face->units_per_EM;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const bool has_os2 = os2 && os2->version != 0xFFFF;
    // What the face itself is, not what fontconfig says of it: its rules may
    // already call a regular face bold when they mean it to be made so.
    const bool face_is_bold = has_os2 ? os2->usWeightClass >= semibold_weight : (face->style_flags & FT_STYLE_FLAG_BOLD);
    font->embolden = options.bold && !face_is_bold;
    font->slant = options.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    const double cell_ascent = has_os2 ? os2->usWinAscent : face->ascender;
    const double cell_descent = has_os2 ? os2->usWinDescent : -face->descender;
    font_text_metrics& metrics = font->metrics;
    metrics.ascent = rounded(cell_ascent * scale);
    metrics.descent = rounded(cell_descent * scale);
    metrics.height = metrics.ascent + metrics.descent;
    metrics.internal_leading = std::max(0, metrics.height - font->pixel_size);
    if (hhea) {
        const double held = (cell_ascent + cell_descent) - (hhea->Ascender - hhea->Descender);
        metrics.external_leading = std::max(0, rounded((hhea->Line_Gap - held) * scale));
    }
    if (font->embolden) font->embolden_strength = std::max(1, font->pixel_size / 24) * 64;
    metrics.largest_width = rounded(face->max_advance_width * scale) + pixels_of(font->embolden_strength);

    font->underline_rows = std::max(1, rounded(face->underline_thickness * scale));
    font->underline_top = metrics.ascent - rounded(face->underline_position * scale) - font->underline_rows / 2;
    font->strikeout_rows = has_os2 ? std::max(1, rounded(os2->yStrikeoutSize * scale)) : font->underline_rows;
    const double strikeout_position = has_os2 ? os2->yStrikeoutPosition : face->units_per_EM * 0.3;
    font->strikeout_top = metrics.ascent - rounded(strikeout_position * scale);
    return std::unique_ptr<system_font>(new system_font(std::move(font)));
}

system_font::system_font(std::unique_ptr<state> state) : state_(std::move(state)) {}

system_font::~system_font() = default;

font_text_metrics system_font::metrics() const {
    return state_->metrics;
}

const std::string& system_font::file() const {
    return state_->file;
}

int system_font::face_index() const {
    return state_->face_index;
}

drawn_character system_font::draw(unsigned char character) {
    drawn_character drawn;
    const FT_Face face = state_->face;
    const char16_t unicode = windows_1252_unicode(character);
    const FT_UInt glyph = FT_Get_Char_Index(face, unicode ? unicode : character);
    if (FT_Load_Glyph(face, glyph, load_flags) != 0) return drawn;
    const FT_GlyphSlot slot = face->glyph;
    FT_Pos advance = slot->advance.x;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (state_->embolden) {
            FT_Outline_EmboldenXY(&slot->outline, state_->embolden_strength, 0);
            advance += state_->embolden_strength;
        }
        if (state_->slant) {
            FT_Matrix shear{0x10000, oblique_shear, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    drawn.width = std::max(0, pixels_of(advance));
    drawn.height = state_->metrics.height;
    drawn.pixels.assign(std::size_t(drawn.width) * std::size_t(drawn.height), 255);
    if (FT_Render_Glyph(slot, render_mode) == 0) {
        const FT_Bitmap& bitmap = slot->bitmap;
        const int top = state_->metrics.ascent - slot->bitmap_top;
        for (int row = 0; row < int(bitmap.rows); ++row) {
            const int y = top + row;
            if (y < 0 || y >= drawn.height) continue;
            const unsigned char* bits = bitmap.buffer + row * bitmap.pitch;
            for (int column = 0; column < int(bitmap.width); ++column) {
                const int x = slot->bitmap_left + column;
                if (x < 0 || x >= drawn.width) continue;
                if (bits[column >> 3] & (0x80 >> (column & 7))) drawn.pixels[std::size_t(y) * drawn.width + x] = 0;
            }
        }
    }
    const auto draw_line = [&drawn](int top, int rows) {
        for (int y = std::max(0, top); y < std::min(drawn.height, top + rows); ++y) {
            std::fill_n(drawn.pixels.begin() + std::ptrdiff_t(y) * drawn.width, drawn.width, std::uint8_t{0});
        }
    };
    if (state_->underline) draw_line(state_->underline_top, state_->underline_rows);
    if (state_->strikeout) draw_line(state_->strikeout_top, state_->strikeout_rows);
    return drawn;
}
