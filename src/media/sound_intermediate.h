#pragma once

// An in-memory sound between a WAVE file and a sound tag: PCM samples
// (channels interleaved) or the 34-byte blocks of the block codec (host-order
// headers; for two channels left and right blocks alternate). Allocation
// failures are out-of-memory reports, which end the program.

#include <cstdint>

inline constexpr std::int16_t SOUND_ENCODING_NONE = 0;
inline constexpr std::int16_t SOUND_ENCODING_BLOCK = 2;

inline constexpr std::uint32_t intermediate_sound_signature = 0x534F554E;           // "SOUN"
inline constexpr std::uint32_t disposed_intermediate_sound_signature = 0x42616453;  // "BadS"

struct intermediate_sound {
    std::uint32_t signature;
    std::int32_t format_set;
    std::int16_t encoding;
    std::int16_t bits_per_sample;
    std::int32_t sample_rate;  // samples per second
    std::int16_t channels;
    std::uint8_t padding[2];
    std::int32_t frames;  // PCM: samples per channel; blocks: blocks per channel
    void* samples;        // from allocate_memory, owned by the record
};

intermediate_sound* new_intermediate_sound();
void set_intermediate_sound_format(intermediate_sound* sound, std::int16_t encoding, std::int32_t frames,
                                   std::int16_t bits_per_sample, std::int32_t sample_rate, std::int16_t channels);
// Hands over a buffer from allocate_memory; a buffer held before is freed.
void set_intermediate_sound_samples(intermediate_sound* sound, void* samples);
// Decompresses block samples to PCM, or compresses 16-bit PCM of one or two
// channels to blocks; the same encoding changes nothing.
void convert_intermediate_sound_encoding(intermediate_sound* sound, std::int16_t encoding);
// The sound's buffer, still owned by the record.
void* get_intermediate_sound_samples(const intermediate_sound* sound);
std::int64_t get_intermediate_sound_data_size(const intermediate_sound* sound);
// channels * frames: after compression, the number of blocks.
std::int64_t get_intermediate_sound_block_count(const intermediate_sound* sound);
void dispose_intermediate_sound(intermediate_sound* sound);
