#include "tag_files/instance_lock.h"

#include "core/exit_procedures.h"
#include "core/file_layer.h"
#include "tag_files/tag_folders.h"

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

void release_instance_lock() {
    instance_lock& state = lock();
    if (!state.held) return;
    close_file(state.file);
    delete_file_or_folder(state.file);
    state.held = false;
}
