#include "media/sound_tag.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/error_manager.h"
#include "support/open_tag_files.h"
#include "support/sound_permutation.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace {

using definitions::sampled_sound_header;

std::int64_t big_endian(const std::vector<std::byte>& bytes, std::size_t offset, int width) {
    std::uint32_t value = 0;
    for (int index = 0; index < width; ++index) value = value << 8 | std::to_integer<std::uint32_t>(bytes[offset + std::size_t(index)]);
    return width == 4 ? std::int64_t(std::int32_t(value)) : std::int64_t(value);
}

void put_big_endian(std::vector<std::byte>& bytes, std::size_t offset, std::int64_t value, int width) {
    for (int index = 0; index < width; ++index) {
        bytes[offset + std::size_t(index)] = std::byte((std::uint64_t(value) >> (8 * (width - 1 - index))) & 0xFF);
    }
}

// A compressed mono permutation of that many blocks, its data bytes all marker.
sound_tag_permutation permutation_of(const char* name, std::int32_t blocks, std::uint8_t marker) {
    return test_support::marked_permutation(name, blocks, marker, 0x4000, 44100);
}

sound_tag two_permutations() {
    sound_tag sound = new_sound_tag();
    sound.permutations.push_back(permutation_of("first", 10, 0xA1));
    sound.permutations.push_back(permutation_of("second", 20, 0xB2));
    return sound;
}

TEST(SoundTag, SavingLaysTheRegionsOutWithoutGaps) {
    const std::optional<std::vector<std::byte>> bytes = write_sound_tag(two_permutations());
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 192u + 340 + 680);
    EXPECT_EQ(big_endian(*bytes, 20, 4), 128) << "sample header offset";
    EXPECT_EQ(big_endian(*bytes, 24, 4), 1084) << "sample region size";
    EXPECT_EQ(big_endian(*bytes, 36, 4), 2) << "permutation count";
    EXPECT_EQ(big_endian(*bytes, 40, 4), 64) << "permutation list offset";
    EXPECT_EQ(big_endian(*bytes, 44, 4), 64) << "permutation list size";
    EXPECT_EQ(std::memcmp(bytes->data() + 64 + 6, "first", 6), 0) << "permutation list at 64";
    EXPECT_EQ(big_endian(*bytes, 64 + 2, 2), 0x4000);
    EXPECT_EQ(std::memcmp(bytes->data() + 96 + 6, "second", 7), 0);
    EXPECT_EQ(big_endian(*bytes, 128, 4), 1) << "headers at 128";
    EXPECT_EQ(big_endian(*bytes, 128 + 16, 4), 10);
    EXPECT_EQ(big_endian(*bytes, 160 + 16, 4), 20);
    EXPECT_EQ(big_endian(*bytes, 160 + 12, 4), std::int64_t(std::int32_t(0xAC440000))) << "44100 Hz as unsigned 16.16";
    EXPECT_EQ((*bytes)[191], std::byte{0});
    EXPECT_EQ((*bytes)[192], std::byte{0xA1}) << "data at 192";
    EXPECT_EQ((*bytes)[531], std::byte{0xA1});
    EXPECT_EQ((*bytes)[532], std::byte{0xB2}) << "data at 532";
    EXPECT_EQ(bytes->back(), std::byte{0xB2});
    EXPECT_EQ(big_endian(*bytes, 4, 2), 1) << "the definition's own fields are kept: loudness Normal";
    EXPECT_EQ(big_endian(*bytes, 6, 2), 65535);
}

TEST(SoundTag, ReadingGivesBackWhatWasWritten) {
    const std::vector<std::byte> bytes = *write_sound_tag(two_permutations());
    std::vector<std::byte> with_stale_bytes = bytes;
    with_stale_bytes.insert(with_stale_bytes.end(), 100, std::byte{0xEE});
    for (const auto& data : {bytes, with_stale_bytes}) {
        const sound_tag_read_result read = read_sound_tag(data);
        ASSERT_TRUE(read.sound) << read.problem;
        ASSERT_EQ(read.sound->permutations.size(), 2u);
        EXPECT_STREQ(read.sound->permutations[1].permutation.name, "second");
        EXPECT_EQ(read.sound->permutations[1].permutation.skip_fraction, 0x4000);
        EXPECT_EQ(read.sound->permutations[1].header.sample_rate >> 16, 44100u);
        EXPECT_EQ(read.sound->permutations[0].data, two_permutations().permutations[0].data);
        EXPECT_EQ(write_sound_tag(*read.sound), bytes) << "saving again drops the bytes after the regions";
    }
    // A new tag holds the default record alone.
    const std::vector<std::byte> empty = *write_sound_tag(new_sound_tag());
    ASSERT_EQ(empty.size(), 64u);
    std::vector<std::byte> default_record = empty;
    put_big_endian(default_record, 20, 0, 4);
    put_big_endian(default_record, 40, 0, 4);
    const sound_tag_read_result read = read_sound_tag(default_record);
    ASSERT_TRUE(read.sound) << read.problem;
    EXPECT_TRUE(read.sound->permutations.empty());
    EXPECT_EQ(read.sound->definition.play_fraction, 65535);
}

