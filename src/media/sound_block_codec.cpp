#include "media/sound_block_codec.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <immintrin.h>

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

// Decoding 32 blocks at once, one in each 16-bit lane of a vector: each
// block's chain of samples stays as long as it is, but one step of the chain
// now serves 32 blocks. The step size comes from the table by permutation, and
// a change of the predictor is added as its four parts with saturation, which
// clamps exactly as one addition would since the parts share their sign.
constexpr int vector_lanes = 32;

constexpr std::array<std::int16_t, 96> padded_step_sizes = [] {
    std::array<std::int16_t, 96> padded{};
    for (std::size_t index = 0; index < padded.size(); ++index)
        padded[index] = step_sizes[std::min(index, std::size_t(sound_step_index_maximum))];
    return padded;
}();

constexpr std::array<std::int16_t, 32> lane_index_adjustments = [] {
    std::array<std::int16_t, 32> adjustments{};
    for (std::size_t code = 0; code < adjustments.size(); ++code)
        adjustments[code] = std::int16_t(index_adjustments[code % 16]);
    return adjustments;
}();

__attribute__((target("avx512f,avx512bw"))) void decode_lanes_vectorised(const std::byte* blocks,
                                                                          sound_block_headers headers,
                                                                          std::int16_t* output, bool stereo) {
    alignas(64) std::uint8_t codes[sound_block_samples / 2][vector_lanes];
    alignas(64) std::int16_t predictors[vector_lanes];
    alignas(64) std::int16_t indexes[vector_lanes];
    for (int lane = 0; lane < vector_lanes; ++lane) {
        const std::byte* block = blocks + lane * block_bytes;
        const std::uint16_t header = load_header(block, headers);
        predictors[lane] = std::int16_t(header_predictor(header));
        indexes[lane] = std::int16_t(header_row(header) / 16);
        for (int at = 0; at < sound_block_samples / 2; ++at) codes[at][lane] = std::to_integer<std::uint8_t>(block[2 + at]);
    }
    const __m512i steps_low = _mm512_loadu_si512(padded_step_sizes.data());
    const __m512i steps_middle = _mm512_loadu_si512(padded_step_sizes.data() + 32);
    const __m512i steps_high = _mm512_loadu_si512(padded_step_sizes.data() + 64);
    const __m512i adjustments = _mm512_loadu_si512(lane_index_adjustments.data());
    const __m512i nibble = _mm512_set1_epi16(15);
    const __m512i upper_table = _mm512_set1_epi16(64);
    const __m512i zero = _mm512_setzero_si512();
    const __m512i last_index = _mm512_set1_epi16(sound_step_index_maximum);
    __m512i predictor = _mm512_load_si512(predictors);
    __m512i index = _mm512_load_si512(indexes);
    alignas(64) std::int16_t decoded[sound_block_samples][vector_lanes];
    for (int at = 0; at < sound_block_samples / 2; ++at) {
        const __m512i bytes = _mm512_cvtepu8_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(codes[at])));
        for (int half = 0; half < 2; ++half) {
            const __m512i code = half == 0 ? _mm512_and_si512(bytes, nibble) : _mm512_srli_epi16(bytes, 4);
            const __m512i step = _mm512_mask_blend_epi16(_mm512_cmpge_epi16_mask(index, upper_table),
                                                         _mm512_permutex2var_epi16(steps_low, index, steps_middle),
                                                         _mm512_permutexvar_epi16(index, steps_high));
            const __m512i eighth = _mm512_srli_epi16(step, 3);
            const __m512i whole = _mm512_maskz_mov_epi16(_mm512_test_epi16_mask(code, _mm512_set1_epi16(4)), step);
            const __m512i half_step =
                _mm512_maskz_mov_epi16(_mm512_test_epi16_mask(code, _mm512_set1_epi16(2)), _mm512_srli_epi16(step, 1));
            const __m512i quarter =
                _mm512_maskz_mov_epi16(_mm512_test_epi16_mask(code, _mm512_set1_epi16(1)), _mm512_srli_epi16(step, 2));
            const __m512i up = _mm512_adds_epi16(
                _mm512_adds_epi16(_mm512_adds_epi16(_mm512_adds_epi16(predictor, eighth), whole), half_step), quarter);
            const __m512i down = _mm512_subs_epi16(
                _mm512_subs_epi16(_mm512_subs_epi16(_mm512_subs_epi16(predictor, eighth), whole), half_step), quarter);
            predictor = _mm512_mask_blend_epi16(_mm512_test_epi16_mask(code, _mm512_set1_epi16(8)), up, down);
            index = _mm512_min_epi16(
                _mm512_max_epi16(_mm512_add_epi16(index, _mm512_permutexvar_epi16(code, adjustments)), zero),
                last_index);
            _mm512_store_si512(decoded[2 * at + half], predictor);
        }
    }
    if (stereo) {
        // Lanes 2q and 2q + 1 are the left and right blocks of pair q: a left
        // and right sample side by side are one 32-bit unit of the output.
        for (int pair = 0; pair < vector_lanes / 2; ++pair) {
            for (int position = 0; position < sound_block_samples; ++position) {
                std::memcpy(output + (pair * sound_block_samples + position) * 2, &decoded[position][pair * 2],
                            2 * sizeof(std::int16_t));
            }
        }
    } else {
        for (int lane = 0; lane < vector_lanes; ++lane) {
            for (int position = 0; position < sound_block_samples; ++position)
                output[lane * sound_block_samples + position] = decoded[position][lane];
        }
    }
}

