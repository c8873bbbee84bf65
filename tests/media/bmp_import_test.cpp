#include "media/bmp_import.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "bmp_bytes.h"
#include "core/error_manager.h"
#include "media/shapes.h"
#include "media/stored_records.h"
#include "support/open_tag_files.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"

namespace {

using media_test::BmpFile;
using media_test::ramp_bmp;
using media_test::ramp_pixels;

std::string as_text(const std::vector<std::byte>& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

struct KindLayout {
    bitmap_import_kind kind;
    std::int16_t width, height;
    std::int32_t sequence_count;
    std::int32_t shadow_map, last_sequence, bitmap_data, bitmap_size, bitmap_reference, data_size;
    std::int16_t flags, shift;
};

constexpr KindLayout kind_layouts[] = {
    {bitmap_import_kind::overhead_map, 128, 128, 1, 2272, 2304, 2416, 16944, 19360, 19488, 0x2003, 7},
    {bitmap_import_kind::netmap_preview, 377, 190, 2, 2400, 2496, 2608, 72438, 75046, 75174, 0x2000, 0},
    {bitmap_import_kind::plugin_icon, 415, 120, 1, 2272, 2304, 2416, 50328, 52744, 52872, 0x2000, 0},
};

void expect_section(const collection_section& section, std::int32_t count, std::int32_t offset, std::int32_t size,
                    const char* what) {
    EXPECT_EQ(section.count, count) << what;
    EXPECT_EQ(section.offset, offset) << what;
    EXPECT_EQ(section.size, size) << what;
}

TEST(BitmapImportLayout, EachKindIsLaidOutAsTheGameExpects) {
    const bmp_image image = read_bmp(ramp_bmp(20, 10).bytes(), 1000, 1000).image;
    for (const KindLayout& layout : kind_layouts) {
        SCOPED_TRACE(int(layout.kind));
        const auto tag = write_collection(bitmap_import_collection(layout.kind, image));
        ASSERT_TRUE(tag.has_value());
        ASSERT_EQ(tag->size(), std::size_t(320 + layout.data_size));
        const collection_header header = open_collection(*tag)->header;
        expect_section(header.color_tables, 1, 0, 2080, "colour tables");
        expect_section(header.hue_changes, 0, 2080, 0, "hue changes");
        expect_section(header.bitmap_instances, 1, 2080, 64, "instances");
        expect_section(header.sequence_references, layout.sequence_count, 2144, 128 * layout.sequence_count, "sequences");
        expect_section(header.shadow_maps, 1, layout.shadow_map, 32, "shadow maps");
        expect_section(header.bitmap_references, 1, layout.bitmap_reference, 128, "bitmap references");
        expect_section(header.remapping_table_a, 0, 0, 0, "remapping table a");
        expect_section(header.remapping_table_b, 0, 0, 0, "remapping table b");
        EXPECT_EQ(header.data_offset, 320);
        EXPECT_EQ(header.data_size, layout.data_size);
        EXPECT_EQ(header.flags, 0);

        const std::span<const std::byte> data = std::span(*tag).subspan(320);
        bitmap_reference reference{};
        ASSERT_TRUE(load_record(data, layout.bitmap_reference, reference));
        EXPECT_STREQ(reference.name, "excession");
        EXPECT_EQ(reference.data_offset, layout.bitmap_data);
        EXPECT_EQ(reference.data_size, layout.bitmap_size);
        EXPECT_EQ(reference.width, layout.width);
        EXPECT_EQ(reference.height, layout.height);

        bitmap picture{};
        ASSERT_TRUE(load_record(data, layout.bitmap_data, picture));
        EXPECT_EQ(picture.width, layout.width);
        EXPECT_EQ(picture.height, layout.height);
        EXPECT_EQ(picture.bytes_per_row, layout.width);
        EXPECT_EQ(picture.flags, layout.flags);
        EXPECT_EQ(picture.bits_per_pixel, 8);
        EXPECT_EQ(picture.width_shift, layout.shift);
        EXPECT_EQ(picture.height_shift, layout.shift);
        EXPECT_EQ(picture.pixel_shift, 0);
        EXPECT_EQ(picture.pixel_format, 4);

        bitmap_instance instance{};
        ASSERT_TRUE(load_record(data, 2080, instance));
        EXPECT_EQ(instance.origin_x, layout.width / 2);
        EXPECT_EQ(instance.origin_y, layout.height / 2);
        EXPECT_EQ(instance.bitmap_index, 0);

        sequence_reference last_reference{};
        ASSERT_TRUE(load_record(data, 2144 + 128 * (layout.sequence_count - 1), last_reference));
        EXPECT_STREQ(last_reference.name, "fire upon the deep");
        EXPECT_EQ(last_reference.data_offset, layout.last_sequence);
        EXPECT_EQ(last_reference.data_size, 112);
        sequence last{};
        ASSERT_TRUE(load_record(data, layout.last_sequence, last));
        EXPECT_EQ(last.flags, 2);
        EXPECT_EQ(last.views, 1);
        EXPECT_EQ(last.frames, 1);
        EXPECT_EQ(last.engine_word, 1);
        EXPECT_EQ(last.engine_indexes[2], -1);
        EXPECT_EQ(last.engine_longs[0], -1);
        EXPECT_EQ(last.scale, 0);
        sequence_frame frame{};
        ASSERT_TRUE(load_record(data, layout.last_sequence + 64, frame));
        EXPECT_EQ(frame.key, -1);
        EXPECT_EQ(load_big_endian_16(&data[std::size_t(layout.last_sequence + 64 + 46)]), 0);

        if (layout.kind == bitmap_import_kind::netmap_preview) {
            sequence_reference first_reference{};
            ASSERT_TRUE(load_record(data, 2144, first_reference));
            EXPECT_EQ(std::strlen(first_reference.name), 21u);
            EXPECT_EQ(first_reference.data_offset, 2432);
            EXPECT_EQ(first_reference.data_size, 64);
            sequence first{};
            ASSERT_TRUE(load_record(data, 2432, first));
            EXPECT_EQ(first.views, 0);
            EXPECT_EQ(first.frames, 0);
            EXPECT_EQ(first.engine_word, 1);
            EXPECT_EQ(first.engine_longs[2], -1);
        }

        color_table colors{};
        ASSERT_TRUE(load_record(data, 0, colors));
        EXPECT_EQ(colors.count, 256);
        EXPECT_EQ(colors.colors[10].red, 10 * 256);
        EXPECT_EQ(colors.colors[10].green, 245 * 256);
        EXPECT_EQ(colors.colors[10].blue, 5 * 256);
        EXPECT_EQ(colors.colors[10].flags, 0);
    }
}

class BitmapImport : public test_support::OpenTagFilesTest {
protected:
    std::string picture(const std::string& name, const std::vector<std::byte>& bytes) const {
        folder.write_file("pictures/" + name, as_text(bytes));
        return (folder.path() / "pictures" / name).string();
    }

    // The expanded bitmap and colours of the `.256` tag the import wrote.
    collection_display imported(tag_handle handle) const {
        const auto display = collection_read_for_display(tag_get_subgroup(handle), 0);
        EXPECT_TRUE(display.has_value());
        EXPECT_TRUE(display && display->image.has_value());
        return display ? *display : collection_display{};
    }

};

std::vector<std::uint8_t> placed(const std::vector<std::uint8_t>& pixels, int width, int height, int target_width,
                                 int target_height) {
    std::vector<std::uint8_t> result(std::size_t(target_width * target_height), 0);
    for (int y = 0; y < std::min(height, target_height); ++y) {
        for (int x = 0; x < std::min(width, target_width); ++x) {
            result[std::size_t(y * target_width + x)] = pixels[std::size_t(y * width + x)];
        }
    }
    return result;
}

TEST_F(BitmapImport, OverheadMapOfASmallerPicture) {
    const bitmap_import_outcome outcome =
        import_bitmap_file(bitmap_import_kind::overhead_map, picture("map.bmp", ramp_bmp(100, 50).bytes()));
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    EXPECT_EQ(outcome.message, "");
    EXPECT_EQ(tag_get_group(outcome.handle), collection_group_tag);
    EXPECT_STREQ(tag_get_name(outcome.handle), "map.bmp");
    EXPECT_EQ(tag_get_version(outcome.handle), 4);
    EXPECT_EQ(tag_get_size(outcome.handle), 19808);
    EXPECT_EQ(std::filesystem::file_size(folder.path() / "local" / "collections" / "map.bmp"), 64u + 19808u);

    const collection_display display = imported(outcome.handle);
    ASSERT_EQ(display.bitmap_references.size(), 1u);
    EXPECT_EQ(display.bitmap_references[0].width, 128);
    EXPECT_EQ(display.bitmap_references[0].height, 128);
    EXPECT_EQ(display.image->indexes, placed(ramp_pixels(100, 50), 100, 50, 128, 128));
    EXPECT_EQ(display.colors->colors[200].green, 55 * 256);

    const bitmap_import_outcome top_down =
        import_bitmap_file(bitmap_import_kind::overhead_map, picture("top down.bmp", ramp_bmp(100, -50).bytes()));
    ASSERT_TRUE(top_down.succeeded);
    EXPECT_EQ(imported(top_down.handle).image->indexes, display.image->indexes);
}

TEST_F(BitmapImport, NetmapPreviewKeepsTheTopLeftOfALargerPicture) {
    const bitmap_import_outcome outcome =
        import_bitmap_file(bitmap_import_kind::netmap_preview, picture("arena.bmp", ramp_bmp(640, 480).bytes()));
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    const collection_display display = imported(outcome.handle);
    EXPECT_EQ(display.image->width, 377);
    EXPECT_EQ(display.image->height, 190);
    EXPECT_EQ(display.image->indexes, placed(ramp_pixels(640, 480), 640, 480, 377, 190));
    EXPECT_EQ(collection_sequence_names(tag_get_subgroup(outcome.handle))->size(), 2u);
}

TEST_F(BitmapImport, ImportingAgainReplacesTheTagOfThatName) {
    const std::string path = picture("map.bmp", ramp_bmp(10, 10).bytes());
    const tag_handle first = import_bitmap_file(bitmap_import_kind::overhead_map, path).handle;
    BmpFile changed = ramp_bmp(10, 10);
    changed.pixels.assign(100, 9);
    picture("map.bmp", changed.bytes());
    const bitmap_import_outcome second = import_bitmap_file(bitmap_import_kind::overhead_map, path);
    ASSERT_TRUE(second.succeeded);
    EXPECT_EQ(tag_get_subgroup(second.handle), tag_get_subgroup(first));
    EXPECT_EQ(tag_count_of_group(collection_group_tag), 1);
    EXPECT_EQ(imported(second.handle).image->indexes[0], 9);
}

TEST_F(BitmapImport, ASecondPluginIconReplacesTheFirst) {
    // A tag of another group that happens to carry the icon's subgroup stays.
    tag_handle other = tag_file_create(make_tag("mons"), "##p#", 1);
    ASSERT_NE(other, NONE);
    ASSERT_EQ(tag_get_subgroup(other), plugin_icon_subgroup);
    tag_file_close_local();

    ASSERT_TRUE(import_bitmap_file(bitmap_import_kind::plugin_icon, picture("first icon.bmp", ramp_bmp(30, 20).bytes())).succeeded);
    BmpFile second_picture = ramp_bmp(30, 20);
    second_picture.pixels.assign(600, 77);
    const bitmap_import_outcome second =
        import_bitmap_file(bitmap_import_kind::plugin_icon, picture("second icon.bmp", second_picture.bytes()));
    ASSERT_TRUE(second.succeeded) << second.message;

    tag_info query;
    tag_query_initialize(&query);
    query.subgroup = plugin_icon_subgroup;
    query.group = collection_group_tag;
    tag_handle icons[4];
    ASSERT_EQ(tag_query(&query, icons, 4), 1);
    EXPECT_EQ(icons[0], second.handle);
    EXPECT_STREQ(tag_get_name(second.handle), "second icon.bmp");
    EXPECT_EQ(imported(second.handle).image->indexes[0], 77);
    EXPECT_EQ(tag_find(make_tag("mons"), plugin_icon_subgroup), other);
}

TEST_F(BitmapImport, UnsuitableFilesGiveTheirMessageAndWriteNothing) {
    BmpFile four_bits = ramp_bmp(8, 8);
    four_bits.bit_count = 4;
    BmpFile run_length = ramp_bmp(8, 8);
    run_length.compression = 1;
    const std::string jpeg = picture("photo.bmp", {std::byte{0xFF}, std::byte{0xD8}, std::byte{0xFF}, std::byte{0xE0},
                                                   std::byte{0}, std::byte{16}, std::byte{'J'}, std::byte{'F'},
                                                   std::byte{'I'}, std::byte{'F'}, std::byte{0}, std::byte{1},
                                                   std::byte{1}, std::byte{0}, std::byte{0}, std::byte{1}});
    BmpFile cut = ramp_bmp(8, 8);
    std::vector<std::byte> cut_bytes = cut.bytes();
    cut_bytes.resize(cut_bytes.size() - 8);
    const std::string cut_path = picture("cut.bmp", cut_bytes);
    const std::string missing = (folder.path() / "pictures" / "missing.bmp").string();
    struct Case {
        std::string path;
        std::string message;
    } cases[] = {
        {picture("four.bmp", four_bits.bytes()), "Tessary only supports 8-bit uncompressed Windows bitmaps"},
        {picture("rle.bmp", run_length.bytes()), "Tessary only supports 8-bit uncompressed Windows bitmaps"},
        {jpeg, jpeg + " is not a valid bitmap file!"},
        {cut_path, cut_path + " is not a valid bitmap file!"},
        {missing, missing + " could not be read."},
    };
    for (const Case& test : cases) {
        for (bitmap_import_kind kind : {bitmap_import_kind::overhead_map, bitmap_import_kind::plugin_icon}) {
            const bitmap_import_outcome outcome = import_bitmap_file(kind, test.path);
            EXPECT_FALSE(outcome.succeeded) << test.path;
            EXPECT_EQ(outcome.message, test.message);
            EXPECT_EQ(outcome.caption, "Error");
            EXPECT_EQ(outcome.handle, NONE);
        }
    }
    EXPECT_EQ(tag_count_of_group(collection_group_tag), 0);
}

// The command that runs ImageMagick here: its Debian binary, or whatever
// "convert" is on the path, when it is the real program.
std::string image_magick_command() {
    for (const char* command : {"/usr/bin/convert", "convert"}) {
        const std::string probe = std::string(command) + " -version 2>/dev/null";
        if (FILE* pipe = popen(probe.c_str(), "r")) {
            char line[256] = {};
            const bool real = std::fgets(line, sizeof line, pipe) && std::strncmp(line, "Version: ImageMagick", 20) == 0;
            pclose(pipe);
            if (real) {
                return command;
            }
        }
    }
    return {};
}

TEST_F(BitmapImport, PicturesWrittenByImageMagickKeepTheirColours) {
    const std::string convert = image_magick_command();
    if (convert.empty()) {
        GTEST_SKIP() << "ImageMagick is not installed";
    }
    const std::filesystem::path bmp = folder.path() / "plasma.bmp";
    const std::filesystem::path raw = folder.path() / "plasma.rgb";
    const std::filesystem::path compressed = folder.path() / "compressed.bmp";
    const std::string source = convert + " -size 150x90 -seed 7 plasma:fractal -colors 180 -type palette ";
    // Palette pictures are run-length compressed unless told otherwise.
    const std::string make = source + "BMP3:'" + compressed.string() + "' && " + source + "-compress none BMP3:'" +
                             bmp.string() + "' && " + convert + " '" + bmp.string() + "' -depth 8 'rgb:" + raw.string() + "'";
    ASSERT_EQ(std::system(make.c_str()), 0) << make;
    EXPECT_EQ(import_bitmap_file(bitmap_import_kind::overhead_map, compressed.string()).message,
              "Tessary only supports 8-bit uncompressed Windows bitmaps");
    std::ifstream raw_file(raw, std::ios::binary);
    const std::string rgb((std::istreambuf_iterator<char>(raw_file)), std::istreambuf_iterator<char>());
    ASSERT_EQ(rgb.size(), std::size_t(150 * 90 * 3));

    const bitmap_import_outcome outcome = import_bitmap_file(bitmap_import_kind::overhead_map, bmp.string());
    ASSERT_TRUE(outcome.succeeded) << outcome.message;
    const collection_display display = imported(outcome.handle);
    int compared = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const std::uint8_t index = display.image->indexes[std::size_t(y * 128 + x)];
            if (y >= 90) {
                ASSERT_EQ(index, 0) << x << "," << y;
                continue;
            }
            const rgb_color& color = display.colors->colors[index];
            const std::size_t at = std::size_t(y * 150 + x) * 3;
            ASSERT_EQ(color.red, std::uint8_t(rgb[at]) * 256) << x << "," << y;
            ASSERT_EQ(color.green, std::uint8_t(rgb[at + 1]) * 256) << x << "," << y;
            ASSERT_EQ(color.blue, std::uint8_t(rgb[at + 2]) * 256) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 128 * 90);
}

}  // namespace
