#include "media/bitmap_expansion.h"

#include <gtest/gtest.h>

#include <random>

#include "stored_bytes.h"

using media_test::StoredBytes;

namespace {

std::vector<std::uint8_t> expand(const StoredBytes& stored) {
    const auto image = expand_bitmap(stored.data());
    EXPECT_TRUE(image.has_value());
    return image ? image->indexes : std::vector<std::uint8_t>{};
}

TEST(BitmapExpansion, UnencodedRowsAreCopiedAtThePitch) {
    StoredBytes stored;
    stored.bitmap_header(3, 2, 4, 0, 8).zeros(4 * 2).bytes({1, 2, 3, 99, 4, 5, 6});
    EXPECT_EQ(expand(stored), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));

    StoredBytes without_table;
    without_table.bitmap_header(2, 2, 2, bitmap_flag_no_row_table, 8).zeros(4).bytes({7, 8, 9, 10});
    EXPECT_EQ(expand(without_table), (std::vector<std::uint8_t>{7, 8, 9, 10}));
}

TEST(BitmapExpansion, BitmapsWithoutPixelsExpandToNothing) {
    for (const auto& [width, height] : {std::pair{0, 3}, std::pair{5, 0}}) {
        StoredBytes stored;
        stored.bitmap_header(std::int16_t(width), std::int16_t(height), 8, 0, 8).zeros(4 * std::size_t(height));
        const auto image = expand_bitmap(stored.data());
        ASSERT_TRUE(image.has_value()) << width << " x " << height;
        EXPECT_TRUE(image->indexes.empty());
    }
}

TEST(BitmapExpansion, WidePixelsGiveTheirLowByte) {
    StoredBytes stored;
    stored.bitmap_header(2, 1, 4, bitmap_flag_wide_pixels, 16).zeros(4).words({0x0305, 0x0F80});
    EXPECT_EQ(expand(stored), (std::vector<std::uint8_t>{0x05, 0x80}));

    StoredBytes encoded;
    encoded.bitmap_header(4, 1, 8, bitmap_flag_wide_pixels | bitmap_flag_run_encoded, 16)
        .zeros(4)
        .words({1, 2, 1, 3, 0x0A11, 0x0222});
    EXPECT_EQ(expand(encoded), (std::vector<std::uint8_t>{0, 0x11, 0x22, 0}));
}

