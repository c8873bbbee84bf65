#include "media/font_import.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <map>
#include <set>
#include <strings.h>

#include "core/error_manager.h"
#include "core/warnings.h"
#include "media/bitmap_text.h"
#include "media/system_fonts.h"
#include "support/working_folder.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

namespace {

using definitions::font_character;

// Draws every character as a black box whose width tells which character it is.
class BoxDrawing : public font_drawing {
public:
    explicit BoxDrawing(font_text_metrics metrics, int fixed_width = 0) : metrics_(metrics), fixed_width_(fixed_width) {}
    font_text_metrics metrics() const override { return metrics_; }
    drawn_character draw(unsigned char character) override {
        drawn.push_back(character);
        drawn_character box;
        box.width = fixed_width_ ? fixed_width_ : character;
        box.height = metrics_.height;
        box.pixels.assign(std::size_t(box.width) * std::size_t(box.height), 0);
        return box;
    }
    std::vector<unsigned char> drawn;

private:
    font_text_metrics metrics_;
    int fixed_width_;
};

constexpr font_text_metrics plain_metrics{15, 12, 3, 2, 1, 24};

bitmap_font read_font(const std::vector<std::byte>& data) {
    auto font = read_bitmap_font(data, "import");
    EXPECT_TRUE(font.has_value());
    return font ? std::move(*font) : bitmap_font{};
}

TEST(FontImport, ProposesTheFaceNameWithTheOptionsInLowerCase) {
    font_import_options options;
    options.family = "DejaVu Sans";
    EXPECT_EQ(proposed_font_tag_name(options), "dejavu sans");
    options.family = "Arial";
    options.bold = options.underline = options.strikeout = true;
    EXPECT_EQ(proposed_font_tag_name(options), "arial bold underline strikeout");
}

// A tag name holds 31 characters: a longer proposal is cut at the last word
// boundary when one is near, else at 31.
TEST(FontImport, ProposedNameFitsATagName) {
    struct Case {
        const char* family;
        bool bold, italic, antialiased;
        const char* proposed;
    };
    const Case cases[] = {
        {"Liberation Serif", true, false, true, "liberation serif bold"},
        {"DejaVu Sans", true, true, true, "dejavu sans bold italic"},
        {"Supercalifragilisticexpialidocious Sans", false, false, false, "supercalifragilisticexpialidoci"},
    };
    for (const Case& c : cases) {
        font_import_options options;
        options.family = c.family;
        options.bold = c.bold;
        options.italic = c.italic;
        options.antialiased = c.antialiased;
        EXPECT_EQ(proposed_font_tag_name(options), c.proposed) << c.family;
    }
}

TEST(FontImport, WalksTheGameCharacterSetSkippingBytesWithoutAWindowsCharacter) {
    BoxDrawing drawing(plain_metrics);
    const bitmap_font font = read_font(build_font_tag_data(drawing, false, false));
    // 32 to 255 less the 26 game bytes that Windows-1252 cannot show.
    EXPECT_EQ(font.definition.character_count, 198);
    EXPECT_EQ(std::count(drawing.drawn.begin(), drawing.drawn.end(), 202), 0) << "the no-break space";
    EXPECT_EQ(std::count(drawing.drawn.begin(), drawing.drawn.end(), 0xF0), 0) << "the apple sign";
    EXPECT_EQ(drawing.drawn.front(), ' ');
    EXPECT_EQ(bitmap_font_character(font, 202), nullptr);
    EXPECT_EQ(bitmap_font_character(font, 'A')->width, 'A');
    // Windows-1252 0x80 (the euro sign, drawn for game byte 0x80) has no game
    // byte: it is stored as '?' after the real one, which the engine keeps.
    EXPECT_EQ(bitmap_font_character(font, '?')->width, '?');
    // Windows-1252 0xC4 'Ä' is drawn for game byte 0xC4 and stored as game byte 0x80.
    EXPECT_EQ(bitmap_font_character(font, 0x80)->width, 0xC4);
}

TEST(FontImport, TakesTheMetricsAsTheyAreWithoutAntialiasing) {
    BoxDrawing drawing(plain_metrics);
    const bitmap_font font = read_font(build_font_tag_data(drawing, false, false));
    EXPECT_EQ(font.definition.ascent, 12);
    EXPECT_EQ(font.definition.descent, 3);
    EXPECT_EQ(font.definition.leading, 3);
    EXPECT_EQ(font.definition.flags, 0);
    EXPECT_EQ(font.definition.characters_offset, 64);
    for (const tag_code style : font.definition.style_fonts) EXPECT_EQ(style, tag_code(NONE));
    const font_character* a = bitmap_font_character(font, 'a');
    EXPECT_EQ(a->advance, 'a');
    EXPECT_EQ(a->height, 15);
    EXPECT_EQ(a->origin_x, 0);
    EXPECT_EQ(a->origin_y, 12);
}

TEST(FontImport, AntialiasedScalesTheMetricsAndAveragesFourByFour) {
    // 61 rows give 16; 49 / 61 of them (12.85) are ascent; (8 + 2) / 4 leading.
    BoxDrawing drawing({61, 49, 12, 8, 2, 96}, 9);
    const bitmap_font font = read_font(build_font_tag_data(drawing, true, false));
    EXPECT_EQ(font.definition.ascent, 12);
    EXPECT_EQ(font.definition.descent, 4);
    EXPECT_EQ(font.definition.leading, 2);
    const font_character* a = bitmap_font_character(font, 'A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->width, 3) << "9 pixels, rounded up";
    EXPECT_EQ(a->advance, 3);
    EXPECT_EQ(a->height, 16) << "61 rows, rounded up";
    EXPECT_EQ(a->origin_y, 12);
    const auto pixels = bitmap_font_pixels(*a);
    EXPECT_EQ(pixels[0], 0) << "all ink";
    EXPECT_EQ(pixels[2], 12 * 255 / 16) << "one real column and three white ones";
    EXPECT_EQ(pixels[15 * 3 + 1], 12 * 255 / 16) << "one real row and three white ones";
    EXPECT_EQ(pixels[15 * 3 + 2], 15 * 255 / 16) << "one real pixel of sixteen";
}

TEST(FontImport, AllCapsStoresEachCapitalTwiceAndTheEngineKeepsTheFirst) {
    BoxDrawing drawing(plain_metrics);
    const std::vector<std::byte> data = build_font_tag_data(drawing, false, true);
    EXPECT_EQ(std::count(drawing.drawn.begin(), drawing.drawn.end(), 'Q'), 2);
    EXPECT_EQ(std::count(drawing.drawn.begin(), drawing.drawn.end(), 'q'), 0);

    std::map<std::uint16_t, int> stored;
    const bitmap_font font = read_font(data);
    std::size_t position = 0;
    for (int index = 0; index < font.definition.character_count; ++index) {
        const auto& character = *reinterpret_cast<const font_character*>(&font.characters[position]);
        ++stored[character.code];
        position += std::size_t(definitions::font_character_record_length(character.width, character.height));
    }
    for (char capital = 'A'; capital <= 'Z'; ++capital) EXPECT_EQ(stored[std::uint16_t(capital)], 2) << capital;
    for (char small = 'a'; small <= 'z'; ++small) EXPECT_EQ(bitmap_font_character(font, small), nullptr) << small;
    EXPECT_NE(bitmap_font_character(font, 'Z'), nullptr);
}

TEST(FontImport, ReportsItsProgressUpToTheLastCharacter) {
    BoxDrawing drawing(plain_metrics);
    std::vector<int> steps;
    build_font_tag_data(drawing, false, false, [&steps](int percent) { steps.push_back(percent); });
    ASSERT_EQ(steps.size(), 198u);
    EXPECT_EQ(steps.front(), 100 * 32 / 255);
    EXPECT_EQ(steps.back(), 100 * 0xFC / 255) << "the last game byte drawn, 0xFD to 0xFF have no Windows character";
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
}

TEST(SystemFonts, ListsTheInstalledFamiliesSortedAndStartsAtTheDefaultSans) {
    const std::vector<std::string> families = system_font_families();
    EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
    EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Serif"), families.end());
    EXPECT_EQ(std::set<std::string>(families.begin(), families.end()).size(), families.size()) << "each once";
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end(),
                               [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; }));
    EXPECT_EQ(initial_font_family({"Aardvark", "arial black", "Arial"}), "arial black");
    EXPECT_EQ(initial_font_family({}), "");
    if (std::none_of(families.begin(), families.end(), [](const std::string& family) { return family.starts_with("Arial"); })) {
        EXPECT_EQ(initial_font_family(families), "DejaVu Sans");
    }
}

