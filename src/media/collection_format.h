#pragma once

// The records of a collection tag (group `.256`) as the engine stores them: a
// 320-byte header, then a data block that holds colour tables, hue changes,
// bitmap references and their bitmaps, bitmap instances, sequences and shadow
// maps. Every offset inside the header and the references counts from the start
// of the data block. Stored big-endian; each record has its byte-swap codes.

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"

inline constexpr tag_code collection_group_tag = make_tag(".256");
inline constexpr std::int16_t collection_group_version = 4;

// Four unsigned 16-bit words; components run from 0 to 65535.
struct rgb_color {
    std::uint16_t red;
    std::uint16_t green;
    std::uint16_t blue;
    std::uint16_t flags;
};
static_assert(sizeof(rgb_color) == 8);

inline constexpr std::uint16_t rgb_color_flag_is_reversed = 0x0001;
inline constexpr std::uint16_t rgb_color_flag_is_unused = 0x0004;

struct collection_section {
    std::int32_t count;
    std::int32_t offset;  // from the start of the data block
    std::int32_t size;    // in bytes
    std::uint8_t runtime[4];
};
static_assert(sizeof(collection_section) == 16);

inline constexpr std::int32_t collection_header_size = 320;
inline constexpr std::uint32_t collection_flag_keep_color_zero = 0x100;

struct collection_header {
    std::int32_t state_flags;
    std::int32_t flags;
    std::uint8_t reserved[56];
    collection_section color_tables;
    collection_section hue_changes;
    collection_section bitmap_references;
    collection_section bitmap_instances;
    collection_section sequence_references;
    collection_section shadow_maps;
    collection_section remapping_table_a;
    collection_section remapping_table_b;
    std::uint8_t runtime[56];
    std::int32_t data_offset;  // always collection_header_size
    std::int32_t data_size;
    std::int32_t reserved_word;
    std::uint8_t runtime_data[4];
    std::uint8_t reserved_tail[56];
};
static_assert(sizeof(collection_header) == 320);
static_assert(offsetof(collection_header, flags) == 4);
static_assert(offsetof(collection_header, color_tables) == 64);
static_assert(offsetof(collection_header, hue_changes) == 80);
static_assert(offsetof(collection_header, bitmap_references) == 96);
static_assert(offsetof(collection_header, bitmap_instances) == 112);
static_assert(offsetof(collection_header, sequence_references) == 128);
static_assert(offsetof(collection_header, shadow_maps) == 144);
static_assert(offsetof(collection_header, remapping_table_a) == 160);
static_assert(offsetof(collection_header, remapping_table_b) == 176);
static_assert(offsetof(collection_header, runtime) == 192);
static_assert(offsetof(collection_header, data_offset) == 248);
static_assert(offsetof(collection_header, data_size) == 252);
static_assert(offsetof(collection_header, reserved_word) == 256);
static_assert(offsetof(collection_header, runtime_data) == 260);
static_assert(offsetof(collection_header, reserved_tail) == 264);

inline constexpr int color_table_capacity = 256;

struct color_table {
    std::int32_t count;  // colours in use, at most color_table_capacity
    std::int32_t flags;
    std::int32_t reserved_word;
    std::uint8_t reserved[20];
    rgb_color colors[color_table_capacity];
};
static_assert(sizeof(color_table) == 2080);
static_assert(offsetof(color_table, colors) == 32);

inline constexpr int collection_name_capacity = 64;  // 63 characters and the NUL

// A recolourable region of the colour table.
struct hue_change {
    char name[collection_name_capacity];
    std::uint16_t hue_lower;  // 1/65536 of a turn; lower > upper wraps through 0
    std::uint16_t hue_upper;
    std::uint8_t member_mask[32];  // bit j % 8 of byte j / 8: colour j is a member
    std::uint16_t minimum_saturation;
    std::int16_t base_hue;
    std::uint16_t flags;
    std::uint8_t reserved[6];
    std::uint8_t runtime[16];
};
static_assert(sizeof(hue_change) == 128);
static_assert(offsetof(hue_change, hue_lower) == 64);
static_assert(offsetof(hue_change, member_mask) == 68);
static_assert(offsetof(hue_change, minimum_saturation) == 100);
static_assert(offsetof(hue_change, base_hue) == 102);
static_assert(offsetof(hue_change, flags) == 104);
static_assert(offsetof(hue_change, runtime) == 112);

