#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/file_reference.h"
#include "tag_files/monolithic_records.h"
#include "tag_files/tag_directory.h"

// Writing monolithic files: plugins and patches from chosen tags, and the five
// foundation files from the local tags by destination. A file is written beside
// its target under a temporary name and replaces the target only once complete
// and durable, so a failed build leaves any previous file of that name as it was
// (and a foundation file the directory holds open is never truncated). Writing
// does not change the directory.

inline constexpr std::int32_t monolithic_transfer_buffer_size = 524288;
inline constexpr std::int32_t monolithic_selection_limit = 10000;

// Called before each tag of a monolithic file is written, with its place among
// the file's tags (from 0) and their number, and once more with both equal when
// every tag is written.
using monolithic_tag_progress = void (*)(std::int32_t written, std::int32_t count, void* progress_data);

// Writes a complete monolithic file from the listed tags, leaving out groups that
// live outside the local folder. Refused with a message when the result could not
// be read back: more than 9999 tags, a tag over 12 MB, a file over 2^31 - 1 bytes.
bool write_monolithic_file(file_reference& file, const char* url, std::int16_t type, std::int16_t plugin_flags,
                           const tag_handle* handles, std::int32_t count, monolithic_tag_progress progress = nullptr,
                           void* progress_data = nullptr);
// The same for the visible tags the filter accepts, in slot order.
bool write_monolithic_from_filter(file_reference& file, const char* url, tag_filter filter, void* filter_data,
                                  std::int16_t type, std::int16_t plugin_flags,
                                  monolithic_tag_progress progress = nullptr, void* progress_data = nullptr);

// The name of the file a plugin called `name` is written to in the plugins
// folder: its first 31 characters, made a valid file name; empty when nothing
// valid is left.
std::string plugin_file_name(std::string_view name);

// Builds plugins\<name> (its file name above) as a patch or a plugin; without a
// filter from every visible local tag. A name that is empty once made valid is
// refused with a message.
bool build_plugin(const char* name, const char* url, bool is_patch, std::int16_t plugin_flags, tag_filter filter,
                  void* filter_data, monolithic_tag_progress progress = nullptr, void* progress_data = nullptr);

// The list filter: filter_data is a list of tag handles ended by 0; a header
// matches when some listed tag has its group and subgroup.
bool tag_in_list(const tag_header* header, void* handles);

// Called before each foundation file is written, with its destination (0 to 4).
using foundation_file_progress = void (*)(int destination, void* progress_data);

// Writes the five foundation files of "tags" from the visible local tags by
// destination; true only when all five succeed (a failure does not stop the others).
// Both progress procedures, when given, get progress_data.
bool rebuild_foundation_files(foundation_file_progress progress = nullptr, void* progress_data = nullptr,
                              monolithic_tag_progress tag_progress = nullptr);

// The entry points (host order) of the mesh tags among the listed tags, in list
// order; entry_points needs room for count. Returns their number.
std::int32_t build_entry_points(const tag_handle* handles, std::int32_t count, stored_entry_point* entry_points);
