#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/memory.h"
#include "core/warnings.h"
#include "media/sound_block_codec.h"
#include "media/sound_intermediate.h"

namespace {

struct DecodeCase {
    const char* what;
    std::uint16_t header;
    std::vector<std::uint8_t> codes;  // the first bytes of the block; the rest are 0
    std::vector<std::int16_t> first_samples;
};

// Worked by hand from the step-size and index-adjustment tables.
const DecodeCase decode_cases[] = {
    {"silence stays at the predictor", 0x0000, {0x00}, {0, 0}},
    {"predictor and step index from the header", 0x1234, {0x00, 0x00}, {4740, 4860, 4969}},
    {"even sample in the low nibble", 0x0000, {0x70}, {0, 11}},
    {"rising codes", 0x0000, {0x77, 0x07}, {11, 41, 104, 104 + 9}},
    {"falling codes", 0x0000, {0xFF}, {-11, -41}},
    {"predictor clamped both ways, step index held at 88", 0x7FD8, {0x77, 0xFF}, {32767, 32767, -28669, -32768}},
    {"a step index above 88 is taken as 88", 0x007F, {0x00}, {4095, 4095 + 3724}},
};

TEST(SoundBlockCodec, DecodesAsTheTablesSay) {
    for (const DecodeCase& example : decode_cases) {
        std::uint8_t codes[32] = {};
        std::memcpy(codes, example.codes.data(), example.codes.size());
        std::int16_t output[64];
        decode_sound_block(example.header, codes, output, 64);
        for (std::size_t index = 0; index < example.first_samples.size(); ++index) {
            EXPECT_EQ(output[index], example.first_samples[index]) << example.what << ", sample " << index;
        }
    }
}

TEST(SoundBlockCodec, EncodesAndCarriesTheExactState) {
    const std::int16_t samples[] = {11, 41, 104, 104};
    std::uint8_t codes[2] = {};
    int step_index = 0;
    int predictor = 0;
    encode_sound_block(samples, 4, codes, &step_index, &predictor);
    EXPECT_EQ(codes[0], 0x77);
    EXPECT_EQ(codes[1], 0x07);
    EXPECT_EQ(predictor, 113);
    EXPECT_EQ(step_index, 23);
    EXPECT_EQ(sound_block_header(predictor, step_index), 0x0017);
    EXPECT_EQ(sound_block_header(4660, 52), 0x1234);
    EXPECT_EQ(sound_block_header(-1, 0), 0xFF80);
}

TEST(SoundBlockCodec, HeaderTruncatesThePredictor) {
    // The encoder goes on from its exact predictor (4660); the block's header
    // keeps only the top nine bits (4608), and decoding starts from those.
    const std::int16_t samples[] = {4671, 4671};
    std::uint8_t codes[32] = {};
    int step_index = 0;
    int predictor = 4660;
    const std::uint16_t header = sound_block_header(predictor, step_index);
    EXPECT_EQ(header, 0x1200);
    encode_sound_block(samples, 2, codes, &step_index, &predictor);
    EXPECT_EQ(codes[0] & 0xF, 7);
    EXPECT_EQ(predictor, 4671 + 2);
    std::int16_t decoded[64];
    decode_sound_block(header, codes, decoded, 64);
    EXPECT_EQ(decoded[0], 4608 + 11);
}

std::vector<std::int16_t> test_signal(int frames, int channels) {
    std::vector<std::int16_t> samples(std::size_t(frames) * std::size_t(channels));
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            const double time = frame / 22050.0;
            const double value = 9000 * std::sin(2 * M_PI * (440 + 110 * channel) * time) +
                                 3000 * std::sin(2 * M_PI * 1320 * time) + 1500 * std::sin(2 * M_PI * 97 * time);
            samples[std::size_t(frame * channels + channel)] = std::int16_t(std::lround(value));
        }
    }
    return samples;
}

intermediate_sound* pcm_sound(const std::vector<std::int16_t>& samples, int channels) {
    intermediate_sound* sound = new_intermediate_sound();
    set_intermediate_sound_format(sound, SOUND_ENCODING_NONE, std::int32_t(samples.size() / std::size_t(channels)), 16,
                                  22050, std::int16_t(channels));
    void* buffer = allocate_memory(samples.size() * 2);
    std::memcpy(buffer, samples.data(), samples.size() * 2);
    set_intermediate_sound_samples(sound, buffer);
    return sound;
}

std::vector<std::byte> compressed(const std::vector<std::int16_t>& samples, int channels) {
    intermediate_sound* sound = pcm_sound(samples, channels);
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_BLOCK);
    const auto* bytes = static_cast<const std::byte*>(get_intermediate_sound_samples(sound));
    std::vector<std::byte> blocks(bytes, bytes + get_intermediate_sound_data_size(sound));
    dispose_intermediate_sound(sound);
    return blocks;
}

