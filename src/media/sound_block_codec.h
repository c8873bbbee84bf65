#pragma once

// The 4-bit block codec of sound tags: IMA ADPCM with its two published tables.
// A block holds 64 samples of one channel: a 16-bit header (the predictor's top
// nine bits and the step index) and 32 bytes of codes, the even sample's code in
// the low nibble. The encoder carries its exact predictor from block to block;
// a decoder starts every block from the header alone, so blocks decode
// independently of each other.

#include <cstddef>
#include <cstdint>

inline constexpr int sound_step_index_maximum = 88;

// The header of a block that starts from this encoder state.
std::uint16_t sound_block_header(int predictor, int step_index);

// Encodes count samples into count / 2 bytes of codes, starting from and
// updating the caller's predictor and step index.
void encode_sound_block(const std::int16_t* samples, int count, std::uint8_t* codes, int* step_index, int* predictor);

struct sound_encoder_state {
    int predictor;
    int step_index;
};

// encode_sound_block for lanes independent channels at once, each with its own
// samples, codes and state: one encoder is a single long chain of dependent
// steps, so two side by side keep the processor busier (stereo compression).
template <int lanes>
void encode_sound_blocks_side_by_side(const std::int16_t* const* samples, int count, std::uint8_t* const* codes,
                                      sound_encoder_state* states);
extern template void encode_sound_blocks_side_by_side<1>(const std::int16_t* const*, int, std::uint8_t* const*,
                                                         sound_encoder_state*);
extern template void encode_sound_blocks_side_by_side<2>(const std::int16_t* const*, int, std::uint8_t* const*,
                                                         sound_encoder_state*);

// Decodes count samples of one block from its host-order header; a step index
// above 88 is taken as 88.
void decode_sound_block(std::uint16_t header, const std::uint8_t* codes, std::int16_t* output, int count);

// How the headers of a run of 34-byte blocks are held: big-endian as a tag stores
// them, or in host order as an intermediate sound holds them.
enum class sound_block_headers { stored, host };

// Decodes block_count blocks into 16-bit samples, exactly as decode_sound_block
// does block by block. One channel: block after block. Two: block_count / 2
// pairs of a left and a right block, written as interleaved left/right samples
// (an odd last block has no partner and is left out). The output holds
// block_count * 64 samples for one channel, block_count / 2 * 128 for two.
void decode_sound_blocks(const std::byte* blocks, std::int64_t block_count, int channels, sound_block_headers headers,
                         std::int16_t* output);

// The samples decode_sound_blocks writes.
std::int64_t decoded_sound_sample_count(std::int64_t block_count, int channels);
