#include "media/bitmap_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error_manager.h"
#include "core/warnings.h"
#include "stored_bytes.h"

namespace {

using definitions::font_character;
using media_test::StoredBytes;

struct StoredCharacter {
    std::int32_t code, advance, width, height;
    std::uint8_t ink = 0;
};

// A font tag's data as stored: the 64-byte record, then the records back to
// back with their pad bytes.
StoredBytes stored_font(std::int16_t ascent, std::int16_t descent, std::initializer_list<StoredCharacter> characters,
                        std::int32_t count_adjustment = 0, std::int32_t size_adjustment = 0) {
    StoredBytes block;
    for (const StoredCharacter& character : characters) {
        block.words({character.code, character.advance, character.width, character.height, 0, ascent}).zeros(4);
        const int pixels = character.width > 0 && character.height > 0 ? character.width * character.height : 0;
        for (int pixel = 0; pixel < pixels; ++pixel) block.bytes({character.ink});
        if (pixels & 1) block.zeros(1);
    }
    StoredBytes font;
    font.long_word(0).words({ascent, descent, 2, 0});
    font.long_word(std::int32_t(characters.size()) + count_adjustment).long_word(64);
    font.long_word(std::int32_t(block.size()) + size_adjustment);
    for (int style = 0; style < 4; ++style) font.long_word(-1);
    font.zeros(24);
    for (const std::byte value : block.data()) font.bytes({std::to_integer<std::uint8_t>(value)});
    return font;
}

// The same bytes with one big-endian 16-bit word changed.
std::vector<std::byte> with_word(std::vector<std::byte> bytes, std::size_t position, std::uint16_t value) {
    bytes[position] = std::byte(value >> 8);
    bytes[position + 1] = std::byte(value & 0xFF);
    return bytes;
}

std::string debug_notes;

void collect_debug_note(const char* text) {
    debug_notes += text;
    debug_notes += '\n';
}

class BitmapTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        clear_error();
        debug_notes.clear();
        set_debug_output_hook(collect_debug_note);
    }
    void TearDown() override {
        set_debug_output_hook(nullptr);
        clear_error();
    }
};

TEST_F(BitmapTextTest, FindsCharactersByCodeAndDerivesTheMargin) {
    const auto font = read_bitmap_font(stored_font(11, 3,
                                                   {{'A', 7, 3, 5, 0x11}, {'B', 6, 2, 2, 0x22}, {0x0141, 9, 1, 1, 0x33}})
                                           .data(),
                                       "test");
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->definition.margin, (11 + 3) / 5);
    EXPECT_EQ(font->definition.character_count, 3);

    const font_character* a = bitmap_font_character(*font, 'A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->advance, 7);
    EXPECT_EQ(a->width, 3);
    EXPECT_EQ(a->height, 5);
    EXPECT_EQ(a->origin_y, 11);
    EXPECT_EQ(std::int16_t(a->runtime[0] << 8 | a->runtime[1]), -1) << "first reserved word in memory";
    const auto a_pixels = bitmap_font_pixels(*a);
    ASSERT_EQ(a_pixels.size(), 15u);
    EXPECT_EQ(a_pixels[14], 0x11);

    const font_character* b = bitmap_font_character(*font, 'B');
    ASSERT_NE(b, nullptr) << "after a record with a pad byte";
    EXPECT_EQ(bitmap_font_pixels(*b)[3], 0x22);

    const font_character* lead = bitmap_font_character(*font, 0x0141);
    ASSERT_NE(lead, nullptr) << "the page of lead byte 1";
    EXPECT_EQ(lead->advance, 9);
    EXPECT_EQ(bitmap_font_character(*font, 0x0041 + 0x0200), nullptr);
    EXPECT_EQ(bitmap_font_character(*font, 'C'), nullptr);
}

TEST_F(BitmapTextTest, KeepsTheFirstOfTwoRecordsWithOneCodeAndNotesTheSecond) {
    const auto font = read_bitmap_font(stored_font(8, 2, {{'?', 5, 1, 1}, {'x', 4, 1, 1}, {'?', 9, 2, 1}}).data(),
                                       "twice");
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(bitmap_font_character(*font, '?')->advance, 5);
    EXPECT_NE(debug_notes.find("character 0x003f"), std::string::npos) << debug_notes;
    EXPECT_NE(debug_notes.find("appears in font twice twice"), std::string::npos) << debug_notes;
}

TEST_F(BitmapTextTest, AFontWithoutASpaceAdvancesFourForOne) {
    const auto without = read_bitmap_font(stored_font(8, 2, {{'a', 6, 1, 1}}).data(), "no space");
    ASSERT_TRUE(without.has_value());
    const font_character* space = bitmap_font_character(*without, ' ');
    ASSERT_NE(space, nullptr);
    EXPECT_EQ(space->code, 32);
    EXPECT_EQ(space->advance, 4);
    EXPECT_EQ(space->width * space->height, 0);

    const auto with = read_bitmap_font(stored_font(8, 2, {{' ', 3, 0, 0}, {'a', 6, 1, 1}}).data(), "space");
    EXPECT_EQ(bitmap_font_character(*with, ' ')->advance, 3);

    const auto only_lead_bytes = read_bitmap_font(stored_font(8, 2, {{0x0161, 6, 1, 1}}).data(), "lead");
    EXPECT_EQ(bitmap_font_character(*only_lead_bytes, ' '), nullptr) << "no page 0, no built-in space";
}

TEST_F(BitmapTextTest, RefusesCountsOffsetsAndSizesTheDataDoesNotHold) {
    struct Hostile {
        const char* what;
        std::vector<std::byte> bytes;
    };
    const StoredBytes one = stored_font(8, 2, {{'a', 1, 2, 2}});
    const Hostile cases[] = {
        {"more records than the block holds", stored_font(8, 2, {{'a', 1, 2, 2}}, 1).data()},
        {"a size past the data", stored_font(8, 2, {{'a', 1, 2, 2}}, 0, 1).data()},
        {"pixels past the block", stored_font(8, 2, {{'a', 1, 2, 2}}, 0, -2).data()},
        {"a record shorter than its header", stored_font(8, 2, {{'a', 1, 2, 2}}, 0, -10).data()},
        {"a negative count", stored_font(8, 2, {{'a', 1, 2, 2}}, -2).data()},
        {"a negative size", stored_font(8, 2, {}, 0, -1).data()},
        {"an offset past the data", with_word(one.data(), 18, 1000)},
        {"a negative offset", with_word(one.data(), 16, 0x8000)},
        {"a bitmap of 32767 x 32767", with_word(with_word(one.data(), 64 + 4, 0x7FFF), 64 + 6, 0x7FFF)},
        {"no font record", StoredBytes().zeros(63).data()},
    };
    for (const Hostile& hostile : cases) {
        SCOPED_TRACE(hostile.what);
        clear_error();
        EXPECT_FALSE(read_bitmap_font(hostile.bytes, "hostile").has_value());
        EXPECT_NE(error_text().find("couldn't read characters from font hostile."), std::string_view::npos)
            << error_text();
    }
}

TEST_F(BitmapTextTest, ANegativeDimensionIsAnEmptyBitmap) {
    const auto negative = read_bitmap_font(stored_font(8, 2, {{'a', 1, -3, 5}, {'b', 2, 1, 1}}).data(), "negative");
    ASSERT_TRUE(negative.has_value()) << "a negative dimension is an empty bitmap";
    EXPECT_EQ(bitmap_font_pixels(*bitmap_font_character(*negative, 'a')).size(), 0u);
    EXPECT_EQ(bitmap_font_character(*negative, 'b')->advance, 2);
}

}  // namespace
