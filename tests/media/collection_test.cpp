#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "core/byte_swap.h"
#include "media/collection_reader.h"
#include "media/collection_writer.h"
#include "sample_collection.h"

namespace {

using media_test::sample_collection;

std::vector<std::byte> written(const collection_source& source) {
    auto bytes = write_collection(source);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? *bytes : std::vector<std::byte>{};
}

void put_long(std::vector<std::byte>& bytes, std::int64_t offset, std::int32_t value) {
    for (int index = 0; index < 4; ++index) {
        bytes[std::size_t(offset + index)] = std::byte(std::uint32_t(value) >> (24 - 8 * index));
    }
}

std::int32_t get_long(const std::vector<std::byte>& bytes, std::int64_t offset) {
    std::uint32_t value = 0;
    for (int index = 0; index < 4; ++index) {
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[std::size_t(offset + index)]);
    }
    return std::int32_t(value);
}

void put_word(std::vector<std::byte>& bytes, std::int64_t offset, std::int16_t value) {
    bytes[std::size_t(offset)] = std::byte(std::uint16_t(value) >> 8);
    bytes[std::size_t(offset + 1)] = std::byte(std::uint16_t(value) & 0xFF);
}

template <typename Record>
bool same_bytes(const Record& first, const Record& second) {
    return std::memcmp(&first, &second, sizeof(Record)) == 0;
}

std::vector<std::uint8_t> low_bytes(const std::vector<std::uint16_t>& pixels) {
    std::vector<std::uint8_t> result;
    for (std::uint16_t pixel : pixels) {
        result.push_back(std::uint8_t(pixel & 0xFF));
    }
    return result;
}

TEST(CollectionFormat, ByteSwapCodesCoverEachRecord) {
    struct Case {
        const char* name;
        std::span<const std::int16_t> codes;
        std::int64_t size;
    } cases[] = {
        {"collection_header", collection_header_byte_swap_codes, sizeof(collection_header)},
        {"color_table", color_table_byte_swap_codes, sizeof(color_table)},
        {"hue_change", hue_change_byte_swap_codes, sizeof(hue_change)},
        {"bitmap_reference", bitmap_reference_byte_swap_codes, sizeof(bitmap_reference)},
        {"bitmap_instance", bitmap_instance_byte_swap_codes, sizeof(bitmap_instance)},
        {"sequence_reference", sequence_reference_byte_swap_codes, sizeof(sequence_reference)},
        {"sequence", sequence_byte_swap_codes, sizeof(sequence)},
        {"sequence_frame", sequence_frame_byte_swap_codes, sizeof(sequence_frame)},
        {"shadow_map", shadow_map_byte_swap_codes, sizeof(shadow_map)},
        {"bitmap", bitmap_byte_swap_codes, sizeof(bitmap)},
    };
    for (const Case& test : cases) {
        const byte_swap_walk_result walk = byte_swap_measure(test.codes);
        EXPECT_TRUE(walk.valid) << test.name;
        EXPECT_EQ(walk.bytes_covered, test.size) << test.name;
        EXPECT_EQ(std::size_t(walk.codes_used), test.codes.size()) << test.name;
    }
}

TEST(CollectionFormat, HeaderIsStoredBigEndian) {
    const std::vector<std::byte> tag = written(sample_collection());
    ASSERT_GE(tag.size(), 320u);
    // Data offset 320 = 0x140 at 248; two colour tables counted at 64.
    EXPECT_EQ(tag[248], std::byte{0});
    EXPECT_EQ(tag[250], std::byte{0x01});
    EXPECT_EQ(tag[251], std::byte{0x40});
    EXPECT_EQ(tag[67], std::byte{2});
    // The collection flags 0x100 at 4.
    EXPECT_EQ(tag[6], std::byte{0x01});
    EXPECT_EQ(tag[7], std::byte{0});
}

