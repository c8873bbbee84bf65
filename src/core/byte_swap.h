#pragma once

// Endian conversion of stored records. A record's layout is described once by an
// array of 16-bit codes and one engine walks that description over the bytes,
// reversing every 16- and 32-bit field. A swap is its own inverse, so the same
// call converts after reading and before writing.

#include <cstdint>
#include <span>
#include <vector>

// The codes; a positive N (1 to 32767) is a run of N bytes left as they are.
enum byte_swap_code : int16_t {
    swap_begin_array = -100,  // followed by its repeat count (1 or more)
    swap_end_array = -101,    // ends the innermost open array
    swap_2_bytes = -2,
    swap_4_bytes = -4,
};

// A named layout; the codes cover exactly size bytes.
struct byte_swap_definition {
    const char* name;
    int32_t size;
    std::span<const int16_t> codes;
};

// Converts count consecutive records of element_size bytes, each with the whole
// code array. Nothing happens for nullptr data or a count below 1. A walk never
// touches bytes beyond its own record: malformed codes (an unknown value, a repeat
// count below 1, a missing end, or fields reaching past element_size) stop the walk
// at that point and are reported as a non-fatal assertion naming the layout.
void byte_swap_data(const char* name, void* data, int32_t element_size, int32_t count,
                    std::span<const int16_t> codes);

// Converts count consecutive fields that all have one code (-2, -4 or a run).
void byte_swap_memory(const char* name, void* data, int32_t count, int16_t code);

struct byte_swap_walk_result {
    int64_t bytes_covered;  // data bytes one pass of the array covers
    int32_t codes_used;     // codes consumed, up to and including the closing -101
    bool valid;             // false: the walk stopped at a malformed code or the limit
};

// The engine: one pass of the array that starts at codes[0] (which must be -100),
// touching at most size bytes of data. With nullptr data it only measures.
byte_swap_walk_result byte_swap_walk(const char* name, void* data, int64_t size,
                                     std::span<const int16_t> codes);

// Measures the codes without data and without a size limit.
byte_swap_walk_result byte_swap_measure(std::span<const int16_t> codes);

// One scalar the codes describe: a swapped 16- or 32-bit field (width 2 or 4), or a
// run of width bytes left alone.
struct byte_swap_field {
    int64_t offset;
    int32_t width;
    bool swapped;
};

// Every field and run in storage order, arrays unrolled; empty when the codes are
// malformed.
std::vector<byte_swap_field> byte_swap_fields(std::span<const int16_t> codes);

// The layouts of the tag file system's own records.
inline constexpr int16_t tag_header_byte_swap_codes[] = {
    -100, 1, -2, 1, 1, 32, -4, -4, -4, -4, -4, -2, 1, 1, -4, -101};
inline constexpr int16_t tag_file_header_byte_swap_codes[] = {
    -100, 1, -2, -2, 32, 64, -2, -2, -4, -4, -4, -4, 4, -4, -101};
inline constexpr int16_t tag_file_entry_point_byte_swap_codes[] = {
    -100, 1, -4, 8, -4, 32, 64, -101};
inline constexpr int16_t encoded_plugin_header_byte_swap_codes[] = {-100, 1, -2, -101};
inline constexpr int16_t encoded_plugin_data_byte_swap_codes[] = {-100, 1, -4, -101};

inline constexpr byte_swap_definition tag_header_definition{"tag_header", 64, tag_header_byte_swap_codes};
inline constexpr byte_swap_definition tag_file_header_definition{"tag_file_header", 128,
                                                                 tag_file_header_byte_swap_codes};
inline constexpr byte_swap_definition tag_file_entry_point_definition{"tag_file_entry_point", 112,
                                                                      tag_file_entry_point_byte_swap_codes};
inline constexpr byte_swap_definition encoded_plugin_header_definition{"encoded_plugin_header", 2,
                                                                       encoded_plugin_header_byte_swap_codes};
inline constexpr byte_swap_definition encoded_plugin_data_definition{"encoded_plugin_data", 4,
                                                                     encoded_plugin_data_byte_swap_codes};

// Converts count records of the definition's size.
inline void byte_swap_data(const byte_swap_definition& definition, void* data, int32_t count = 1) {
    byte_swap_data(definition.name, data, definition.size, count, definition.codes);
}
