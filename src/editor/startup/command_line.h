#pragma once

// The editor's command line: tessary [--choose] [FOLDER], --help, --version.
// Plain C++ so that the answer can be checked without a window system.

#include <optional>
#include <string>
#include <vector>

namespace startup {

struct CommandLine {
    enum class Action { run, help, version, refuse };
    Action action = Action::run;
    std::optional<std::string> folder;  // the working folder to open
    bool choose = false;                // show the start dialog whatever the folder
    std::string refusal;                // one line, for Action::refuse
};

// `arguments` without the program name, after Qt took its own options.
CommandLine parse_command_line(const std::vector<std::string>& arguments);

// What --help prints.
std::string usage_text();

}  // namespace startup
