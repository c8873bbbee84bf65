#pragma once

// Search roots: slot 0 is the working folder, always available; slot 1 the game disc.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int16_t working_folder_root = 0;
inline constexpr int16_t game_disc_root = 1;
inline constexpr int search_root_count = 2;

// Slot 1 holds the game disc's volume label. The disc is a mounted volume whose
// mount point's last component, lower-cased, equals the label lower-cased.
void set_search_root_label(int16_t slot, std::string_view text);
void append_search_root_label(int16_t slot, std::string_view text);
bool search_root_available(int16_t slot);

// The mount point in a mount table (the text of /proc/self/mounts) whose last
// component matches the label ignoring case; octal escapes in the table are decoded.
std::optional<std::string> mount_point_with_label(std::string_view mount_table, std::string_view label);

// The folder a root's paths start from once it is available: "" for the working
// folder, the disc's mount point for the game disc; nothing while it is not found.
std::optional<std::string> search_root_folder(int16_t root);
