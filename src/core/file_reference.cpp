#include "core/file_reference.h"

#include <algorithm>
#include <cstring>

#include "core/search_roots.h"
#include "core/text.h"

namespace {

constexpr std::size_t longest_path = file_path_capacity - 1;

// Paths on another root keep room for the three-character prefix a drive letter
// root once had.
constexpr std::size_t longest_rooted_path = 251;

void set_path(file_reference& reference, std::string_view path) { copy_text(reference.path, path); }

std::string_view folder_of(std::string_view path) {
    const std::size_t separator = path.rfind('\\');
    return separator == std::string_view::npos ? std::string_view{} : path.substr(0, separator);
}

}  // namespace

void file_reference_initialize(file_reference& reference, int16_t root) {
    reference.flags = 0;
    reference.root = root;
    std::memset(reference.path, 0, sizeof reference.path);
    reference.handle = -1;
}

void file_reference_append_folder(file_reference& reference, std::string_view name) {
    std::string path{bounded_text(reference.path)};
    if (!path.empty()) path += '\\';
    path += name;
    set_path(reference, std::string_view{path}.substr(0, std::min(path.size(), longest_path)));
}

void file_reference_set_name(file_reference& reference, std::string_view name) {
    if (reference.flags & file_reference_names_file) {
        set_path(reference, folder_of(bounded_text(reference.path)));
    }
    file_reference_append_folder(reference, name);
    reference.flags |= file_reference_names_file;
}

std::string file_reference_full_path(const file_reference& reference) {
    const std::string_view path = bounded_text(reference.path);
    if (reference.root == working_folder_root) return std::string{path};
    const std::optional<std::string> folder = search_root_folder(reference.root);
    const std::string prefix = folder ? *folder + "/" : std::string{"?:\\"};
    return prefix + std::string{path.substr(0, std::min(path.size(), longest_rooted_path))};
}

std::string file_reference_system_path(const file_reference& reference) {
    std::string_view path = bounded_text(reference.path);
    std::string prefix;
    if (reference.root == working_folder_root) {
        if (path.empty()) return ".";
    } else {
        // A root that is not available yields no path, so nothing is touched.
        const std::optional<std::string> folder = search_root_folder(reference.root);
        if (!folder) return {};
        prefix = *folder + "/";
        path = path.substr(0, std::min(path.size(), longest_rooted_path));
    }
    std::string converted{path};
    std::replace(converted.begin(), converted.end(), '\\', '/');
    return prefix + converted;
}

std::string file_reference_get_name(const file_reference& reference, int parts) {
    const std::string_view path = bounded_text(reference.path);
    std::string_view folder = path;
    std::string_view name;
    if (reference.flags & file_reference_names_file) {
        const std::size_t separator = path.rfind('\\');
        folder = separator == std::string_view::npos ? std::string_view{} : path.substr(0, separator);
        name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    }
    const std::size_t period = name.rfind('.');
    const std::string_view bare_name = period == std::string_view::npos ? name : name.substr(0, period);
    const std::string_view extension = period == std::string_view::npos ? std::string_view{} : name.substr(period + 1);

    std::string text;
    if (parts & name_part_folder) text += folder;
    if (parts & name_part_name) {
        if ((parts & name_part_folder) && !folder.empty() && !name.empty()) text += '\\';
        text += bare_name;
    }
    if (parts & name_part_extension) {
        if ((parts & name_part_name) && period != std::string_view::npos) text += '.';
        text += extension;
    }
    return text;
}
