#include "editor/startup/command_line.h"

namespace startup {

namespace {

CommandLine refused(std::string why) {
    CommandLine line;
    line.action = CommandLine::Action::refuse;
    line.refusal = "tessary: " + std::move(why) + " (tessary --help shows the usage)";
    return line;
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool options_ended = false;
    for (const std::string& argument : arguments) {
        if (!options_ended && argument == "--") {
            options_ended = true;
        } else if (!options_ended && (argument == "--help" || argument == "-h")) {
            line.action = CommandLine::Action::help;
            return line;
        } else if (!options_ended && argument == "--version") {
            line.action = CommandLine::Action::version;
            return line;
        } else if (!options_ended && argument == "--choose") {
            line.choose = true;
        } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
            return refused("unknown option '" + argument + "'");
        } else if (line.folder) {
            return refused("one working folder at a time: '" + *line.folder + "' and '" + argument + "'");
        } else if (argument.empty()) {
            return refused("an empty folder name");
        } else {
            line.folder = argument;
        }
    }
    return line;
}

std::string usage_text() {
    return "Usage: tessary [--choose] [FOLDER]\n"
           "\n"
           "Edits the tags of the Kelvo working folder FOLDER: a folder holding local, plugins\n"
           "or tags. Without FOLDER the editor works in the current folder when it is a\n"
           "working folder, and otherwise asks for one, offering those opened recently.\n"
           "\n"
           "  --choose    ask for the working folder even when the current folder is one\n"
           "  --help      show this text and exit\n"
           "  --version   show the version and exit\n";
}

}  // namespace startup
