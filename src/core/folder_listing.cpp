#include "core/folder_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <array>
#include <string>

#include "core/file_layer.h"
#include "core/text.h"

namespace {

constexpr int deepest_level = 8;
constexpr std::size_t longest_path = file_path_capacity - 1;

struct listing_state {
    int16_t root = 0;
    std::string folder;  // the folder being listed at the current depth, '\\' separated
    bool recursive = false;
    std::array<DIR*, deepest_level> searches{};
    int depth = -1;
};

listing_state listing;

void drop_last_component(std::string& path) {
    const std::size_t separator = path.rfind('\\');
    path.erase(separator == std::string::npos ? 0 : separator);
}

std::string child_path(const std::string& folder, const char* name) {
    return folder.empty() ? std::string{name} : folder + '\\' + name;
}

void end_search(int depth) {
    DIR*& search = listing.searches[static_cast<std::size_t>(depth)];
    if (search) closedir(search);
    search = nullptr;
}

// Directory entries may not say what they are; links are followed, as a folder
// listing shows what a link points to.
bool entry_is_folder(DIR* search, const dirent* entry, bool& is_regular_file) {
    if (entry->d_type == DT_DIR || entry->d_type == DT_REG) {
        is_regular_file = entry->d_type == DT_REG;
        return entry->d_type == DT_DIR;
    }
    struct stat status;
    if (fstatat(dirfd(search), entry->d_name, &status, 0) != 0) {
        is_regular_file = false;
        return false;
    }
    is_regular_file = S_ISREG(status.st_mode);
    return S_ISDIR(status.st_mode);
}

DIR* open_search(const std::string& folder) {
    file_reference reference;
    file_reference_initialize(reference, listing.root);
    copy_text(reference.path, folder);
    const std::string system_path = file_reference_system_path(reference);
    return system_path.empty() ? nullptr : opendir(system_path.c_str());
}

}  // namespace

void begin_folder_listing(bool recursive, const file_reference& folder) {
    for (int depth = 0; depth < deepest_level; ++depth) end_search(depth);
    listing.root = folder.root;
    listing.folder = std::string{bounded_text(folder.path)};
    listing.recursive = recursive;
    listing.depth = 0;
}

bool next_file_in_listing(file_reference& file) {
    while (listing.depth >= 0) {
        DIR*& search = listing.searches[static_cast<std::size_t>(listing.depth)];
        if (!search) search = open_search(listing.folder);
        const dirent* entry = search ? readdir(search) : nullptr;
        if (!entry) {
            end_search(listing.depth);
            drop_last_component(listing.folder);
            --listing.depth;
            continue;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || is_temporary_file_name(name)) continue;
        const std::string path = child_path(listing.folder, entry->d_name);
        // A path the reference cannot hold whole would name some other file.
        if (path.size() > longest_path) continue;
        bool is_regular_file;
        if (entry_is_folder(search, entry, is_regular_file)) {
            if (listing.recursive && listing.depth + 1 < deepest_level) {
                listing.folder = path;
                ++listing.depth;
            }
            continue;
        }
        // Only plain files: opening a pipe or device found here could block or worse.
        if (!is_regular_file) continue;
        file_reference_initialize(file, listing.root);
        copy_text(file.path, path);
        file.flags = file_reference_names_file;
        return true;
    }
    return false;
}