std::uint16_t host_header(const std::vector<std::byte>& blocks, std::size_t block) {
    std::uint16_t header;
    std::memcpy(&header, blocks.data() + block * 34, 2);
    return header;
}

TEST(SoundIntermediate, MonoPadsTheLastBlockWithSilence) {
    const std::vector<std::int16_t> samples = test_signal(100, 1);
    intermediate_sound* sound = pcm_sound(samples, 1);
    EXPECT_EQ(sound->signature, 0x534F554Eu);
    EXPECT_EQ(sound->format_set, 1);
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_BLOCK);
    EXPECT_EQ(sound->encoding, SOUND_ENCODING_BLOCK);
    EXPECT_EQ(sound->frames, 2);
    EXPECT_EQ(get_intermediate_sound_block_count(sound), 2);
    EXPECT_EQ(get_intermediate_sound_data_size(sound), 68);
    dispose_intermediate_sound(sound);

    std::vector<std::int16_t> padded = samples;
    padded.resize(128, 0);
    const std::vector<std::byte> blocks = compressed(samples, 1);
    EXPECT_EQ(blocks, compressed(padded, 1)) << "samples 100 to 127 are silence";
    EXPECT_EQ(host_header(blocks, 0), 0) << "every sound starts at predictor 0, step index 0";
    int step_index = 0;
    int predictor = 0;
    std::uint8_t codes[32];
    encode_sound_block(samples.data(), 64, codes, &step_index, &predictor);
    EXPECT_EQ(host_header(blocks, 1), sound_block_header(predictor, step_index));
}

TEST(SoundIntermediate, StereoAlternatesLeftAndRightBlocks) {
    const std::vector<std::int16_t> samples = test_signal(64, 2);
    std::vector<std::int16_t> left, right;
    for (std::size_t index = 0; index < samples.size(); index += 2) {
        left.push_back(samples[index]);
        right.push_back(samples[index + 1]);
    }
    const std::vector<std::byte> blocks = compressed(samples, 2);
    ASSERT_EQ(blocks.size(), 68u);
    const std::vector<std::byte> left_blocks = compressed(left, 1);
    const std::vector<std::byte> right_blocks = compressed(right, 1);
    EXPECT_TRUE(std::equal(left_blocks.begin(), left_blocks.end(), blocks.begin()));
    EXPECT_TRUE(std::equal(right_blocks.begin(), right_blocks.end(), blocks.begin() + 34));
    EXPECT_EQ(host_header(blocks, 0), 0);
    EXPECT_EQ(host_header(blocks, 1), 0);
}

double signal_to_noise(const std::vector<std::int16_t>& original, const std::int16_t* decoded) {
    double signal = 0, noise = 0;
    for (std::size_t index = 0; index < original.size(); ++index) {
        signal += double(original[index]) * original[index];
        const double error = double(original[index]) - decoded[index];
        noise += error * error;
    }
    return 10 * std::log10(signal / noise);
}

TEST(SoundIntermediate, RoundTripKeepsTheSignal) {
    for (const int channels : {1, 2}) {
        const std::vector<std::int16_t> samples = test_signal(22050, channels);
        intermediate_sound* sound = pcm_sound(samples, channels);
        convert_intermediate_sound_encoding(sound, SOUND_ENCODING_BLOCK);
        const std::int64_t blocks = get_intermediate_sound_block_count(sound);
        void* before = get_intermediate_sound_samples(sound);
        convert_intermediate_sound_encoding(sound, SOUND_ENCODING_BLOCK);
        EXPECT_EQ(get_intermediate_sound_samples(sound), before) << "the same encoding changes nothing";
        convert_intermediate_sound_encoding(sound, SOUND_ENCODING_NONE);
        EXPECT_EQ(sound->encoding, SOUND_ENCODING_NONE);
        EXPECT_EQ(sound->frames, blocks * 64 / channels);
        EXPECT_GT(signal_to_noise(samples, static_cast<const std::int16_t*>(get_intermediate_sound_samples(sound))), 30.0)
            << channels << " channels";
        dispose_intermediate_sound(sound);
    }
}

TEST(SoundIntermediate, MoreThanTwoChannelsStayUncompressed) {
    static std::string shown;
    set_warning_hook([](const char* text) {
        shown = text;
        return warning_button_ok;
    });
    const std::vector<std::int16_t> samples = test_signal(70, 3);
    intermediate_sound* sound = pcm_sound(samples, 3);
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_BLOCK);
    set_warning_hook(nullptr);
    EXPECT_EQ(shown, "We don't support 3 channel sounds.");
    EXPECT_EQ(sound->encoding, SOUND_ENCODING_NONE);
    EXPECT_EQ(get_intermediate_sound_data_size(sound), 70 * 3 * 2);
    dispose_intermediate_sound(sound);
}

