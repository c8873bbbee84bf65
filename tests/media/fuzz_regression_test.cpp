// Inputs that once made the media readers misbehave, kept so that the fixes stay
// in place: the files a fuzz target failed on (tests/regressions/<target>), fed
// to the reader that target calls, and hostile collections built here.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "media/bitmap_expansion.h"
#include "media/collection_reader.h"
#include "media/collection_writer.h"

namespace {

std::vector<std::filesystem::path> regression_inputs(const char* target) {
    const auto folder = std::filesystem::path(TESSARY_REGRESSIONS_FOLDER) / target;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.push_back(entry.path());
    return files;
}

std::vector<std::byte> file_bytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    return {reinterpret_cast<const std::byte*>(bytes.data()), reinterpret_cast<const std::byte*>(bytes.data()) + bytes.size()};
}

std::int32_t load_big_endian_32(const std::vector<std::byte>& bytes, std::size_t position) {
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < 4; ++index) value = value << 8 | std::to_integer<std::uint32_t>(bytes[position + index]);
    return std::int32_t(value);
}

void store_big_endian_32(std::vector<std::byte>& bytes, std::size_t position, std::int32_t value) {
    for (std::size_t index = 0; index < 4; ++index) bytes[position + index] = std::byte(std::uint32_t(value) >> (24 - 8 * index));
}

// A colour table, one long sequence and many empty ones, as the writer lays them out.
std::vector<std::byte> collection_with_sequences(int sequence_count, std::int16_t long_frames) {
    collection_source source;
    source.color_tables.push_back(color_table{});
    sequence head{};
    head.views = 1;
    sequence_contents long_sequence{"long", head, std::vector<sequence_frame>(std::size_t(long_frames)), {}};
    long_sequence.instance_indexes.assign(std::size_t(long_frames), 0);
    source.sequences.push_back(long_sequence);
    for (int index = 1; index < sequence_count; ++index) source.sequences.push_back({"empty", head, {}, {}});
    return *write_collection(source);
}

}  // namespace

// A zero-width bitmap with unencoded rows once indexed its empty picture.
TEST(MediaFuzzRegression, BitmapExpansionInputs) {
    const auto files = regression_inputs("bitmap_expand");
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        const auto image = expand_bitmap(file_bytes(file));
        if (image) {
            EXPECT_EQ(image->indexes.size(), std::size_t(image->width) * std::size_t(image->height)) << file;
        }
    }
}

// Every sequence reference naming the data of the one long sequence made a tag
// of about 60 KB take megabytes (and a tag of a megabyte, gigabytes).
TEST(MediaFuzzRegression, SequencesSharingTheirDataCannotMultiplyMemory) {
    constexpr int sequence_count = 64;
    std::vector<std::byte> tag = collection_with_sequences(sequence_count, 1000);
    const auto before = read_collection_contents(tag);
    ASSERT_TRUE(before);
    ASSERT_EQ(before->sequences.size(), std::size_t(sequence_count));
    EXPECT_EQ(before->sequences[0].frames.size(), 1000u);

    // Offsets in the header and in the references count from the data block.
    constexpr std::size_t data_start = collection_header_size;
    const std::size_t references = data_start + std::size_t(load_big_endian_32(tag, 132));
    const std::int32_t long_offset = load_big_endian_32(tag, references + 64);
    const std::int32_t long_size = load_big_endian_32(tag, references + 68);
    for (std::size_t index = 1; index < std::size_t(sequence_count); ++index) {
        store_big_endian_32(tag, references + 128 * index + 64, long_offset);
        store_big_endian_32(tag, references + 128 * index + 68, long_size);
    }
    EXPECT_FALSE(read_collection_contents(tag));

    // Two references to one short sequence stay readable: together they read less
    // than the tag holds.
    std::vector<std::byte> shared = collection_with_sequences(2, 10);
    const std::size_t shared_references = data_start + std::size_t(load_big_endian_32(shared, 132));
    store_big_endian_32(shared, shared_references + 128 + 64, load_big_endian_32(shared, shared_references + 64));
    store_big_endian_32(shared, shared_references + 128 + 68, load_big_endian_32(shared, shared_references + 68));
    const auto both = read_collection_contents(shared);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->sequences[1].frames.size(), 10u);
}
