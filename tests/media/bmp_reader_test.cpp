#include "media/bmp_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "bmp_bytes.h"

namespace {

using media_test::BmpFile;
using media_test::ramp_bmp;
using media_test::ramp_pixels;

TEST(BmpReader, BottomUpAndTopDownGiveTheSamePicture) {
    const bmp_read_result bottom_up = read_bmp(ramp_bmp(5, 3).bytes(), 100, 100);
    const bmp_read_result top_down = read_bmp(ramp_bmp(5, -3).bytes(), 100, 100);
    ASSERT_EQ(bottom_up.problem, bmp_problem::none);
    ASSERT_EQ(top_down.problem, bmp_problem::none);
    EXPECT_EQ(bottom_up.image.pixels, ramp_pixels(5, 3));
    EXPECT_EQ(top_down.image.pixels, ramp_pixels(5, 3));
    EXPECT_EQ(bottom_up.image.width, 5);
    EXPECT_EQ(top_down.image.height, 3);
    EXPECT_EQ(bottom_up.image.palette[10].red, 10);
    EXPECT_EQ(bottom_up.image.palette[10].green, 245);
    EXPECT_EQ(bottom_up.image.palette[10].blue, 5);
}

TEST(BmpReader, KeepsOnlyTheTopLeftCrop) {
    const bmp_read_result result = read_bmp(ramp_bmp(64, 48).bytes(), 37, 19);
    ASSERT_EQ(result.problem, bmp_problem::none);
    EXPECT_EQ(result.image.crop_width, 37);
    EXPECT_EQ(result.image.crop_height, 19);
    std::vector<std::uint8_t> expected;
    const auto full = ramp_pixels(64, 48);
    for (int y = 0; y < 19; ++y) {
        expected.insert(expected.end(), full.begin() + y * 64, full.begin() + y * 64 + 37);
    }
    EXPECT_EQ(result.image.pixels, expected);
}

TEST(BmpReader, PaletteFollowsTheHeaderWhateverItsSize) {
    BmpFile version_four = ramp_bmp(4, 2);
    version_four.header_size = 108;
    const bmp_read_result larger = read_bmp(version_four.bytes(), 4, 2);
    ASSERT_EQ(larger.problem, bmp_problem::none);
    EXPECT_EQ(larger.image.palette[200].red, 200);
    EXPECT_EQ(larger.image.pixels, ramp_pixels(4, 2));

    BmpFile short_palette = ramp_bmp(4, 2);
    short_palette.colors_used = 2;
    short_palette.palette_entries = 2;
    const bmp_read_result two_colours = read_bmp(short_palette.bytes(), 4, 2);
    ASSERT_EQ(two_colours.problem, bmp_problem::none);
    EXPECT_EQ(two_colours.image.palette[1].green, 254);
    EXPECT_EQ(two_colours.image.palette[2].red, 0);
    EXPECT_EQ(two_colours.image.palette[2].green, 0);
    EXPECT_EQ(two_colours.image.pixels, ramp_pixels(4, 2));
}

TEST(BmpReader, RefusesWhatItCannotRead) {
    struct Case {
        const char* what;
        bmp_problem expected;
        std::function<std::vector<std::byte>()> file;
    };
    auto changed = [](std::function<void(BmpFile&)> change) {
        return [change] {
            BmpFile file = ramp_bmp(6, 4);
            change(file);
            return file.bytes();
        };
    };
    const Case cases[] = {
        {"JPEG data", bmp_problem::not_a_bitmap,
         [] { return std::vector<std::byte>{std::byte{0xFF}, std::byte{0xD8}, std::byte{0xFF}, std::byte{0xE0},
                                            std::byte{0}, std::byte{16}, std::byte{'J'}, std::byte{'F'},
                                            std::byte{'I'}, std::byte{'F'}, std::byte{0}, std::byte{1},
                                            std::byte{1}, std::byte{0}, std::byte{0}, std::byte{1}}; }},
        {"four bits per pixel", bmp_problem::unsupported_format, changed([](BmpFile& file) { file.bit_count = 4; })},
        {"run-length compressed", bmp_problem::unsupported_format, changed([](BmpFile& file) { file.compression = 1; })},
        {"two planes", bmp_problem::unsupported_format, changed([](BmpFile& file) { file.planes = 2; })},
        {"OS/2 core header", bmp_problem::unsupported_format, changed([](BmpFile& file) { file.header_size = 12; })},
        {"zero width", bmp_problem::not_a_bitmap, changed([](BmpFile& file) { file.width = 0; })},
        {"negative width", bmp_problem::not_a_bitmap, changed([](BmpFile& file) { file.width = -6; })},
        {"zero height", bmp_problem::not_a_bitmap, changed([](BmpFile& file) { file.height = 0; })},
        {"height that has no magnitude", bmp_problem::not_a_bitmap, changed([](BmpFile& file) { file.height = INT_MIN; })},
        {"shorter than its headers", bmp_problem::truncated, [] {
             auto bytes = ramp_bmp(6, 4).bytes();
             bytes.resize(30);
             return bytes;
         }},
        {"pixels cut short", bmp_problem::truncated, [] {
             auto bytes = ramp_bmp(6, 4).bytes();
             bytes.pop_back();
             return bytes;
         }},
        {"huge width in a small file", bmp_problem::truncated, [] {
             auto bytes = ramp_bmp(6, 4).bytes();
             bytes[18] = bytes[19] = bytes[20] = std::byte{0xFF};
             bytes[21] = std::byte{0x7F};
             return bytes;
         }},
        {"header size past the end", bmp_problem::truncated, [] {
             auto bytes = ramp_bmp(6, 4).bytes();
             bytes[17] = std::byte{0x7F};
             return bytes;
         }},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(read_bmp(test.file(), 128, 128).problem, test.expected) << test.what;
    }
}

}  // namespace
