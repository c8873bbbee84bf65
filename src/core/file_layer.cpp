#include "core/file_layer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/error_manager.h"
#include "core/memory.h"

namespace {

int16_t last_failure = error_none;

bool succeed() {
    last_failure = error_none;
    return true;
}

bool fail(int16_t code) {
    last_failure = code;
    return false;
}

constexpr std::string_view temporary_name_prefix = ".~tessary-";

// Open-file-description locks stand for the sharing modes: they belong to one open
// of the file, so two opens conflict even inside one process, and they vanish when
// the file is closed.
bool take_lock(int descriptor, bool exclusive) {
    struct flock lock {};
    lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    return fcntl(descriptor, F_OFD_SETLK, &lock) == 0;
}

// Whether some other open of the file holds a lock that conflicts with the kind asked.
bool held_elsewhere(const std::string& system_path, bool exclusive) {
    const int descriptor = open(system_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return false;
    struct flock lock {};
    lock.l_type = exclusive ? F_WRLCK : F_RDLCK;
    lock.l_whence = SEEK_SET;
    const bool held = fcntl(descriptor, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    close(descriptor);
    return held;
}

bool is_open(const file_reference& reference) { return reference.handle >= 0; }

std::string folder_system_path(const file_reference& reference) {
    file_reference folder;
    file_reference_initialize(folder, reference.root);
    file_reference_append_folder(folder, file_reference_get_name(reference, name_part_folder));
    return file_reference_system_path(folder);
}

mode_t new_file_mode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool create_file_or_folder(file_reference& reference) {
    const std::string path = file_reference_system_path(reference);
    if (path.empty()) return fail(error_file_create);
    if (!(reference.flags & file_reference_names_file)) {
        return mkdir(path.c_str(), 0777) == 0 ? succeed() : fail(error_file_create);
    }
    // Empty the file only once nobody else has it open, as a creation without
    // sharing would.
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) return fail(error_file_create);
    const bool emptied = take_lock(descriptor, true) && ftruncate(descriptor, 0) == 0;
    close(descriptor);
    return emptied ? succeed() : fail(error_file_create);
}

bool delete_file_or_folder(file_reference& reference) {
    const std::string path = file_reference_system_path(reference);
    if (path.empty()) return fail(error_file_general);
    if (!(reference.flags & file_reference_names_file)) {
        return rmdir(path.c_str()) == 0 ? succeed() : fail(error_file_general);
    }
    // A file open elsewhere stays, as the file was not opened to be shared for deletion.
    if (held_elsewhere(path, true)) return fail(error_file_general);
    return unlink(path.c_str()) == 0 ? succeed() : fail(error_file_general);
}

bool file_exists(const file_reference& reference) {
    const std::string path = file_reference_system_path(reference);
    struct stat status;
    return !path.empty() && stat(path.c_str(), &status) == 0 ? succeed() : fail(error_file_general);
}

bool rename_file(file_reference& reference, std::string_view name) {
    // The last component is replaced whether it names a file or a folder.
    file_reference renamed = reference;
    renamed.flags |= file_reference_names_file;
    file_reference_set_name(renamed, name);
    if (file_reference_get_name(renamed, name_part_name | name_part_extension) != name) return false;
    const std::string old_path = file_reference_system_path(reference);
    const std::string new_path = file_reference_system_path(renamed);
    if (old_path.empty() || new_path.empty()) return false;
    // Renaming never replaces another file.
    if (renameat2(AT_FDCWD, old_path.c_str(), AT_FDCWD, new_path.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) return false;
        struct stat status;
        if (lstat(new_path.c_str(), &status) == 0 || std::rename(old_path.c_str(), new_path.c_str()) != 0) {
            return false;
        }
    }
    std::copy(std::begin(renamed.path), std::end(renamed.path), std::begin(reference.path));
    return true;
}

bool open_file(file_reference& reference, int mode) {
    if (is_open(reference)) close_file(reference);
    const std::string path = file_reference_system_path(reference);
    if (path.empty()) return fail(error_file_open);
    const bool writing = mode & open_for_writing;
    const int access = writing ? ((mode & open_for_reading) ? O_RDWR : O_WRONLY) : O_RDONLY;
    const int descriptor = open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return fail(error_file_open);
    struct stat status;
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || !take_lock(descriptor, writing) ||
        ((mode & open_at_end) && lseek(descriptor, 0, SEEK_END) < 0)) {
        close(descriptor);
        return fail(error_file_open);
    }
    reference.handle = descriptor;
    return succeed();
}

bool close_file(file_reference& reference) {
    if (!is_open(reference)) return fail(error_file_general);
    const int descriptor = reference.handle;
    reference.handle = -1;
    return close(descriptor) == 0 ? succeed() : fail(error_file_general);
}

int64_t get_file_position(file_reference& reference) {
    const off_t position = is_open(reference) ? lseek(reference.handle, 0, SEEK_CUR) : -1;
    if (position < 0) {
        fail(error_file_general);
        return -1;
    }
    succeed();
    return position;
}

bool set_file_position(file_reference& reference, int64_t position) {
    return is_open(reference) && position >= 0 && lseek(reference.handle, position, SEEK_SET) == position
               ? succeed()
               : fail(error_file_general);
}

int64_t get_file_length(file_reference& reference) {
    struct stat status;
    if (!is_open(reference) || fstat(reference.handle, &status) != 0) {
        fail(error_file_general);
        return -1;
    }
    succeed();
    return status.st_size;
}

bool set_file_length(file_reference& reference, int64_t length) {
    return is_open(reference) && length >= 0 && lseek(reference.handle, length, SEEK_SET) == length &&
                   ftruncate(reference.handle, length) == 0
               ? succeed()
               : fail(error_file_write);
}

bool read_file(file_reference& reference, std::size_t count, void* buffer) {
    if (!is_open(reference)) return fail(error_file_read);
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = read(reference.handle, bytes + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return fail(error_file_read);
        done += static_cast<std::size_t>(got);
    }
    return succeed();
}

bool write_file(file_reference& reference, std::size_t count, const void* buffer) {
    if (!is_open(reference)) return fail(error_file_write);
    const auto* bytes = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t written = write(reference.handle, bytes + done, count - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return fail(error_file_write);
        done += static_cast<std::size_t>(written);
    }
    return succeed();
}

bool file_read_from_position(file_reference& reference, int64_t position, std::size_t count, void* buffer) {
    return set_file_position(reference, position) && read_file(reference, count, buffer);
}

bool file_write_at_position(file_reference& reference, int64_t position, std::size_t count, const void* buffer) {
    return set_file_position(reference, position) && write_file(reference, count, buffer);
}

void* load_whole_file(file_reference& reference, int64_t& length) {
    length = 0;
    if (!open_file(reference, open_for_reading)) return nullptr;
    const int64_t file_length = get_file_length(reference);
    void* block = file_length >= 0 ? allocate_memory(static_cast<std::size_t>(file_length)) : nullptr;
    int16_t failure = error_file_general;
    if (block) failure = read_file(reference, static_cast<std::size_t>(file_length), block) ? error_none : error_file_read;
    close_file(reference);
    if (failure != error_none) {
        dispose_pointer(block);
        fail(failure);
        return nullptr;
    }
    length = file_length;
    return block;
}

bool is_temporary_file_name(std::string_view name) { return name.starts_with(temporary_name_prefix); }

bool is_own_temporary_file_name(std::string_view name) {
    constexpr std::size_t unique_length = 6;
    if (!is_temporary_file_name(name) || name.size() != temporary_name_prefix.size() + unique_length) return false;
    return std::ranges::all_of(name.substr(temporary_name_prefix.size()), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

bool replace_file_atomically(const file_reference& reference,
                             const std::function<bool(file_reference& temporary)>& writer) {
    const std::string target = file_reference_system_path(reference);
    if (target.empty() || !(reference.flags & file_reference_names_file)) return fail(error_file_create);
    // Someone writing the file would lose their changes to the replacement.
    if (held_elsewhere(target, false)) return fail(error_file_open);
    // A file that may only be read is not replaced behind its permissions.
    if (access(target.c_str(), W_OK) != 0 && errno != ENOENT) return fail(error_file_write);

    file_reference temporary = reference;
    file_reference_set_name(temporary, std::string{temporary_name_prefix} + "XXXXXX");
    std::string temporary_path = file_reference_system_path(temporary);
    const int descriptor = mkstemp(temporary_path.data());
    if (descriptor < 0) return fail(error_file_create);
    const std::size_t separator = temporary_path.rfind('/');
    file_reference_set_name(temporary, temporary_path.substr(separator == std::string::npos ? 0 : separator + 1));
    temporary.handle = descriptor;

    struct stat status;
    const mode_t mode = stat(target.c_str(), &status) == 0 ? (status.st_mode & 07777) : new_file_mode();
    last_failure = error_none;
    const bool written = fchmod(descriptor, mode) == 0 && take_lock(descriptor, true) && writer(temporary) &&
                         is_open(temporary) && fsync(temporary.handle) == 0;
    int16_t failure = last_failure;
    if (failure == error_none) failure = error_file_write;
    if (is_open(temporary)) close(temporary.handle);
    if (!written || std::rename(temporary_path.c_str(), target.c_str()) != 0) {
        unlink(temporary_path.c_str());
        return fail(failure);
    }
    // The rename itself is durable only once the folder is.
    const int folder = open(folder_system_path(reference).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return succeed();
}

bool replace_file_atomically(const file_reference& reference, std::span<const std::byte> contents) {
    return replace_file_atomically(reference, [contents](file_reference& temporary) {
        return write_file(temporary, contents.size(), contents.data());
    });
}

int16_t file_last_error() {
    const int16_t code = last_failure;
    last_failure = error_none;
    return code;
}
