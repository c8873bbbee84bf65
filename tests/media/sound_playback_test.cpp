#include "media/sound_playback.h"

#include <gtest/gtest.h>

#include <cstring>

#include "media/sound_block_codec.h"
#include "media/sound_import.h"
#include "support/working_folder.h"
#include "wave_files.h"

namespace {

constexpr sound_playback_decoding both_decodings[] = {sound_playback_decoding::direct,
                                                      sound_playback_decoding::conversion};

const char* name_of(sound_playback_decoding decoding) {
    return decoding == sound_playback_decoding::direct ? "direct" : "conversion";
}

// Blocks of one or two channels, each a big-endian header and its 32 code bytes.
sound_tag_permutation compressed(int channels, std::uint32_t rate,
                                 const std::vector<std::pair<std::uint16_t, std::vector<std::uint8_t>>>& blocks) {
    sound_tag_permutation permutation;
    definitions::sampled_sound_header& header = permutation.header;
    header.flags = definitions::sampled_sound_compressed;
    header.bits_per_sample = 16;
    header.sample_size_shift = 1;
    header.channels = std::int16_t(channels);
    header.sample_rate = rate << 16;
    header.count = std::int32_t(blocks.size());
    for (const auto& [block_header, codes] : blocks) {
        permutation.data.push_back(std::byte(block_header >> 8));
        permutation.data.push_back(std::byte(block_header & 0xFF));
        for (int index = 0; index < 32; ++index)
            permutation.data.push_back(std::byte(index < std::ssize(codes) ? codes[std::size_t(index)] : 0));
    }
    return permutation;
}

TEST(SoundPlayback, MonoBlocksDecodeFromTheirHeaders) {
    // Predictor 0, step index 0; the first two codes are 7, the rest 0.
    const sound_tag_permutation mono = compressed(1, 22050, {{0x0000, {0x77}}});
    for (const sound_playback_decoding decoding : both_decodings) {
        const std::optional<sound_playback> playback = sound_playback_of(mono, decoding);
        ASSERT_TRUE(playback) << name_of(decoding);
        EXPECT_EQ(playback->channels, 1);
        EXPECT_EQ(playback->sample_rate, 22050);
        ASSERT_EQ(playback->samples.size(), 64u) << name_of(decoding);
        // 7 + 3 + 1 + 0 = 11 at step 7; 16 + 8 + 4 + 2 = 30 at step 16; then s >> 3 at steps 34 and 31.
        EXPECT_EQ(std::vector<std::int16_t>(playback->samples.begin(), playback->samples.begin() + 4),
                  (std::vector<std::int16_t>{11, 41, 45, 48}))
            << name_of(decoding);
    }
}

TEST(SoundPlayback, StereoPlaysInterleavedFromBlockPairs) {
    // Predictors 4096 (left) and -4096 (right) at the smallest step: code 0 adds 7 >> 3 = 0.
    // The fifth block has no partner and is left out.
    const sound_tag_permutation stereo =
        compressed(2, 44100, {{0x1000, {}}, {0xF000, {}}, {0x1000, {}}, {0xF000, {}}, {0x1000, {}}});
    for (const sound_playback_decoding decoding : both_decodings) {
        const std::optional<sound_playback> playback = sound_playback_of(stereo, decoding);
        ASSERT_TRUE(playback) << name_of(decoding);
        EXPECT_EQ(playback->channels, 2);
        EXPECT_EQ(playback->sample_rate, 44100);
        ASSERT_EQ(playback->samples.size(), 256u) << name_of(decoding);
        for (std::size_t index = 0; index < playback->samples.size(); ++index)
            ASSERT_EQ(playback->samples[index], index % 2 == 0 ? 4096 : -4096) << name_of(decoding) << " " << index;
    }
}

// The samples of every block, decoded one block at a time and interleaved by hand.
std::vector<std::int16_t> decoded_block_by_block(const sound_tag_permutation& permutation) {
    const int channels = permutation.header.channels;
    const std::int32_t frames_of_blocks = permutation.header.count / channels;
    std::vector<std::int16_t> samples(std::size_t(frames_of_blocks) * channels * 64);
    for (std::int32_t block = 0; block < frames_of_blocks * channels; ++block) {
        const std::byte* at = permutation.data.data() + std::size_t(block) * 34;
        const auto header = std::uint16_t(std::to_integer<unsigned>(at[0]) << 8 | std::to_integer<unsigned>(at[1]));
        std::int16_t decoded[64];
        decode_sound_block(header, reinterpret_cast<const std::uint8_t*>(at + 2), decoded, 64);
        const std::int32_t pair = block / channels;
        const int channel = block % channels;
        for (int index = 0; index < 64; ++index)
            samples[std::size_t((pair * 64 + index) * channels + channel)] = decoded[index];
    }
    return samples;
}

TEST(SoundPlayback, ImportedFilesPlayWhatTheBlockDecoderGives) {
    test_support::WorkingFolder folder;
    const std::pair<const char*, const char*> files[] = {
        {"mono.wav", "-r 11025 -c 1 -b 16 -e signed-integer"},
        {"stereo.wav", "-r 44100 -c 2 -b 16 -e signed-integer"},
    };
    for (const auto& [name, arguments] : files) {
        media_test::make_with_sox(folder.path() / name, arguments, "5000s");
        sound_tag sound = new_sound_tag();
        ASSERT_TRUE(import_sound_permutation_file(sound, (folder.path() / name).string()).succeeded) << name;
        const sound_tag_permutation& permutation = sound.permutations.at(0);
        const std::vector<std::int16_t> expected = decoded_block_by_block(permutation);
        for (const sound_playback_decoding decoding : both_decodings) {
            const std::optional<sound_playback> playback = sound_playback_of(permutation, decoding);
            ASSERT_TRUE(playback) << name << " " << name_of(decoding);
            EXPECT_EQ(playback->channels, permutation.header.channels) << name;
            EXPECT_EQ(playback->sample_rate, std::int32_t(permutation.header.sample_rate >> 16)) << name;
            EXPECT_EQ(playback->samples, expected) << name << " " << name_of(decoding);
        }
    }
}

// Read in pieces of any size, across the chunks the stream decodes at a time,
// a stream gives what the whole sound decodes to, on both paths.
TEST(SoundPlayback, AStreamReadInPiecesGivesTheWholeSound) {
    test_support::WorkingFolder folder;
    media_test::make_with_sox(folder.path() / "long.wav", "-r 22050 -c 2 -b 16 -e signed-integer", "20000s");
    sound_tag sound = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(sound, (folder.path() / "long.wav").string()).succeeded);
    const sound_tag_permutation& permutation = sound.permutations.at(0);
    const std::vector<std::int16_t> expected = decoded_block_by_block(permutation);
    ASSERT_GT(expected.size(), 4u * 64 * 128) << "several chunks";
    for (const sound_playback_decoding decoding : both_decodings) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{127}, std::size_t{8193}, expected.size() + 5}) {
            std::optional<sound_playback_stream> stream = sound_playback_stream_of(permutation, decoding);
            ASSERT_TRUE(stream);
            EXPECT_EQ(stream->sample_count(), std::int64_t(expected.size()));
            std::vector<std::int16_t> played;
            std::vector<std::int16_t> buffer(piece);
            std::size_t written = piece;
            while (written == piece) {
                written = stream->read(buffer);
                played.insert(played.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(written));
            }
            EXPECT_EQ(played, expected) << name_of(decoding) << ", pieces of " << piece;
            EXPECT_EQ(stream->read(buffer), 0u) << "the end stays the end";
        }
    }
}

