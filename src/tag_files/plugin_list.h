#pragma once

#include <cstddef>
#include <cstdint>

// The list of plugins exchanged with other players' programs: a count (16-bit),
// then per plugin its data checksum (32-bit), its name (at most 31 characters and
// a NUL) and its url (at most 63 characters and a NUL). Numbers are big-endian.
// The stream comes from other players and is read as untrusted.

inline constexpr std::int32_t plugin_list_stream_capacity = 512;
inline constexpr std::int16_t plugin_list_maximum_count = 16;

// Writes the plugin table rows given by indexes into buffer (which holds
// plugin_list_stream_capacity bytes); the stream's length, or 0 when the count
// is outside 0 to 16, an index names no row, or the stream would exceed 512 bytes.
std::int32_t encode_plugin_list(const std::int16_t* indexes, std::int16_t count, void* buffer);

// Reads a stream of length bytes: indexes (room for 16) receive the plugin table
// rows that match an entry's checksum and name (ignoring case), *count their
// number. Every entry without a row, or whose fields cannot be read within the
// stream, adds the line "<name> - http://<url>\r" to missing_text (when given; the
// text stays NUL-terminated within missing_capacity bytes, lines that do not fit
// are left out). True only when every plugin was found; a stream over 512 bytes or
// a count outside 0 to 16 is refused without looking at the entries.
bool decode_plugin_list(std::int16_t* indexes, std::int16_t* count, const void* buffer, std::int32_t length,
                        char* missing_text, std::size_t missing_capacity);
