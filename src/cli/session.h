#pragma once

// A command's use of the working folder: the tag directory opened as the
// editor opens it. A command that changes anything first claims the
// single-instance lock, which every program of the family takes, so it is
// refused while the editor, the game or another writer works in the folder;
// it also starts the tag file system's log. Reading commands take no lock and
// leave the log of a running editor alone.

#include <string>

namespace cli {

enum class Access { read_only, writer };

class Session {
public:
    // Throws CommandError when the folder is not a working folder (reading),
    // the lock is held elsewhere (writing) or the directory cannot be opened.
    explicit Session(Access access);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Prints what the tag file system reported since the last call as warnings
    // on standard error, and forgets it.
    void report_warnings() const;
    // The reported messages, forgotten afterwards, for an error of the command.
    std::string take_messages() const;

private:
    Access access_;
};

// Makes folder the working folder (for -C); throws CommandError when it cannot.
void enter_working_folder(const std::string& folder);

}  // namespace cli
