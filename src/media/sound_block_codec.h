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

// Decodes count samples of one block from its host-order header; a step index
// above 88 is taken as 88.
void decode_sound_block(std::uint16_t header, const std::uint8_t* codes, std::int16_t* output, int count);

// How the headers of a run of 34-byte blocks are held: big-endian as a tag stores
// them, or in host order as an intermediate sound holds them.
enum class sound_block_headers { stored, host };

struct sound_encoder_state {
    int predictor;
    int step_index;
};

// One channel's blocks from blocks * 64 samples: each block's header from the
// state before it, then its codes, the state carried on. The blocks are
// block_stride bytes apart (34, or 68 between one channel's blocks of a stereo
// sound).
void encode_sound_channel_blocks(const std::int16_t* samples, std::int64_t blocks, sound_block_headers headers,
                                 std::byte* output, std::ptrdiff_t block_stride, sound_encoder_state& state);

// Decodes block_count blocks into 16-bit samples, exactly as decode_sound_block
// does block by block. One channel: block after block. Two: block_count / 2
// pairs of a left and a right block, written as interleaved left/right samples
// (an odd last block has no partner and is left out). The output holds
// block_count * 64 samples for one channel, block_count / 2 * 128 for two.
void decode_sound_blocks(const std::byte* blocks, std::int64_t block_count, int channels, sound_block_headers headers,
                         std::int16_t* output);

// The samples decode_sound_blocks writes.
std::int64_t decoded_sound_sample_count(std::int64_t block_count, int channels);
