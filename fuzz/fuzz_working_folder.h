#pragma once

// The tag file system works in the process's current folder: a fuzz target that
// writes files first moves into a temporary folder of its own, removed at exit.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace fuzz_support {

inline std::filesystem::path& working_folder() {
    static std::filesystem::path folder;
    return folder;
}

inline void remove_working_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(working_folder(), ignored);
}

// Makes and enters the folder on the first call; true only then.
inline bool enter_working_folder() {
    if (!working_folder().empty()) return false;
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    working_folder() = pattern;
    std::filesystem::current_path(working_folder());
    std::atexit(remove_working_folder);
    return true;
}

}  // namespace fuzz_support