struct bitmap_reference {
    char name[collection_name_capacity];
    std::int32_t data_offset;  // from the start of the data block
    std::int32_t data_size;
    std::uint8_t runtime_pointer[4];
    std::int16_t width;
    std::int16_t height;
    std::uint8_t reserved[32];
    std::uint8_t runtime[16];
};
static_assert(sizeof(bitmap_reference) == 128);
static_assert(offsetof(bitmap_reference, data_offset) == 64);
static_assert(offsetof(bitmap_reference, data_size) == 68);
static_assert(offsetof(bitmap_reference, width) == 76);
static_assert(offsetof(bitmap_reference, height) == 78);

inline constexpr std::int32_t bitmap_instance_flag_mirrored = 0x1;

// A placement of a bitmap.
struct bitmap_instance {
    std::int32_t flags;
    std::int16_t reserved_words[3];
    std::uint8_t padding[2];
    std::int16_t origin_x;  // registration point in the bitmap, pixels
    std::int16_t origin_y;
    std::int16_t extents[4];  // computed by the engine at load
    std::int16_t second_point_x;
    std::int16_t second_point_y;
    std::int16_t bitmap_index;  // into the bitmap references, NONE for none
    std::uint8_t reserved[34];
};
static_assert(sizeof(bitmap_instance) == 64);
static_assert(offsetof(bitmap_instance, origin_x) == 12);
static_assert(offsetof(bitmap_instance, extents) == 16);
static_assert(offsetof(bitmap_instance, second_point_x) == 24);
static_assert(offsetof(bitmap_instance, bitmap_index) == 28);
static_assert(offsetof(bitmap_instance, reserved) == 30);

struct sequence_reference {
    char name[collection_name_capacity];
    std::int32_t data_offset;  // of the sequence data, from the start of the data block
    std::int32_t data_size;
    std::uint8_t runtime_pointer[4];
    std::uint8_t reserved[36];
    std::uint8_t runtime[16];
};
static_assert(sizeof(sequence_reference) == 128);
static_assert(offsetof(sequence_reference, data_offset) == 64);
static_assert(offsetof(sequence_reference, reserved) == 76);

inline constexpr std::int32_t sequence_flag_mirrored_views = 0x1;
inline constexpr std::int32_t sequence_flag_imported = 0x2;
inline constexpr std::int32_t sequence_flag_no_rotation = 0x4;

// The head of a sequence's data; `frames` frames of sequence_frame_size(views)
// bytes follow it.
struct sequence {
    std::int32_t flags;
    std::int32_t scale;  // instances' pixel measures are multiplied by scale * 10 / 65536
    std::int16_t views;  // bitmap instance indexes per frame
    std::int16_t frames;
    std::int16_t engine_word;           // 1 in imported sequences
    std::int16_t engine_zero_words[2];  // 0 in imported sequences
    std::int16_t engine_indexes[3];     // NONE in imported sequences
    std::int32_t engine_longs[3];       // NONE in imported sequences
    std::int16_t engine_tail_words[2];  // 0 in imported sequences
    std::int32_t scaled_measures[3];    // 16.16; the engine scales them into runtime_measures
    std::int16_t runtime_measures[3];
    std::uint8_t reserved[6];
};
static_assert(sizeof(sequence) == 64);
static_assert(offsetof(sequence, views) == 8);
static_assert(offsetof(sequence, frames) == 10);
static_assert(offsetof(sequence, engine_word) == 12);
static_assert(offsetof(sequence, engine_zero_words) == 14);
static_assert(offsetof(sequence, engine_indexes) == 18);
static_assert(offsetof(sequence, engine_longs) == 24);
static_assert(offsetof(sequence, engine_tail_words) == 36);
static_assert(offsetof(sequence, scaled_measures) == 40);
static_assert(offsetof(sequence, runtime_measures) == 52);
static_assert(offsetof(sequence, reserved) == 58);

// The fixed part of a frame; `views` int16 bitmap instance indexes follow it.
struct sequence_frame {
    std::int16_t key;              // NONE in imported frames
    std::int16_t engine_words[3];  // computed by the engine at load
    std::uint8_t reserved[38];
};
static_assert(sizeof(sequence_frame) == 46);

constexpr std::int64_t sequence_frame_size(std::int64_t views) { return 46 + 2 * views; }

struct shadow_map {
    std::int32_t engine_longs[3];
    std::int16_t engine_word;
    std::uint8_t engine_bytes[2];
    std::uint8_t reserved[16];
};
static_assert(sizeof(shadow_map) == 32);