struct Damage {
    const char* what;
    std::size_t offset;
    std::int64_t value;
    int width;
    const char* problem;
};

// Offsets in the two-permutation tag: the definition's fields, the second
// sample header at 160.
const Damage damages[] = {
    {"six permutations", 36, 6, 4, "the sound has 6 permutations; at most 5 can be edited"},
    {"a negative count", 36, -1, 4, "the permutation count -1 is negative"},
    {"a list size that is not 32 n", 44, 60, 4, "the permutation list size 60 does not match 2 permutations"},
    {"a wrong sample header offset", 20, 100, 4, "the sample header offset 100 is not 128"},
    {"an inexact sample region size", 24, 1083, 4, "the sample region size 1083 is not the 1084 bytes of headers and samples"},
    {"samples past the end", 160 + 16, 21, 4, "the samples of permutation 1 run past the end of the tag (1212 bytes)"},
    {"a huge block count", 160 + 16, 0x7FFFFFFF, 4, "the samples of permutation 1 run past the end of the tag (1212 bytes)"},
    {"a negative block count", 160 + 16, -5, 4, "the sample header of permutation 1 gives no data size"},
};

TEST(SoundTag, DamagedTagsAreRefused) {
    const std::vector<std::byte> bytes = *write_sound_tag(two_permutations());
    for (const Damage& damage : damages) {
        std::vector<std::byte> damaged = bytes;
        put_big_endian(damaged, damage.offset, damage.value, damage.width);
        const sound_tag_read_result read = read_sound_tag(damaged);
        EXPECT_FALSE(read.sound) << damage.what;
        EXPECT_EQ(read.problem, damage.problem) << damage.what;
    }
    std::vector<std::byte> wild_shift = bytes;
    put_big_endian(wild_shift, 160, 0, 4);  // uncompressed
    put_big_endian(wild_shift, 160 + 6, 40, 2);
    EXPECT_EQ(read_sound_tag(wild_shift).problem, "the sample header of permutation 1 gives no data size");

    std::vector<std::byte> truncated = bytes;
    truncated.pop_back();
    EXPECT_EQ(read_sound_tag(truncated).problem, "the samples of permutation 1 run past the end of the tag (1211 bytes)");
    truncated.resize(150);
    EXPECT_EQ(read_sound_tag(truncated).problem, "the permutation list and sample headers need 192 bytes; the tag holds 150");
    truncated.resize(63);
    EXPECT_EQ(read_sound_tag(truncated).problem, "the tag holds 63 bytes, fewer than the 64 of a sound definition");
}

TEST(SoundTag, WritingRefusesWhatNoTagCanHold) {
    sound_tag sound = two_permutations();
    sound.permutations[0].data.pop_back();
    EXPECT_FALSE(write_sound_tag(sound)) << "data that does not match its header";
    sound = two_permutations();
    while (sound.permutations.size() < 6) sound.permutations.push_back(permutation_of("more", 1, 0));
    EXPECT_FALSE(write_sound_tag(sound));
}

TEST(SoundTag, DecodingStereoTakesBlockPairs) {
    sound_tag_permutation stereo = permutation_of("stereo", 3, 0x00);
    stereo.header.channels = 2;
    const auto samples = decode_sound_permutation(stereo);
    ASSERT_TRUE(samples);
    EXPECT_EQ(samples->size(), 128u) << "one pair; the odd last block has no partner";
    stereo.header.flags = 0;
    stereo.header.count = 102;
    EXPECT_FALSE(decode_sound_permutation(stereo)) << "only block-compressed data decodes";
}

class SoundTagFile : public test_support::OpenTagFilesTest {};

TEST_F(SoundTagFile, SavingReplacesTheWholeTag) {
    tag_handle handle = tag_file_create(sound_group_tag, "creak", tag_group_get_version(sound_group_tag));
    ASSERT_NE(handle, NONE);
    ASSERT_TRUE(save_sound_tag(handle, two_permutations()));
    EXPECT_EQ(tag_get_size(handle), 1212);
    sound_tag smaller = new_sound_tag();
    smaller.permutations.push_back(permutation_of("only", 3, 0xC3));
    ASSERT_TRUE(save_sound_tag(handle, smaller));
    EXPECT_EQ(tag_get_size(handle), 64 + 64 + 102) << "no stale bytes after a shrunken sound";
    const sound_tag_read_result read = load_sound_tag(handle);
    ASSERT_TRUE(read.sound) << read.problem;
    ASSERT_EQ(read.sound->permutations.size(), 1u);
    EXPECT_STREQ(read.sound->permutations[0].permutation.name, "only");

    sound_tag unsaveable = smaller;
    unsaveable.permutations[0].data.push_back(std::byte{1});
    EXPECT_FALSE(save_sound_tag(handle, unsaveable));
    EXPECT_EQ(tag_get_size(handle), 64 + 64 + 102) << "a failed save leaves the tag as it was";
}

}  // namespace
