#pragma once

// Sounds (group `soun`) and sound lists (group `soli`). A sound tag holds the
// 64-byte definition, then n permutations, n sample headers and the sample data
// of each permutation, without gaps.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "definitions/field_description.h"

namespace definitions {

struct sound_definition {
    int32_t flags;  // also the tag's user data
    int16_t loudness;
    uint16_t play_fraction;  // fraction
    int16_t external_frequency_modifier;  // 8.8
    int16_t pitch_lower;  // 8.8 value range
    int16_t pitch_delta;
    int16_t volume_lower;  // 8.8 value range
    int16_t volume_delta;
    int16_t subtitle_string_index;
    int32_t sample_header_offset;  // 64 + 32 n
    int32_t sample_region_size;    // 32 n + all sample data
    tag_code subtitle_string_list;  // `stli`
    int16_t runtime_subtitle_list_index;  // the engine's; never converted
    uint8_t runtime_34[2];
    int32_t permutation_count;
    int32_t permutation_list_offset;  // always 64
    int32_t permutation_list_size;    // 32 n
    uint8_t runtime_48[16];
};
static_assert(sizeof(sound_definition) == 64);
static_assert(offsetof(sound_definition, loudness) == 4);
static_assert(offsetof(sound_definition, play_fraction) == 6);
static_assert(offsetof(sound_definition, external_frequency_modifier) == 8);
static_assert(offsetof(sound_definition, pitch_lower) == 10);
static_assert(offsetof(sound_definition, volume_lower) == 14);
static_assert(offsetof(sound_definition, subtitle_string_index) == 18);
static_assert(offsetof(sound_definition, sample_header_offset) == 20);
static_assert(offsetof(sound_definition, sample_region_size) == 24);
static_assert(offsetof(sound_definition, subtitle_string_list) == 28);
static_assert(offsetof(sound_definition, runtime_subtitle_list_index) == 32);
static_assert(offsetof(sound_definition, permutation_count) == 36);
static_assert(offsetof(sound_definition, permutation_list_offset) == 40);
static_assert(offsetof(sound_definition, permutation_list_size) == 44);
static_assert(offsetof(sound_definition, runtime_48) == 48);

inline constexpr int16_t sound_definition_codes[] = {
    -100, 1, -4, -100, 8, -2, -101, -4, -4, -4, 4, -4, -4, -4, 16, -101};

extern const sound_definition sound_definition_default;
// The record's first word, its flags.
int32_t sound_user_data(const void* record);
extern const RecordDescription sound_definition_description;

inline constexpr NamedValue sound_flag_names[] = {
    {1, "Cannot Be Restarted"},
    {2, "Can Occupy Multiple Channels"},
    {4, "Stopped when source disappears"},
    {8, "Cannot Be Obstructed By Media"},
    {64, "All permutations use the same subtitle"},
};

inline constexpr NamedValue sound_loudness_names[] = {{0, "Quiet"}, {1, "Normal"}, {2, "Loud"}, {3, "Narration"}};

inline constexpr int sound_permutation_name_capacity = 26;  // at most 25 characters and a zero

struct sound_permutation {
    int16_t unused_0;  // written 0
    uint16_t skip_fraction;  // fraction
    uint8_t padding[2];
    char name[sound_permutation_name_capacity];
};
static_assert(sizeof(sound_permutation) == 32);
static_assert(offsetof(sound_permutation, skip_fraction) == 2);
static_assert(offsetof(sound_permutation, name) == 6);

inline constexpr int16_t sound_permutation_codes[] = {-100, 1, -2, -2, 28, -101};

extern const RecordDescription sound_permutation_description;

// Bit 0 of a sample header's flags: the data is a run of 34-byte blocks.
inline constexpr int32_t sampled_sound_compressed = 0x1;

struct sampled_sound_header {
    int32_t flags;
    int16_t bits_per_sample;
    int16_t sample_size_shift;  // bytes per sample - 1
    int16_t channels;
    uint8_t padding[2];
    uint32_t sample_rate;  // unsigned 16.16 samples per second, so 44100 and 48000 Hz fit
    int32_t count;        // blocks when compressed, else samples
    int32_t reserved[2];
    uint8_t runtime[4];
};
static_assert(sizeof(sampled_sound_header) == 32);
static_assert(offsetof(sampled_sound_header, bits_per_sample) == 4);
static_assert(offsetof(sampled_sound_header, channels) == 8);
static_assert(offsetof(sampled_sound_header, sample_rate) == 12);
static_assert(offsetof(sampled_sound_header, count) == 16);
static_assert(offsetof(sampled_sound_header, reserved) == 20);
static_assert(offsetof(sampled_sound_header, runtime) == 28);

inline constexpr int16_t sampled_sound_header_codes[] = {-100, 1, -4, -2, -2, -2, 2, -4, -4, -4, -4, 4, -101};

extern const RecordDescription sampled_sound_header_description;

// 64 samples of one channel: a big-endian header (predictor in the top nine bits,
// step index in the low seven) and 64 four-bit codes, the even sample's in the
// low nibble. Blocks stay big-endian in memory; only the decoder reads the header.
inline constexpr int sound_block_samples = 64;
inline constexpr uint16_t sound_block_predictor_mask = 0xFF80;
inline constexpr uint16_t sound_block_step_index_mask = 0x007F;

struct sound_block {
    uint16_t header;
    uint8_t codes[sound_block_samples / 2];
};
static_assert(sizeof(sound_block) == 34);
static_assert(offsetof(sound_block, codes) == 2);

inline constexpr int16_t sound_block_codes[] = {-100, 1, -2, 32, -101};

extern const RecordDescription sound_block_description;

inline constexpr int sound_list_capacity = 30;

struct sound_list_entry {
    tag_code sound;  // `soun`
    int16_t reserved;
    int16_t runtime_sound_index;  // the engine's; never converted
};
static_assert(sizeof(sound_list_entry) == 8);
static_assert(offsetof(sound_list_entry, reserved) == 4);
static_assert(offsetof(sound_list_entry, runtime_sound_index) == 6);

inline constexpr int16_t sound_list_entry_codes[] = {-100, 1, -4, 4, -101};

struct sound_list {
    int16_t count;
    uint8_t padding[14];
    sound_list_entry entries[sound_list_capacity];
};
static_assert(sizeof(sound_list) == 256);
static_assert(offsetof(sound_list, entries) == 16);

inline constexpr int16_t sound_list_codes[] = {-100, 1, -2, 14, -100, 30, -4, 4, -101, -101};

// A new sound list is all zero; a new entry names no sound.
extern const sound_list sound_list_default;
extern const sound_list_entry sound_list_entry_default;
int32_t sound_list_user_data(const void* record);
extern const RecordDescription sound_list_entry_description;
extern const RecordDescription sound_list_description;

}  // namespace definitions
