#include "media/sound_block_codec.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "definitions/sound_definitions.h"

namespace {

using definitions::sound_block_predictor_mask;
using definitions::sound_block_samples;
using definitions::sound_block_step_index_mask;

constexpr int block_bytes = int(sizeof(definitions::sound_block));

constexpr std::array<std::int16_t, sound_step_index_maximum + 1> step_sizes = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr std::array<int, 16> index_adjustments = {-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

// One step of the codec for a step index and a code: the signed change of the
// predictor and where the step index goes. Rows of 16 codes, one per step index,
// so that the next row is found without recomputing the step size.
struct codec_step {
    std::int32_t difference;
    std::uint16_t next_row;   // 16 * the next step index
    std::uint16_t next_step;  // the step size of the next step index
};

constexpr std::array<codec_step, (sound_step_index_maximum + 1) * 16> make_codec_steps() {
    std::array<codec_step, (sound_step_index_maximum + 1) * 16> steps{};
    for (int index = 0; index <= sound_step_index_maximum; ++index) {
        const int step = step_sizes[std::size_t(index)];
        for (int code = 0; code < 16; ++code) {
            int difference = step >> 3;
            if (code & 4) difference += step;
            if (code & 2) difference += step >> 1;
            if (code & 1) difference += step >> 2;
            const int next = std::clamp(index + index_adjustments[std::size_t(code)], 0, sound_step_index_maximum);
            steps[std::size_t(index * 16 + code)] = {(code & 8) ? -difference : difference, std::uint16_t(next * 16),
                                                     std::uint16_t(step_sizes[std::size_t(next)])};
        }
    }
    return steps;
}

constexpr std::array<codec_step, (sound_step_index_maximum + 1) * 16> codec_steps = make_codec_steps();

int clamp_sample(int value) { return std::clamp(value, -32768, 32767); }

int header_predictor(std::uint16_t header) { return std::int16_t(header & sound_block_predictor_mask); }

int header_row(std::uint16_t header) {
    return std::min(int(header & sound_block_step_index_mask), sound_step_index_maximum) * 16;
}

std::uint16_t load_header(const std::byte* block, sound_block_headers headers) {
    if (headers == sound_block_headers::stored) {
        return std::uint16_t((std::to_integer<unsigned>(block[0]) << 8) | std::to_integer<unsigned>(block[1]));
    }
    std::uint16_t header;
    std::memcpy(&header, block, sizeof header);
    return header;
}

// Decodes lanes blocks side by side: each block's samples depend on the one
// before, so a single block is one long chain of table look-ups, while several
// independent chains keep the processor busy.
template <int lanes>
void decode_lanes(const std::byte* const* blocks, sound_block_headers headers, std::int16_t* const* outputs,
                  std::ptrdiff_t stride) {
    int predictor[lanes];
    int row[lanes];
    const std::uint8_t* codes[lanes];
    for (int lane = 0; lane < lanes; ++lane) {
        const std::uint16_t header = load_header(blocks[lane], headers);
        predictor[lane] = header_predictor(header);
        row[lane] = header_row(header);
        codes[lane] = reinterpret_cast<const std::uint8_t*>(blocks[lane] + 2);
    }
    for (int position = 0; position < sound_block_samples; ++position) {
        const int shift = (position & 1) * 4;
        for (int lane = 0; lane < lanes; ++lane) {
            const int code = (codes[lane][position >> 1] >> shift) & 0xF;
            const codec_step& step = codec_steps[std::size_t(row[lane] + code)];
            predictor[lane] = clamp_sample(predictor[lane] + step.difference);
            row[lane] = step.next_row;
            outputs[lane][position * stride] = std::int16_t(predictor[lane]);
        }
    }
}

constexpr int decoding_lanes = 4;

}  // namespace

// The code of one sample, found without branches: the bits of a difference
// follow no pattern a branch predictor could learn.
template <int lanes>
void encode_sound_blocks_side_by_side(const std::int16_t* const* samples, int count, std::uint8_t* const* codes,
                                      sound_encoder_state* states) {
    int value[lanes];
    int row[lanes];
    int step[lanes];
    int held[lanes] = {};
    for (int lane = 0; lane < lanes; ++lane) {
        value[lane] = states[lane].predictor;
        row[lane] = states[lane].step_index * 16;
        step[lane] = step_sizes[std::size_t(states[lane].step_index)];
    }
    for (int position = 0; position < count; ++position) {
        for (int lane = 0; lane < lanes; ++lane) {
            const int difference = samples[lane][position] - value[lane];
            const int sign = difference < 0 ? 8 : 0;
            int rest = difference < 0 ? -difference : difference;
            int code = sign;
            int threshold = step[lane];
            for (int bit = 4; bit != 0; bit >>= 1) {
                const int taken = -int(rest >= threshold);
                code |= bit & taken;
                rest -= threshold & taken;
                threshold >>= 1;
            }
            if ((position & 1) == 0) {
                held[lane] = code;
            } else {
                codes[lane][position / 2] = std::uint8_t(held[lane] | (code << 4));
            }
            const codec_step& next = codec_steps[std::size_t(row[lane] + code)];
            value[lane] = clamp_sample(value[lane] + next.difference);
            row[lane] = next.next_row;
            step[lane] = next.next_step;
        }
    }
    for (int lane = 0; lane < lanes; ++lane) {
        states[lane] = {value[lane], row[lane] / 16};
    }
}

template void encode_sound_blocks_side_by_side<1>(const std::int16_t* const*, int, std::uint8_t* const*,
                                                  sound_encoder_state*);
template void encode_sound_blocks_side_by_side<2>(const std::int16_t* const*, int, std::uint8_t* const*,
                                                  sound_encoder_state*);

std::uint16_t sound_block_header(int predictor, int step_index) {
    return std::uint16_t((unsigned(predictor) & sound_block_predictor_mask) |
                         (unsigned(step_index) & sound_block_step_index_mask));
}

void encode_sound_block(const std::int16_t* samples, int count, std::uint8_t* codes, int* step_index, int* predictor) {
    sound_encoder_state state{*predictor, std::clamp(*step_index, 0, sound_step_index_maximum)};
    encode_sound_blocks_side_by_side<1>(&samples, count, &codes, &state);
    *predictor = state.predictor;
    *step_index = state.step_index;
}

void decode_sound_block(std::uint16_t header, const std::uint8_t* codes, std::int16_t* output, int count) {
    int predictor = header_predictor(header);
    int row = header_row(header);
    for (int position = 0; position < count; ++position) {
        const int code = (codes[position / 2] >> ((position & 1) * 4)) & 0xF;
        const codec_step& step = codec_steps[std::size_t(row + code)];
        predictor = clamp_sample(predictor + step.difference);
        row = step.next_row;
        output[position] = std::int16_t(predictor);
    }
}

std::int64_t decoded_sound_sample_count(std::int64_t block_count, int channels) {
    return channels == 2 ? block_count / 2 * 2 * sound_block_samples : block_count * sound_block_samples;
}

void decode_sound_blocks(const std::byte* blocks, std::int64_t block_count, int channels, sound_block_headers headers,
                         std::int16_t* output) {
    const bool stereo = channels == 2;
    const std::int64_t usable = stereo ? block_count / 2 * 2 : block_count;
    const std::ptrdiff_t stride = stereo ? 2 : 1;
    // Where block b's first sample goes: mono blocks follow each other; in a
    // stereo pair the left block takes the even and the right the odd places.
    const auto first_sample = [&](std::int64_t block) {
        return stereo ? output + (block / 2) * 2 * sound_block_samples + (block & 1) : output + block * sound_block_samples;
    };
    std::int64_t block = 0;
    for (; block + decoding_lanes <= usable; block += decoding_lanes) {
        const std::byte* lane_blocks[decoding_lanes];
        std::int16_t* lane_outputs[decoding_lanes];
        for (int lane = 0; lane < decoding_lanes; ++lane) {
            lane_blocks[lane] = blocks + (block + lane) * block_bytes;
            lane_outputs[lane] = first_sample(block + lane);
        }
        decode_lanes<decoding_lanes>(lane_blocks, headers, lane_outputs, stride);
    }
    for (; block < usable; ++block) {
        const std::byte* one_block = blocks + block * block_bytes;
        std::int16_t* one_output = first_sample(block);
        decode_lanes<1>(&one_block, headers, &one_output, stride);
    }
}
