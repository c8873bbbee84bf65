#include "core/search_roots.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>

#include "core/text.h"

namespace {

std::array<char[256], search_root_count> search_root_labels{};

// The mount point of the disc last found; it stays when a later search fails.
std::optional<std::string> disc_folder;

bool valid_slot(int16_t slot) { return slot >= 0 && slot < search_root_count; }

// Mount tables write a space, tab, newline and backslash as \040, \011, \012, \134.
std::string decode_mount_field(std::string_view field) {
    std::string decoded;
    for (std::size_t index = 0; index < field.size(); ++index) {
        if (field[index] == '\\' && index + 3 < field.size()) {
            const std::string_view digits = field.substr(index + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string_view::npos) {
                decoded += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
                index += 3;
                continue;
            }
        }
        decoded += field[index];
    }
    return decoded;
}

std::string_view nth_field(std::string_view line, int wanted) {
    std::size_t cursor = 0;
    for (int field = 0;; ++field) {
        const std::size_t start = line.find_first_not_of(" \t", cursor);
        if (start == std::string_view::npos) return {};
        std::size_t end = line.find_first_of(" \t", start);
        if (end == std::string_view::npos) end = line.size();
        if (field == wanted) return line.substr(start, end - start);
        cursor = end;
    }
}

bool equal_ignoring_case(std::string_view first, std::string_view second) {
    return std::ranges::equal(first, second, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

void set_search_root_label(int16_t slot, std::string_view text) {
    if (valid_slot(slot)) copy_text(search_root_labels[static_cast<std::size_t>(slot)], text);
}

void append_search_root_label(int16_t slot, std::string_view text) {
    if (!valid_slot(slot)) return;
    auto& label = search_root_labels[static_cast<std::size_t>(slot)];
    std::string combined{bounded_text(label)};
    if (!combined.empty()) combined += '\\';
    combined += text;
    copy_text(label, combined);
}

std::optional<std::string> mount_point_with_label(std::string_view mount_table, std::string_view label) {
    if (label.empty()) return std::nullopt;
    while (!mount_table.empty()) {
        const std::size_t end = mount_table.find('\n');
        const std::string_view line = mount_table.substr(0, end);
        mount_table = end == std::string_view::npos ? std::string_view{} : mount_table.substr(end + 1);
        const std::string mount_point = decode_mount_field(nth_field(line, 1));
        const std::size_t separator = mount_point.rfind('/');
        const std::string_view last_component =
            separator == std::string::npos ? std::string_view{mount_point}
                                           : std::string_view{mount_point}.substr(separator + 1);
        if (!last_component.empty() && equal_ignoring_case(last_component, label)) {
            return mount_point;
        }
    }
    return std::nullopt;
}

bool search_root_available(int16_t slot) {
    if (slot == working_folder_root) return true;
    if (!valid_slot(slot)) return false;
    std::ifstream mounts("/proc/self/mounts");
    const std::string table{std::istreambuf_iterator<char>(mounts), std::istreambuf_iterator<char>()};
    std::optional<std::string> found =
        mount_point_with_label(table, bounded_text(search_root_labels[static_cast<std::size_t>(slot)]));
    if (!found) return false;
    disc_folder = std::move(found);
    return true;
}

std::optional<std::string> search_root_folder(int16_t root) {
    if (root == working_folder_root) return std::string{};
    if (!valid_slot(root)) return std::nullopt;
    return disc_folder;
}