TEST(CollectionReader, WriterAndReaderRoundTrip) {
    const collection_source source = sample_collection();
    const std::vector<std::byte> tag = written(source);
    const auto contents = read_collection_contents(tag);
    ASSERT_TRUE(contents.has_value());
    EXPECT_EQ(contents->header.flags, source.flags);
    EXPECT_EQ(contents->header.data_size, std::int32_t(tag.size()) - 320);

    ASSERT_EQ(contents->color_tables.size(), 2u);
    ASSERT_EQ(contents->hue_changes.size(), 2u);
    ASSERT_EQ(contents->bitmap_instances.size(), 4u);
    ASSERT_EQ(contents->shadow_maps.size(), 1u);
    for (std::size_t index = 0; index < 2; ++index) {
        EXPECT_TRUE(same_bytes(contents->color_tables[index], source.color_tables[index]));
        EXPECT_TRUE(same_bytes(contents->hue_changes[index], source.hue_changes[index]));
    }
    for (std::size_t index = 0; index < 4; ++index) {
        EXPECT_TRUE(same_bytes(contents->bitmap_instances[index], source.bitmap_instances[index]));
    }
    EXPECT_TRUE(same_bytes(contents->shadow_maps[0], source.shadow_maps[0]));

    ASSERT_EQ(contents->sequences.size(), 2u);
    for (std::size_t index = 0; index < 2; ++index) {
        const sequence_contents& read = contents->sequences[index];
        const sequence_contents& expected = source.sequences[index];
        EXPECT_EQ(read.name, expected.name);
        sequence head = expected.head;
        head.frames = std::int16_t(expected.frames.size());
        EXPECT_TRUE(same_bytes(read.head, head));
        ASSERT_EQ(read.frames.size(), expected.frames.size());
        for (std::size_t frame = 0; frame < read.frames.size(); ++frame) {
            EXPECT_TRUE(same_bytes(read.frames[frame], expected.frames[frame]));
        }
        EXPECT_EQ(read.instance_indexes, expected.instance_indexes);
    }

    const auto collection = open_collection(tag);
    ASSERT_TRUE(collection.has_value());
    ASSERT_EQ(contents->bitmap_references.size(), source.bitmaps.size());
    for (std::size_t index = 0; index < source.bitmaps.size(); ++index) {
        const collection_bitmap& expected = source.bitmaps[index];
        const bitmap_reference& reference = contents->bitmap_references[index];
        EXPECT_EQ(collection_name(reference.name), expected.name);
        EXPECT_EQ(reference.width, expected.width);
        EXPECT_EQ(reference.height, expected.height);
        const auto header = read_bitmap_header(*bitmap_data_of(*collection, reference));
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(header->bits_per_pixel, expected.bits_per_pixel);
        EXPECT_EQ((header->flags & bitmap_flag_run_encoded) != 0, expected.run_encoded) << expected.name;
        EXPECT_EQ((header->flags & bitmap_flag_no_row_table) != 0, !expected.row_table) << expected.name;
        EXPECT_EQ((header->flags & bitmap_flag_wide_pixels) != 0, expected.bits_per_pixel == 16) << expected.name;
        const auto image = expand_collection_bitmap(*collection, reference);
        ASSERT_TRUE(image.has_value()) << expected.name;
        EXPECT_EQ(image->indexes, low_bytes(expected.pixels)) << expected.name;
    }
}

TEST(CollectionReader, SequenceNamesInOrderAndCutAt63Characters) {
    collection_source source = sample_collection();
    source.sequences.push_back({std::string(80, 'x'), sequence{}, {}, {}});
    const auto names = read_sequence_names(written(source));
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, (std::vector<std::string>{"walking", "standing", std::string(63, 'x')}));

    // A stored name that fills its whole field without a terminator.
    std::vector<std::byte> tag = written(sample_collection());
    const auto collection = open_collection(tag);
    const std::int64_t first_name = 320 + collection->header.sequence_references.offset;
    std::memset(&tag[std::size_t(first_name)], 'y', 64);
    EXPECT_EQ(read_sequence_names(tag)->front(), std::string(63, 'y'));
}

TEST(CollectionReader, DisplayReadsTheFirstColourTableAndOneBitmap) {
    const collection_source source = sample_collection();
    const std::vector<std::byte> tag = written(source);
    const auto display = read_collection_for_display(tag, 2);
    ASSERT_TRUE(display.has_value());
    EXPECT_EQ(display->hue_changes.size(), 2u);
    EXPECT_EQ(display->bitmap_references.size(), 4u);
    ASSERT_TRUE(display->colors.has_value());
    EXPECT_TRUE(same_bytes(*display->colors, source.color_tables[0]));
    ASSERT_TRUE(display->image.has_value());
    EXPECT_EQ(display->image->indexes, low_bytes(source.bitmaps[2].pixels));

    const auto beyond = read_collection_for_display(tag, 4);
    ASSERT_TRUE(beyond.has_value());
    EXPECT_FALSE(beyond->image.has_value());

    collection_source empty;
    const auto nothing = read_collection_for_display(written(empty), 0);
    ASSERT_TRUE(nothing.has_value());
    EXPECT_FALSE(nothing->colors.has_value());
    EXPECT_FALSE(nothing->image.has_value());
    EXPECT_TRUE(nothing->bitmap_references.empty());
}