TEST(SoundBlockCodec, RunDecoderMatchesBlockByBlock) {
    const std::vector<std::int16_t> samples = test_signal(64 * 11 + 5, 1);
    const std::vector<std::byte> blocks = compressed(samples, 1);  // 12 blocks, host-order headers
    const std::int64_t count = std::int64_t(blocks.size() / 34);
    std::vector<std::int16_t> expected(std::size_t(count) * 64);
    for (std::int64_t block = 0; block < count; ++block) {
        decode_sound_block(host_header(blocks, std::size_t(block)),
                           reinterpret_cast<const std::uint8_t*>(blocks.data() + block * 34 + 2),
                           expected.data() + block * 64, 64);
    }
    std::vector<std::byte> stored = blocks;
    for (std::int64_t block = 0; block < count; ++block) {
        const std::uint16_t header = host_header(blocks, std::size_t(block));
        stored[std::size_t(block * 34)] = std::byte(header >> 8);
        stored[std::size_t(block * 34 + 1)] = std::byte(header & 0xFF);
    }
    for (const std::int64_t used : {count, std::int64_t(7), std::int64_t(3)}) {
        std::vector<std::int16_t> mono(std::size_t(used) * 64 + 1, 0x5A5A);
        decode_sound_blocks(stored.data(), used, 1, sound_block_headers::stored, mono.data());
        EXPECT_TRUE(std::equal(mono.begin(), mono.end() - 1, expected.begin())) << used << " mono blocks";
        EXPECT_EQ(mono.back(), 0x5A5A) << "nothing written past the blocks";

        // Stereo takes used / 2 pairs; an odd last block has no partner.
        const std::int64_t pairs = used / 2;
        EXPECT_EQ(decoded_sound_sample_count(used, 2), pairs * 128);
        std::vector<std::int16_t> stereo(std::size_t(pairs) * 128 + 1, 0x5A5A);
        decode_sound_blocks(blocks.data(), used, 2, sound_block_headers::host, stereo.data());
        for (std::int64_t pair = 0; pair < pairs; ++pair) {
            for (int position = 0; position < 64; ++position) {
                ASSERT_EQ(stereo[std::size_t(pair * 128 + 2 * position)], expected[std::size_t(2 * pair * 64 + position)]);
                ASSERT_EQ(stereo[std::size_t(pair * 128 + 2 * position + 1)],
                          expected[std::size_t((2 * pair + 1) * 64 + position)]);
            }
        }
        EXPECT_EQ(stereo.back(), 0x5A5A) << used << " stereo blocks";
    }
}

// The run decoder takes many blocks at a time (32 side by side where the
// processor has the vectors for it, then fewer): over blocks of every kind of
// header and code, from an encoded signal and from random bytes, in runs that
// end anywhere in a group, it gives what decoding block by block gives.
TEST(SoundBlockCodec, RunDecoderMatchesBlockByBlockOverManyBlocks) {
    std::vector<std::byte> encoded = compressed(test_signal(64 * 2100, 1), 1);
    std::vector<std::byte> random(34 * 2100);
    std::uint32_t noise = 99;
    for (std::byte& byte : random) {
        noise = noise * 1664525u + 1013904223u;
        byte = std::byte(noise >> 24);
    }
    for (const auto& [what, blocks] : {std::pair{"encoded", encoded}, std::pair{"random", random}}) {
        const std::int64_t available = std::int64_t(blocks.size() / 34);
        for (const sound_block_headers headers : {sound_block_headers::host, sound_block_headers::stored}) {
            std::vector<std::int16_t> expected(std::size_t(available) * 64);
            for (std::int64_t block = 0; block < available; ++block) {
                const std::byte* at = blocks.data() + block * 34;
                std::uint16_t header = host_header(blocks, std::size_t(block));
                if (headers == sound_block_headers::stored)
                    header = std::uint16_t(std::to_integer<unsigned>(at[0]) << 8 | std::to_integer<unsigned>(at[1]));
                decode_sound_block(header, reinterpret_cast<const std::uint8_t*>(at + 2), expected.data() + block * 64,
                                   64);
            }
            for (const std::int64_t used : {0, 1, 31, 32, 33, 63, 64, 65, 97, 2047, 2100}) {
                std::vector<std::int16_t> mono(std::size_t(used) * 64);
                decode_sound_blocks(blocks.data(), used, 1, headers, mono.data());
                EXPECT_TRUE(std::equal(mono.begin(), mono.end(), expected.begin())) << what << ", " << used << " mono";
                std::vector<std::int16_t> stereo(std::size_t(decoded_sound_sample_count(used, 2)));
                decode_sound_blocks(blocks.data(), used, 2, headers, stereo.data());
                bool same = true;
                for (std::size_t at = 0; at < stereo.size(); ++at) {
                    const std::size_t pair = at / 128, position = at % 128 / 2, channel = at % 2;
                    same = same && stereo[at] == expected[(pair * 2 + channel) * 64 + position];
                }
                EXPECT_TRUE(same) << what << ", " << used << " stereo";
            }
        }
    }
}

}  // namespace
