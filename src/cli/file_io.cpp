#include "cli/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/command_error.h"

namespace cli {

namespace {

std::string& working_folder_given() {
    static std::string folder;
    return folder;
}

// "'work/mine.json': No such file or directory (file names are relative to the
// working folder 'work')" for a relative name under -C work.
std::string named(const std::string& path, const std::string& reason) {
    const std::string& folder = working_folder_given();
    if (folder.empty() || path.empty() || path.front() == '/') return "'" + path + "': " + reason;
    const std::string shown = folder + (folder.back() == '/' ? "" : "/") + path;
    return "'" + shown + "': " + reason + " (file names are relative to the working folder '" + folder + "')";
}

std::string system_message() { return std::strerror(errno); }

bool write_all(int descriptor, std::span<const std::byte> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::vector<std::byte> read_input(const std::string& path) {
    const bool standard_input = path == "-";
    const int descriptor = standard_input ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) throw CommandError("cannot open " + named(path, system_message()));
    std::vector<std::byte> bytes;
    std::byte buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            const std::string message = system_message();
            if (!standard_input) ::close(descriptor);
            throw CommandError("cannot read " + named(path, message));
        }
        if (count == 0) break;
        if (bytes.size() + static_cast<std::size_t>(count) > maximum_input_size) {
            if (!standard_input) ::close(descriptor);
            throw CommandError("'" + path + "' is larger than 256 MB");
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    if (!standard_input) ::close(descriptor);
    return bytes;
}

OutputFile::OutputFile(const std::string& path) : path_(path) {
    if (path == "-") {
        descriptor_ = STDOUT_FILENO;
        return;
    }
    temporary_ = path + ".tessary-cli-new";
    descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor_ < 0) throw CommandError("cannot create " + named(path, system_message()));
}

OutputFile::~OutputFile() {
    if (temporary_.empty() || descriptor_ < 0) return;
    ::close(descriptor_);
    ::unlink(temporary_.c_str());
}

void OutputFile::write(std::span<const std::byte> bytes) {
    if (write_all(descriptor_, bytes)) return;
    if (temporary_.empty()) throw CommandError("cannot write to standard output");
    throw CommandError("cannot write " + named(path_, system_message()));
}

void OutputFile::commit() {
    if (temporary_.empty()) return;
    const bool synced = ::fsync(descriptor_) == 0;
    const std::string message = system_message();
    ::close(descriptor_);
    descriptor_ = -1;
    if (!synced || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        const std::string reason = synced ? system_message() : message;
        ::unlink(temporary_.c_str());
        throw CommandError("cannot write " + named(path_, reason));
    }
}

void write_output(const std::string& path, std::span<const std::byte> bytes) {
    OutputFile file(path);
    file.write(bytes);
    file.commit();
}

void write_output(const std::string& path, const std::string& text) {
    write_output(path, std::as_bytes(std::span(text.data(), text.size())));
}

bool stdout_is_terminal() { return isatty(STDOUT_FILENO) != 0; }

void set_working_folder_given(const std::string& folder) { working_folder_given() = folder; }

}  // namespace cli
