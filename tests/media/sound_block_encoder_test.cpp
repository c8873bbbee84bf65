#include "media/sound_block_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "media/sound_import.h"
#include "media/wave_writer.h"
#include "support/working_folder.h"

namespace {

// The blocks as the import describes them, one block at a time through
// encode_sound_block: each channel's samples in blocks of 64 padded with
// silence, its state carried on, left and right blocks alternating, headers
// big-endian.
std::vector<std::byte> blocks_one_at_a_time(const std::vector<std::int16_t>& samples, int channels) {
    const std::size_t frames = samples.size() / std::size_t(channels);
    const std::size_t blocks = (frames + 63) / 64;
    std::vector<std::byte> output(blocks * std::size_t(channels) * 34);
    for (int channel = 0; channel < channels; ++channel) {
        int predictor = 0, step_index = 0;
        for (std::size_t block = 0; block < blocks; ++block) {
            std::int16_t block_samples[64] = {};
            for (std::size_t at = 0; at < 64 && block * 64 + at < frames; ++at)
                block_samples[at] = samples[(block * 64 + at) * std::size_t(channels) + std::size_t(channel)];
            std::byte* stored = output.data() + (block * std::size_t(channels) + std::size_t(channel)) * 34;
            const std::uint16_t header = sound_block_header(predictor, step_index);
            stored[0] = std::byte(header >> 8);
            stored[1] = std::byte(header & 0xFF);
            encode_sound_block(block_samples, 64, reinterpret_cast<std::uint8_t*>(stored + 2), &step_index,
                               &predictor);
        }
    }
    return output;
}

std::vector<std::int16_t> noisy_tone(std::size_t count) {
    std::vector<std::int16_t> samples(count);
    std::uint32_t noise = 7;
    for (std::size_t at = 0; at < count; ++at) {
        noise = noise * 1664525u + 1013904223u;
        const int tone = int(12000 * ((at / 37) % 2 ? 1 : -1)) + int(noise >> 20) - 2048;
        samples[at] = std::int16_t(std::clamp(tone * int(1 + at % 3), -32768, 32767));
    }
    return samples;
}

// Fed a piece at a time, whatever the pieces, the encoder gives the blocks of
// the whole sound.
TEST(SoundBlockEncoder, PiecesOfAnySizeGiveTheBlocksOfTheWholeSound) {
    for (const int channels : {1, 2}) {
        for (const std::size_t frames :
             {std::size_t{1}, std::size_t{64}, std::size_t{1000}, std::size_t{70001}}) {
            const std::vector<std::int16_t> samples = noisy_tone(frames * std::size_t(channels));
            const std::vector<std::byte> expected = blocks_one_at_a_time(samples, channels);
            ASSERT_EQ(std::int64_t(expected.size()),
                      sound_block_encoder::compressed_size(std::int64_t(frames), channels));
            for (const std::size_t piece :
                 {std::size_t{1}, std::size_t{63}, std::size_t{65}, std::size_t{4096}, frames}) {
                sound_block_encoder encoder(channels, sound_block_headers::stored);
                std::vector<std::byte> output(expected.size());
                std::size_t written = 0;
                for (std::size_t first = 0; first < frames; first += piece) {
                    const std::size_t count = std::min(piece, frames - first);
                    written += encoder.encode(std::span(samples).subspan(first * std::size_t(channels),
                                                                         count * std::size_t(channels)),
                                              output.data() + written);
                }
                written += encoder.finish(output.data() + written);
                EXPECT_EQ(written, expected.size());
                EXPECT_EQ(output, expected)
                    << channels << " channels, " << frames << " frames in pieces of " << piece;
            }
        }
    }
}

// A file longer than the import reads at a time gives the blocks of the whole.
TEST(SoundBlockEncoder, ALongFileImportsAsTheWholeSound) {
    test_support::WorkingFolder folder;
    for (const int channels : {1, 2}) {
        const std::vector<std::int16_t> samples = noisy_tone(200003 * std::size_t(channels));
        const auto path = folder.path() / ("long" + std::to_string(channels) + ".wav");
        const std::vector<std::byte> file = wave_file_bytes(samples, channels, 22050).value();
        folder.write_file(path.filename().string(),
                          std::string(reinterpret_cast<const char*>(file.data()), file.size()));
        sound_tag sound = new_sound_tag();
        ASSERT_TRUE(import_sound_permutation_file(sound, path.string()).succeeded);
        const sound_tag_permutation& permutation = sound.permutations.at(0);
        EXPECT_EQ(permutation.header.count, std::int32_t((200003 + 63) / 64 * channels));
        EXPECT_EQ(permutation.data, blocks_one_at_a_time(samples, channels)) << channels;
    }
}

}  // namespace
