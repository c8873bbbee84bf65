#pragma once

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"
#include "tag_files/tag_header.h"

// The stored records of monolithic files (foundation files, patches, plugins):
// a 128-byte header, then entry_point_count entry points of 112 bytes, then
// tag_count tag headers of 64 bytes, then the tags' data. All big-endian on disk.

enum monolithic_type : std::int16_t {
    monolithic_type_plugin = 1,
    monolithic_type_patch = 2,
    monolithic_type_foundation = 3,
};

// monolithic_header::flags
inline constexpr std::uint32_t monolithic_flag_marks_file = 0x1;

inline constexpr tag_code monolithic_signature = make_tag("dng2");
inline constexpr std::int32_t monolithic_header_size = 128;
inline constexpr std::int32_t stored_entry_point_size = 112;
inline constexpr std::int32_t stored_tag_header_size = 64;
inline constexpr std::int32_t maximum_monolithic_tag_count = 9999;
inline constexpr std::int32_t maximum_monolithic_tag_size = 12582912;
inline constexpr std::int64_t maximum_monolithic_file_size = 0x7FFFFFFF;
inline constexpr int monolithic_url_capacity = 64;       // 63 characters and the NUL
inline constexpr int entry_point_description_capacity = 64;
inline constexpr std::int16_t plugin_flags_none = -1;
inline constexpr std::int16_t first_patch_number = 2;

struct monolithic_header {
    std::int16_t type;            // monolithic_type
    std::int16_t plugin_flags;    // plugin: option bits or -1; patch: its number; foundation: 0
    char name[tag_name_capacity]; // replaced on reading by the file's own name
    char url[monolithic_url_capacity];
    std::int16_t entry_point_count;
    std::int16_t tag_count;
    std::uint32_t checksum;       // CRC register over every tag's data in file order
    std::uint32_t flags;          // monolithic_flag_marks_file
    std::int32_t file_size;
    std::uint32_t header_checksum;  // CRC register over the stored header with this field zero
    std::uint8_t reserved[4];
    tag_code signature;           // monolithic_signature
};

static_assert(sizeof(monolithic_header) == monolithic_header_size);
static_assert(offsetof(monolithic_header, type) == 0);
static_assert(offsetof(monolithic_header, plugin_flags) == 2);
static_assert(offsetof(monolithic_header, name) == 4);
static_assert(offsetof(monolithic_header, url) == 36);
static_assert(offsetof(monolithic_header, entry_point_count) == 100);
static_assert(offsetof(monolithic_header, tag_count) == 102);
static_assert(offsetof(monolithic_header, checksum) == 104);
static_assert(offsetof(monolithic_header, flags) == 108);
static_assert(offsetof(monolithic_header, file_size) == 112);
static_assert(offsetof(monolithic_header, header_checksum) == 116);
static_assert(offsetof(monolithic_header, reserved) == 120);
static_assert(offsetof(monolithic_header, signature) == 124);

// A playable map offered by a monolithic file, made from one of its mesh tags.
struct stored_entry_point {
    tag_code subgroup;            // of the mesh tag
    std::uint8_t reserved[8];
    std::uint32_t user_data;      // of the mesh tag
    char name[tag_name_capacity]; // the mesh tag's name
    char description[entry_point_description_capacity];  // the map's long name
};

static_assert(sizeof(stored_entry_point) == stored_entry_point_size);
static_assert(offsetof(stored_entry_point, subgroup) == 0);
static_assert(offsetof(stored_entry_point, reserved) == 4);
static_assert(offsetof(stored_entry_point, user_data) == 12);
static_assert(offsetof(stored_entry_point, name) == 16);
static_assert(offsetof(stored_entry_point, description) == 48);

// Conversions between file and host order, in place.
void byte_swap_monolithic_header(monolithic_header& header);
void byte_swap_entry_points(stored_entry_point* entry_points, std::int32_t count);

// Where the tag headers start and where the data may start, in 64-bit arithmetic
// so that hostile counts cannot wrap.
constexpr std::int64_t monolithic_tag_headers_position(std::int64_t entry_point_count) {
    return monolithic_header_size + stored_entry_point_size * entry_point_count;
}
constexpr std::int64_t monolithic_data_position(std::int64_t entry_point_count, std::int64_t tag_count) {
    return monolithic_tag_headers_position(entry_point_count) + stored_tag_header_size * tag_count;
}

// The five foundation files in the "tags" folder; a tag's destination is an index here.
inline constexpr int foundation_file_count = 5;
inline constexpr const char* foundation_file_names[foundation_file_count] = {
    "small install", "medium install", "large install", "international small install",
    "international large install",
};