TEST(SystemFonts, SizesArePixelsAtNinetySixDotsPerInch) {
    EXPECT_EQ(font_pixel_size(10), 13);
    EXPECT_EQ(font_pixel_size(12), 16);
    EXPECT_EQ(font_pixel_size(72), 96);
    font_import_options options;
    options.point_size = 72;
    options.antialiased = true;
    EXPECT_EQ(font_import_pixel_size(options), 384);
}

font_import_options dejavu(int size) {
    font_import_options options;
    options.family = "DejaVu Sans";
    options.point_size = size;
    return options;
}

// DejaVu Sans: 2048 units to the em, usWinAscent 1901, usWinDescent 483, no
// line gap, largest advance 3838.
TEST(SystemFonts, TakesDejaVuMetricsFromItsTables) {
    const auto font = system_font::open(dejavu(10));
    ASSERT_NE(font, nullptr);
    const font_text_metrics metrics = font->metrics();
    EXPECT_EQ(metrics.ascent, 12);
    EXPECT_EQ(metrics.descent, 3);
    EXPECT_EQ(metrics.height, 15);
    EXPECT_EQ(metrics.internal_leading, 2);
    EXPECT_EQ(metrics.external_leading, 0);
    EXPECT_EQ(metrics.largest_width, 24);

    font_import_options four_times = dejavu(10);
    four_times.antialiased = true;
    const auto large = system_font::open(four_times);
    const bitmap_font imported = read_font(build_font_tag_data(*large, true, false));
    // 53 pixels: ascent 49, descent 12, 16 rows of which 12 are ascent.
    EXPECT_EQ(imported.definition.ascent, 12);
    EXPECT_EQ(imported.definition.descent, 4);
    EXPECT_EQ(imported.definition.leading, 2);
}