TEST(CollectionReader, HostileCollectionsAreUnreadable) {
    const std::vector<std::byte> original = written(sample_collection());
    const collection_header header = open_collection(original)->header;
    const std::int64_t data = 320;
    const std::int64_t first_sequence_reference = data + header.sequence_references.offset;
    const std::int64_t first_sequence = data + get_long(original, first_sequence_reference + 64);
    const std::int64_t first_bitmap_reference = data + header.bitmap_references.offset;
    struct Case {
        const char* what;
        bool header_level;  // every reader refuses it, not only the full one
        std::function<void(std::vector<std::byte>&)> change;
    };
    const Case cases[] = {
        {"tag shorter than the header", true, [](auto& tag) { tag.resize(300); }},
        {"data offset not 320", true, [](auto& tag) { put_long(tag, 248, 64); }},
        {"data block past the end", true, [&](auto& tag) { put_long(tag, 252, header.data_size + 1); }},
        {"negative data size", true, [](auto& tag) { put_long(tag, 252, -1); }},
        {"huge hue change count", true, [](auto& tag) { put_long(tag, 80, 0x7FFFFFFF); }},
        {"more bitmap references than the section holds", true, [](auto& tag) { put_long(tag, 96, 5); }},
        {"instances past the data block", true, [&](auto& tag) { put_long(tag, 112 + 4, header.data_size - 10); }},
        {"negative sequence reference offset", true, [](auto& tag) { put_long(tag, 128 + 4, -128); }},
        {"negative shadow map count", true, [](auto& tag) { put_long(tag, 144, -1); }},
        {"remapping table past the end", true,
         [&](auto& tag) {
             put_long(tag, 160, 1);
             put_long(tag, 168, header.data_size + 1);
         }},
        {"sequence data past the data block", false,
         [&](auto& tag) { put_long(tag, first_sequence_reference + 64, 0x7FFFFF00); }},
        {"sequence with more frames than its data", false, [&](auto& tag) { put_word(tag, first_sequence + 10, 32767); }},
        {"sequence with negative views", false, [&](auto& tag) { put_word(tag, first_sequence + 8, -1); }},
        {"bitmap data past the data block", false,
         [&](auto& tag) { put_long(tag, first_bitmap_reference + 68, 0x7FFFFFFF); }},
        {"colour count over 256", false, [&](auto& tag) { put_long(tag, data + header.color_tables.offset, 257); }},
    };
    for (const Case& test : cases) {
        std::vector<std::byte> tag = original;
        test.change(tag);
        EXPECT_FALSE(read_collection_contents(tag).has_value()) << test.what;
        if (test.header_level) {
            EXPECT_FALSE(read_sequence_names(tag).has_value()) << test.what;
            EXPECT_FALSE(read_collection_for_display(tag, 0).has_value()) << test.what;
        }
    }
}

TEST(CollectionReader, ABrokenBitmapSpoilsItsDisplay) {
    std::vector<std::byte> tag = written(sample_collection());
    const auto contents = read_collection_contents(tag);
    const bitmap_reference& encoded = contents->bitmap_references[1];
    // The first row's pixel count of the second bitmap (no row table): one too many.
    const std::int64_t first_row = 320 + encoded.data_offset + 52;
    const std::int32_t counts = get_long(tag, first_row);  // span count, pixel count
    put_word(tag, first_row + 2, std::int16_t((counts & 0xFFFF) + 1));
    EXPECT_FALSE(read_collection_for_display(tag, 1).has_value());
    EXPECT_TRUE(read_collection_for_display(tag, 0).has_value());
}

TEST(CollectionWriter, InconsistentPartsAreRefused) {
    struct Case {
        const char* what;
        std::function<void(collection_source&)> change;
    };
    const Case cases[] = {
        {"pixel count not width times height", [](auto& source) { source.bitmaps[0].pixels.pop_back(); }},
        {"8-bit pixel above 255", [](auto& source) { source.bitmaps[0].pixels[0] = 256; }},
        {"twelve bits per pixel", [](auto& source) { source.bitmaps[0].bits_per_pixel = 12; }},
        {"frame without its views", [](auto& source) { source.sequences[0].instance_indexes.pop_back(); }},
    };
    for (const Case& test : cases) {
        collection_source source = sample_collection();
        test.change(source);
        EXPECT_FALSE(write_collection(source).has_value()) << test.what;
    }
}

}  // namespace