TEST(BitmapExpansion, TwoSpansLeaveTransparentColumnsBetweenThem) {
    // Row 0: spans [1,3) and [5,6) with three pixels and a pad byte; row 1: none.
    StoredBytes stored;
    stored.bitmap_header(7, 2, 7, bitmap_flag_run_encoded | bitmap_flag_padded_rows, 8)
        .zeros(4 * 2)
        .words({2, 3, 1, 3, 5, 6})
        .bytes({11, 12, 13, 0})
        .words({0, 0});
    EXPECT_EQ(expand(stored), (std::vector<std::uint8_t>{0, 11, 12, 0, 0, 13, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BitmapExpansion, OddRowsWithoutThePaddingFlagFollowEachOther) {
    StoredBytes stored;
    stored.bitmap_header(2, 2, 2, bitmap_flag_run_encoded | bitmap_flag_no_row_table, 8)
        .zeros(4)
        .words({1, 1, 0, 1})
        .bytes({21})
        .words({1, 1, 1, 2})
        .bytes({22});
    EXPECT_EQ(expand(stored), (std::vector<std::uint8_t>{21, 0, 0, 22}));
}

TEST(BitmapExpansion, SpansOutsideTheRowAreClipped) {
    // [-2, 1) draws its third pixel at column 0; [2, 5) its first at column 2.
    StoredBytes stored;
    stored.bitmap_header(3, 1, 3, bitmap_flag_run_encoded | bitmap_flag_no_row_table, 8)
        .zeros(4)
        .words({2, 6, -2, 1, 2, 5})
        .bytes({1, 2, 3, 4, 5, 6});
    EXPECT_EQ(expand(stored), (std::vector<std::uint8_t>{3, 0, 4}));
}

TEST(BitmapExpansion, MalformedBitmapsAreRefused) {
    const std::int16_t encoded = bitmap_flag_run_encoded | bitmap_flag_no_row_table;
    struct Case {
        const char* what;
        StoredBytes stored;
    };
    std::vector<Case> cases;
    cases.push_back({"header cut short", StoredBytes().words({2, 2, 2, 0})});
    cases.push_back({"rows past the end", StoredBytes().bitmap_header(2, 2, 2, bitmap_flag_no_row_table, 8).zeros(4).bytes({1, 2, 3})});
    cases.push_back({"row table past the end", StoredBytes().bitmap_header(1, 100, 1, 0, 8).zeros(4)});
    cases.push_back({"pitch below the width", StoredBytes().bitmap_header(4, 1, 2, bitmap_flag_no_row_table, 8).zeros(8)});
    cases.push_back({"four bytes per pixel", StoredBytes().bitmap_header(1, 1, 4, bitmap_flag_no_row_table, 32).zeros(8)});
    cases.push_back({"negative width", StoredBytes().bitmap_header(-1, 1, 4, bitmap_flag_no_row_table, 8).zeros(8)});
    cases.push_back({"more pixels than spans", StoredBytes().bitmap_header(4, 1, 4, encoded, 8).zeros(4).words({1, 3, 0, 2}).bytes({1, 2, 3, 0})});
    cases.push_back({"fewer pixels than spans", StoredBytes().bitmap_header(4, 1, 4, encoded, 8).zeros(4).words({1, 1, 0, 2}).bytes({1, 0})});
    cases.push_back({"span ending before it starts", StoredBytes().bitmap_header(4, 1, 4, encoded, 8).zeros(4).words({1, 0, 3, 2})});
    cases.push_back({"negative span count", StoredBytes().bitmap_header(4, 1, 4, encoded, 8).zeros(4).words({-1, 0})});
    cases.push_back({"pixels past the end", StoredBytes().bitmap_header(4, 1, 4, encoded, 8).zeros(4).words({1, 4, 0, 4}).bytes({1, 2})});
    cases.push_back({"missing rows", StoredBytes().bitmap_header(4, 3, 4, encoded, 8).zeros(4).words({0, 0})});
    // 32767 empty rows of 32767 columns: four bytes a row describe a gigabyte.
    StoredBytes huge;
    huge.bitmap_header(32767, 32767, 32767, encoded, 8).zeros(4 + 4 * 32767);
    cases.push_back({"huge mostly transparent picture", huge});
    for (const Case& test : cases) {
        EXPECT_FALSE(expand_bitmap(test.stored.data()).has_value()) << test.what;
    }
}

// Random encoded bitmaps built span by span, with the picture they must give
// kept beside them.
TEST(BitmapExpansion, RandomEncodedBitmapsMatchTheirSpans) {
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        const int width = int(random() % 40);
        const int height = int(random() % 12);
        const bool wide = random() % 2;
        const bool padded = random() % 2;
        const bool row_table = random() % 2;
        const int bytes_per_pixel = wide ? 2 : 1;
        std::int16_t flags = bitmap_flag_run_encoded;
        flags |= wide ? bitmap_flag_wide_pixels : 0;
        flags |= padded ? bitmap_flag_padded_rows : 0;
        flags |= row_table ? 0 : bitmap_flag_no_row_table;
        StoredBytes stored;
        stored.bitmap_header(std::int16_t(width), std::int16_t(height), std::int16_t(width * bytes_per_pixel), flags,
                             std::int16_t(8 * bytes_per_pixel))
            .zeros(row_table ? 4 * std::size_t(height) : 4);
        std::vector<std::uint8_t> expected(std::size_t(width * height), 0);
        for (int row = 0; row < height; ++row) {
            std::vector<std::pair<int, int>> spans;
            for (int column = int(random() % 5); column < width; column += 1 + int(random() % 6)) {
                const int end = std::min(width, column + 1 + int(random() % 7));
                spans.emplace_back(column, end);
                column = end;
            }
            int pixel_count = 0;
            for (auto [first, end] : spans) {
                pixel_count += end - first;
            }
            stored.words({std::int32_t(spans.size()), pixel_count});
            for (auto [first, end] : spans) {
                stored.words({first, end});
            }
            for (auto [first, end] : spans) {
                for (int column = first; column < end; ++column) {
                    const std::uint8_t index = std::uint8_t(1 + random() % 255);
                    expected[std::size_t(row * width + column)] = index;
                    if (wide) {
                        stored.bytes({std::uint8_t(random() % 16), index});
                    } else {
                        stored.bytes({index});
                    }
                }
            }
            if (padded && (pixel_count * bytes_per_pixel) % 2 == 1) {
                stored.bytes({0});
            }
        }
        const auto image = expand_bitmap(stored.data());
        ASSERT_TRUE(image.has_value()) << "round " << round;
        EXPECT_EQ(image->width, width);
        EXPECT_EQ(image->height, height);
        EXPECT_EQ(image->indexes, expected) << "round " << round;
    }
}

}  // namespace