// The glyph as FreeType draws it on its own: black-and-white at 13 pixels,
// its baseline 12 rows down, clipped to advance x 15.
std::vector<std::uint8_t> independent_rendering(FT_ULong character, int& advance) {
    FT_Library library;
    FT_Init_FreeType(&library);
    FT_Face face;
    FT_New_Face(library, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 0, &face);
    FT_Set_Pixel_Sizes(face, 0, 13);
    FT_Load_Char(face, character, FT_LOAD_TARGET_MONO | FT_LOAD_RENDER | FT_LOAD_NO_BITMAP);
    advance = int(face->glyph->advance.x >> 6);
    std::vector<std::uint8_t> pixels(std::size_t(advance) * 15, 255);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const int x = face->glyph->bitmap_left + int(column);
            const int y = 12 - face->glyph->bitmap_top + int(row);
            const bool ink = bitmap.buffer[row * unsigned(bitmap.pitch) + column / 8] & (0x80 >> (column % 8));
            if (ink && x >= 0 && x < advance && y >= 0 && y < 15) pixels[std::size_t(y * advance + x)] = 0;
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return pixels;
}

TEST(SystemFonts, DrawsDejaVuGlyphsAsFreeTypeDoes) {
    const auto font = system_font::open(dejavu(10));
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->file().find("DejaVuSans.ttf"), std::string::npos) << font->file();
    const bitmap_font imported = read_font(build_font_tag_data(*font, false, false));
    for (const auto& [game, unicode] : {std::pair<std::uint16_t, FT_ULong>{'A', 'A'}, {'g', 'g'}, {'@', '@'}, {0x80, 0xC4}}) {
        SCOPED_TRACE(game);
        int advance = 0;
        const std::vector<std::uint8_t> expected = independent_rendering(unicode, advance);
        const font_character* character = bitmap_font_character(imported, game);
        ASSERT_NE(character, nullptr);
        EXPECT_EQ(character->width, advance);
        EXPECT_EQ(character->advance, advance);
        EXPECT_EQ(character->height, 15);
        const auto pixels = bitmap_font_pixels(*character);
        EXPECT_EQ(std::vector<std::uint8_t>(pixels.begin(), pixels.end()), expected);
        EXPECT_GT(std::count(expected.begin(), expected.end(), 0), 5) << "the glyph has ink";
    }
}