inline constexpr std::int16_t bitmap_flag_power_of_two = 0x0001;
inline constexpr std::int16_t bitmap_flag_transparent = 0x0002;
inline constexpr std::int16_t bitmap_flag_run_encoded = 0x0004;
inline constexpr std::int16_t bitmap_flag_wide_pixels = 0x0008;
inline constexpr std::int16_t bitmap_flag_wide_pixels_alternate = 0x0010;
inline constexpr std::int16_t bitmap_flag_no_row_table = 0x0020;
inline constexpr std::int16_t bitmap_flag_padded_rows = 0x0040;
inline constexpr std::int16_t bitmap_flag_no_remapping = 0x0080;
inline constexpr std::int16_t bitmap_flag_opacity_from_color = 0x0800;
inline constexpr std::int16_t bitmap_flag_prepared = 0x2000;

inline constexpr std::int16_t bitmap_pixel_format_indexed = 4;

// The head of a bitmap's data. Unless bitmap_flag_no_row_table is set, a row
// table of 4 * height bytes starts at first_row_pointer (runtime pointers,
// ignored when loading); the pixels follow it.
struct bitmap {
    std::int16_t width;
    std::int16_t height;
    std::int16_t bytes_per_row;  // pitch of unencoded rows
    std::int16_t flags;
    std::int16_t bits_per_pixel;
    std::int16_t width_shift;   // log2 of the width with bitmap_flag_power_of_two, else 0
    std::int16_t height_shift;  // log2 of the height with bitmap_flag_power_of_two, else 0
    std::int16_t pixel_shift;   // log2 of the bytes per pixel
    std::int16_t pixel_format;  // 4: one byte per pixel (colour index)
    std::uint8_t runtime[30];
    std::uint8_t first_row_pointer[4];
};
static_assert(sizeof(bitmap) == 52);
static_assert(offsetof(bitmap, pixel_format) == 16);
static_assert(offsetof(bitmap, first_row_pointer) == 48);

inline constexpr std::int64_t bitmap_row_table_offset = offsetof(bitmap, first_row_pointer);

// Where the pixels of a bitmap start, counted from the start of its data.
constexpr std::int64_t bitmap_pixels_offset(std::int16_t flags, std::int64_t height) {
    return (flags & bitmap_flag_no_row_table) ? std::int64_t(sizeof(bitmap))
                                              : bitmap_row_table_offset + 4 * height;
}

// Byte-swap codes of each record (a complete description: -100, 1, ..., -101).
inline constexpr std::int16_t collection_header_byte_swap_codes[] = {
    -100, 1, -4, -4, 56, -100, 8, -4, -4, -4, 4, -101, 56, -4, -4, -4, 4, 40, 16, -101};
inline constexpr std::int16_t color_table_byte_swap_codes[] = {
    -100, 1, -4, -4, -4, 20, -100, color_table_capacity, -2, -2, -2, -2, -101, -101};
inline constexpr std::int16_t hue_change_byte_swap_codes[] = {-100, 1, 64, -2, -2, 32, -2, -2, -2, 6, 16, -101};
inline constexpr std::int16_t bitmap_reference_byte_swap_codes[] = {-100, 1, 64, -4, -4, 4, -2, -2, 48, -101};
inline constexpr std::int16_t bitmap_instance_byte_swap_codes[] = {
    -100, 1, -4, -2, -2, -2, 2, -2, -2, -2, -2, -2, -2, -2, -2, -2, 34, -101};
inline constexpr std::int16_t sequence_reference_byte_swap_codes[] = {-100, 1, 64, -4, -4, 4, 36, 16, -101};
inline constexpr std::int16_t sequence_byte_swap_codes[] = {
    -100, 1, -4, -4, -2, -2, -2, -2, -2, -2, -2, -2, -4, -4, -4, -2, -2, -4, -4, -4, -2, -2, -2, 6, -101};
inline constexpr std::int16_t sequence_frame_byte_swap_codes[] = {-100, 1, -2, -2, -2, -2, 38, -101};
inline constexpr std::int16_t shadow_map_byte_swap_codes[] = {-100, 1, -4, -4, -4, -2, 2, 16, -101};
inline constexpr std::int16_t bitmap_byte_swap_codes[] = {-100, 1, -2, -2, -2, -2, -2, -2, -2, -2, -2, 34, -101};

// Converts count consecutive records between file and host order, in place.
void byte_swap_records(collection_header* records, std::int32_t count);
void byte_swap_records(color_table* records, std::int32_t count);
void byte_swap_records(hue_change* records, std::int32_t count);
void byte_swap_records(bitmap_reference* records, std::int32_t count);
void byte_swap_records(bitmap_instance* records, std::int32_t count);
void byte_swap_records(sequence_reference* records, std::int32_t count);
void byte_swap_records(sequence* records, std::int32_t count);
void byte_swap_records(sequence_frame* records, std::int32_t count);
void byte_swap_records(shadow_map* records, std::int32_t count);
void byte_swap_records(bitmap* records, std::int32_t count);
