#pragma once

#include <cstddef>
#include <cstdint>

#include "core/tag_code.h"

// The 64-byte header that describes a tag in a local tag file and in a
// monolithic file. Stored big-endian; held in memory in host order.

inline constexpr int tag_name_capacity = 32;      // 31 characters and the NUL
inline constexpr int tag_name_maximum_length = 31;
inline constexpr std::int32_t local_tag_data_offset = 64;

// file_type values
enum tag_file_type : std::uint8_t {
    tag_file_type_local = 0,
    tag_file_type_plugin = 1,
    tag_file_type_patch = 2,
    tag_file_type_foundation = 3,
};

// flags bits
inline constexpr std::uint8_t tag_header_flag_hidden = 0x01;

// destination values: the five foundation files, or none
inline constexpr std::int8_t tag_destination_none = -1;
inline constexpr std::int8_t tag_destination_count = 5;

inline constexpr tag_code tag_header_signature = make_tag("klv2");

struct tag_header {
    std::int16_t identifier;   // the directory slot's identifier; ignored on reading
    std::uint8_t flags;        // tag_header_flag_hidden; recomputed by the directory
    std::uint8_t file_type;    // tag_file_type
    char name[tag_name_capacity];
    tag_code group_tag;
    tag_code subgroup_tag;
    std::int32_t offset;       // of the data in the holding file; 64 in a local tag file
    std::int32_t size;         // of the data in bytes
    std::uint32_t user_data;
    std::int16_t version;
    std::int8_t destination;   // 0..4, or tag_destination_none
    std::int8_t file_index;    // loaded monolithic file, -1 for a local tag
    tag_code signature;        // tag_header_signature
};

static_assert(sizeof(tag_header) == 64);
static_assert(offsetof(tag_header, identifier) == 0);
static_assert(offsetof(tag_header, flags) == 2);
static_assert(offsetof(tag_header, file_type) == 3);
static_assert(offsetof(tag_header, name) == 4);
static_assert(offsetof(tag_header, group_tag) == 36);
static_assert(offsetof(tag_header, subgroup_tag) == 40);
static_assert(offsetof(tag_header, offset) == 44);
static_assert(offsetof(tag_header, size) == 48);
static_assert(offsetof(tag_header, user_data) == 52);
static_assert(offsetof(tag_header, version) == 56);
static_assert(offsetof(tag_header, destination) == 58);
static_assert(offsetof(tag_header, file_index) == 59);
static_assert(offsetof(tag_header, signature) == 60);

// Converts count consecutive headers between file and host order (in place; the
// conversion is its own inverse).
void byte_swap_tag_headers(tag_header* headers, std::int32_t count);

inline bool tag_header_is_hidden(const tag_header& header) {
    return (header.flags & tag_header_flag_hidden) != 0;
}

inline bool tag_header_is_local(const tag_header& header) {
    return header.file_type == tag_file_type_local;
}
