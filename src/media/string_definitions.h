#pragma once

// The strings of the text groups. A `stli` (string list) or `temp` (template)
// tag is cut at every NUL, LF and CR byte into its non-empty lines, numbered
// from 0; a `ditl` (dialog string list) tag ends one string at each such byte,
// so it keeps empty lines, and turns "|r" into CR LF inside a string; a `text`
// tag is one string. The editor's forms, the command-line tool and the engine's
// string tables all cut texts here.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/tag_code.h"

inline constexpr tag_code string_list_group = make_tag("stli");
inline constexpr tag_code template_group = make_tag("temp");
inline constexpr tag_code text_group = make_tag("text");
inline constexpr tag_code dialog_string_list_group = make_tag("ditl");

// Cuts `text` in place by the group's rule. `text` is a tag's data followed by
// one zero byte (its last byte must be zero); each string's terminator becomes
// a zero and the start of every string is returned, in order. A group without
// strings gives none.
std::vector<char*> cut_strings(tag_code group, std::span<char> text);

// The strings of a tag's data (without a terminating zero) by its group's rule.
std::vector<std::string> strings_of_text(tag_code group, std::string_view data);

// Reads the visible tag and cuts its data; nothing when the tag is missing or
// cannot be read (nothing is reported: the caller decides).
std::optional<std::vector<std::string>> read_tag_strings(tag_code group, tag_code subgroup);

// The engine's string tables. Loads the tag's strings once (a list already
// loaded gives its index again) and returns the list's index, or NONE when the
// subgroup is NONE or the tag is missing or unreadable (both reported).
// `from_monolithic` reads through the monolithic read-ahead window. A group
// without strings is read but registers nothing (NONE).
int32_t load_string_list(tag_code group, tag_code subgroup, bool from_monolithic);

// The string, or "" for an index outside the list or a list not loaded.
const char* get_string(int32_t list_index, int32_t string_index);
int32_t get_string_count(int32_t list_index);

// Frees every loaded list; indexes given before mean nothing afterwards.
void unload_string_lists();