bool vectors_available() {
    static const bool available = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return available;
}

// The code of a difference d at step size s is what taking s, s >> 1 and
// s >> 2 from d in turn gives; it grows with d, so it is the number of the
// seven sums of those parts that d reaches. Comparing d with all seven at once
// keeps each sample's chain of dependent steps short.
struct code_thresholds {
    std::array<std::int32_t, 7> reached;
};

constexpr std::array<code_thresholds, sound_step_index_maximum + 1> make_code_thresholds() {
    std::array<code_thresholds, sound_step_index_maximum + 1> rows{};
    for (int index = 0; index <= sound_step_index_maximum; ++index) {
        const int step = step_sizes[std::size_t(index)];
        for (int code = 1; code < 8; ++code) {
            rows[std::size_t(index)].reached[std::size_t(code - 1)] =
                ((code & 4) ? step : 0) + ((code & 2) ? step >> 1 : 0) + ((code & 1) ? step >> 2 : 0);
        }
    }
    return rows;
}

constexpr std::array<code_thresholds, sound_step_index_maximum + 1> thresholds = make_code_thresholds();

void encode_samples(const std::int16_t* samples, int count, std::uint8_t* codes, sound_encoder_state& state) {
    int predictor = state.predictor;
    int index = state.step_index;
    int held = 0;
    for (int position = 0; position < count; ++position) {
        const int difference = samples[position] - predictor;
        const int magnitude = difference < 0 ? -difference : difference;
        const std::array<std::int32_t, 7>& reached = thresholds[std::size_t(index)].reached;
        const int reached_count =
            (int(magnitude >= reached[0]) + int(magnitude >= reached[1])) +
            (int(magnitude >= reached[2]) + int(magnitude >= reached[3])) +
            (int(magnitude >= reached[4]) + int(magnitude >= reached[5]) + int(magnitude >= reached[6]));
        const int code = (difference < 0 ? 8 : 0) | reached_count;
        if ((position & 1) == 0) {
            held = code;
        } else {
            codes[position / 2] = std::uint8_t(held | (code << 4));
        }
        const codec_step& next = codec_steps[std::size_t(index * 16 + code)];
        predictor = clamp_sample(predictor + next.difference);
        index = next.next_row / 16;
    }
    state = {predictor, index};
}

}  // namespace

void encode_sound_channel_blocks(const std::int16_t* samples, std::int64_t blocks, sound_block_headers headers,
                                 std::byte* output, std::ptrdiff_t block_stride, sound_encoder_state& state) {
    for (std::int64_t block = 0; block < blocks; ++block) {
        std::byte* stored = output + block * block_stride;
        const std::uint16_t header = sound_block_header(state.predictor, state.step_index);
        if (headers == sound_block_headers::stored) {
            stored[0] = std::byte(header >> 8);
            stored[1] = std::byte(header & 0xFF);
        } else {
            std::memcpy(stored, &header, sizeof header);
        }
        encode_samples(samples + block * sound_block_samples, sound_block_samples,
                       reinterpret_cast<std::uint8_t*>(stored + 2), state);
    }
}

std::uint16_t sound_block_header(int predictor, int step_index) {
    return std::uint16_t((unsigned(predictor) & sound_block_predictor_mask) |
                         (unsigned(step_index) & sound_block_step_index_mask));
}

void encode_sound_block(const std::int16_t* samples, int count, std::uint8_t* codes, int* step_index, int* predictor) {
    sound_encoder_state state{*predictor, std::clamp(*step_index, 0, sound_step_index_maximum)};
    encode_samples(samples, count, codes, state);
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
    if (vectors_available()) {
        for (; block + vector_lanes <= usable; block += vector_lanes) {
            decode_lanes_vectorised(blocks + block * block_bytes, headers, first_sample(block), stereo);
        }
    }
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