TEST(SoundPlayback, OnlyCompressedSixteenBitMonoOrStereoPlays) {
    const sound_tag_permutation playable = compressed(1, 22050, {{0x0000, {0x77}}, {0x0000, {}}});
    struct Case {
        const char* what;
        void (*spoil)(sound_tag_permutation&);
    };
    const Case cases[] = {
        {"uncompressed samples",
         [](sound_tag_permutation& p) {
             p.header.flags = 0;
             p.header.count = 34;  // 68 bytes of 16-bit samples
         }},
        {"8-bit samples", [](sound_tag_permutation& p) { p.header.bits_per_sample = 8; }},
        {"no channel", [](sound_tag_permutation& p) { p.header.channels = 0; }},
        {"three channels", [](sound_tag_permutation& p) { p.header.channels = 3; }},
        {"data shorter than its header says", [](sound_tag_permutation& p) { p.data.pop_back(); }},
    };
    const sound_tag_permutation empty = compressed(2, 22050, {});
    for (const sound_playback_decoding decoding : both_decodings) {
        EXPECT_TRUE(sound_playback_of(playable, decoding)) << name_of(decoding);
        const std::optional<sound_playback> silent = sound_playback_of(empty, decoding);
        ASSERT_TRUE(silent) << "no blocks: no samples, " << name_of(decoding);
        EXPECT_TRUE(silent->samples.empty()) << name_of(decoding);
        for (const Case& spoiled : cases) {
            sound_tag_permutation permutation = playable;
            spoiled.spoil(permutation);
            EXPECT_FALSE(sound_playback_of(permutation, decoding)) << spoiled.what << ", " << name_of(decoding);
        }
    }
}

}  // namespace
