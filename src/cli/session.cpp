#include "cli/session.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/command_error.h"
#include "cli/file_io.h"
#include "core/error_manager.h"
#include "tag_files/instance_lock.h"
#include "tag_files/stale_temporary_files.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_folders.h"

namespace cli {

namespace {

constexpr const char* program_name = "tessary-cli";

}  // namespace

Session::Session(Access access) : access_(access) {
    if (access == Access::read_only) {
        if (!is_working_folder(".")) {
            throw CommandError("this is not a working folder: it has no local, plugins or tags folder");
        }
    } else {
        create_tags_folders();
        if (!claim_instance_lock()) {
            if (working_folder_is_read_only()) throw CommandError(read_only_working_folder_text());
            throw CommandError("the working folder is in use: the editor, the game or another writer runs "
                               "there. Please exit the other application and try again.");
        }
        initialize_error_manager(program_name);
        remove_stale_temporary_files();
    }
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) {
        const std::string messages = take_messages();
        tag_files_close();
        if (access_ == Access::writer) release_instance_lock();
        throw CommandError("could not open the tags of the working folder" +
                           (messages.empty() ? std::string() : ":\n" + messages));
    }
    report_warnings();
}

Session::~Session() {
    tag_files_close();
    if (access_ == Access::writer) release_instance_lock();
}

std::string Session::take_messages() const {
    std::string messages(error_text());
    clear_error();
    // The tag file system names files the engine's way, with backslashes; the
    // user reads the paths this tool takes.
    std::ranges::replace(messages, '\\', '/');
    while (!messages.empty() && messages.back() == '\n') messages.pop_back();
    return messages;
}

void Session::report_warnings() const {
    const std::string messages = take_messages();
    std::size_t start = 0;
    while (start < messages.size()) {
        std::size_t end = messages.find('\n', start);
        if (end == std::string::npos) end = messages.size();
        std::fprintf(stderr, "tessary-cli: warning: %.*s\n", static_cast<int>(end - start), messages.data() + start);
        start = end + 1;
    }
}

void enter_working_folder(const std::string& folder) {
    if (folder.empty()) return;
    if (chdir(folder.c_str()) != 0) throw CommandError("cannot enter the working folder '" + folder + "'");
    set_working_folder_given(folder);
}

}  // namespace cli
