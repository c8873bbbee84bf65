#include "tag_files/instance_lock.h"

#include "core/exit_procedures.h"
#include "core/file_layer.h"
#include "tag_files/tag_folders.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* lock_file_name = "kelvo2";

struct instance_lock {
    file_reference file;
    bool held = false;
    bool exit_procedure_registered = false;
};

instance_lock& lock() {
    static instance_lock held_lock;
    return held_lock;
}

}  // namespace

bool claim_instance_lock() {
    instance_lock& state = lock();
    if (state.held) return true;
    file_reference_initialize(state.file, working_folder_root);
    file_reference_append_folder(state.file, local_folder_name);
    file_reference_set_name(state.file, lock_file_name);
    // Created only when missing: the file a running holder keeps locked must stay
    // the same file.
    if (!file_exists(state.file)) create_file_or_folder(state.file);
    if (!state.exit_procedure_registered) {
        state.exit_procedure_registered = register_exit_procedure(__FILE__, __LINE__, release_instance_lock);
    }
    // The write lock is taken without waiting: a running holder makes the open fail
    // at once, and one that died took its lock with it.
    state.held = open_file(state.file, open_for_writing);
    return state.held;
}

bool working_folder_is_read_only() {
    for (const char* folder : {".", local_folder_name}) {
        if (access(folder, W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) return true;
    }
    return false;
}

std::string read_only_working_folder_text() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return "The working folder '" + (error ? std::string(".") : folder.string()) +
           "' cannot be written (read-only): tags can be looked at but not changed.";
}

void release_instance_lock() {
    instance_lock& state = lock();
    if (!state.held) return;
    close_file(state.file);
    delete_file_or_folder(state.file);
    state.held = false;
}