TEST(SystemFonts, BoldItalicUnderlineAndStrikeoutChangeThePixels) {
    const auto plain = system_font::open(dejavu(20));
    const drawn_character reference = plain->draw('H');
    const auto ink = [](const drawn_character& drawn) { return std::count(drawn.pixels.begin(), drawn.pixels.end(), 0); };

    font_import_options bold = dejavu(20);
    bold.bold = true;
    const auto bold_font = system_font::open(bold);
    EXPECT_NE(bold_font->file().find("DejaVuSans-Bold.ttf"), std::string::npos) << "the family's own bold face";
    EXPECT_GT(ink(bold_font->draw('H')), ink(reference));

    font_import_options italic = dejavu(20);
    italic.italic = true;
    EXPECT_NE(system_font::open(italic)->file().find("DejaVuSans-Oblique.ttf"), std::string::npos);

    font_import_options lines = dejavu(20);
    lines.underline = lines.strikeout = true;
    const drawn_character lined = system_font::open(lines)->draw(' ');
    ASSERT_EQ(lined.width, plain->draw(' ').width);
    int full_rows = 0;
    for (int y = 0; y < lined.height; ++y) {
        full_rows += std::all_of(lined.pixels.begin() + y * lined.width, lined.pixels.begin() + (y + 1) * lined.width,
                                 [](std::uint8_t level) { return level == 0; });
    }
    EXPECT_GE(full_rows, 2) << "an underline and a strikeout across the space";
}

// DejaVu Math TeX Gyre has one face only: bold and italic are made by the drawing.
TEST(SystemFonts, SynthesisesBoldAndItalicForAFamilyWithoutThem) {
    font_import_options options;
    options.family = "DejaVu Math TeX Gyre";
    options.point_size = 30;
    const auto plain = system_font::open(options);
    ASSERT_NE(plain, nullptr);
    const drawn_character reference = plain->draw('l');
    const auto ink = [](const drawn_character& drawn) { return std::count(drawn.pixels.begin(), drawn.pixels.end(), 0); };

    options.bold = true;
    const auto bold = system_font::open(options);
    EXPECT_EQ(bold->file(), plain->file()) << "the same face, made bold";
    const drawn_character emboldened = bold->draw('l');
    EXPECT_GT(ink(emboldened), ink(reference));
    EXPECT_GT(emboldened.width, reference.width) << "the widening counts in the extent";
    EXPECT_GT(bold->metrics().largest_width, plain->metrics().largest_width);

    options.bold = false;
    options.italic = true;
    const auto italic = system_font::open(options);
    EXPECT_EQ(italic->file(), plain->file()) << "the same face, slanted";
    const drawn_character slanted = italic->draw('l');
    ASSERT_EQ(slanted.width, reference.width);
    EXPECT_NE(slanted.pixels, reference.pixels);
}

TEST(SystemFonts, ImportsTheWholeSetAtTheLargestSizeWithoutOverrunningTheCanvas) {
    font_import_options options = dejavu(72);
    options.italic = options.bold = options.antialiased = true;
    const auto font = system_font::open(options);
    ASSERT_NE(font, nullptr);
    const bitmap_font imported = read_font(build_font_tag_data(*font, true, false));
    EXPECT_EQ(imported.definition.character_count, 198);
    EXPECT_EQ(bitmap_font_character(imported, 'W')->height, (font->metrics().height + 3) / 4);
}

TEST(FontImport, WritesTheTagInOneStepAndTheEngineReadsIt) {
    test_support::WorkingFolder folder;
    initialize_error_manager("tests");
    tag_files_initialize();
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    tag_handle handle = tag_file_create(font_group_tag, "dejavu sans", 1);
    ASSERT_NE(handle, NONE);
    const auto font = system_font::open(dejavu(10));
    const std::vector<std::byte> data = build_font_tag_data(*font, false, false);
    ASSERT_TRUE(write_font_tag(handle, data));
    EXPECT_EQ(tag_get_size(handle), std::int32_t(data.size()));
    const auto read = read_bitmap_font_tag(tag_find(font_group_tag, tag_get_subgroup(handle)));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->definition.characters_size, std::int32_t(data.size()) - 64);
    EXPECT_EQ(bitmap_font_character(*read, ' ')->advance, 4) << "DejaVu's own space";
    tag_files_close();
}

}  // namespace
