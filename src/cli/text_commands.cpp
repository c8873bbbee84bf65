#include "cli/text_commands.h"

#include <cstdio>

#include "cli/command_error.h"
#include "cli/game_text.h"
#include "cli/session.h"
#include "cli/tag_lookup.h"
#include "media/string_definitions.h"
#include "tag_files/group_text_dump.h"
#include "tag_files/tag_directory.h"

namespace cli {

namespace {

// A line break inside a dialog string (from "|r") as the four characters
// \r\n, so that every string stays on its line.
std::string one_line(const std::string& text) {
    std::string line;
    for (const char character : text) {
        if (character == '\n' || character == '\r') {
            line += character == '\n' ? "\\r" : "\\n";
        } else {
            line += character;
        }
    }
    return line;
}

int run_dump_text(const ParsedCommand& command) {
    const tag_code group = parse_group(command.arguments[0]);
    Session session(Access::read_only);
    const std::string file = group_text_dump_file_name(group);
    if (!dump_group_text(group)) throw CommandError("could not write " + file);
    const int count = static_cast<int>(tag_count_of_group(group));
    std::printf("wrote %s (%d tag%s)\n", file.c_str(), count, count == 1 ? "" : "s");
    return 0;
}

int run_strings(const ParsedCommand& command) {
    const TagPath path = parse_tag_path(command.arguments[0]);
    Session session(Access::read_only);
    const tag_handle handle = require_tag(path);
    const tag_code group = tag_get_group(handle);
    if (!is_text_group(group) && group != dialog_string_list_group) {
        throw CommandError(tag_path_text(handle) + " holds no strings");
    }
    const auto strings = read_tag_strings(group, tag_get_subgroup(handle));
    if (!strings) throw CommandError("could not read " + tag_path_text(handle) + ":\n" + session.take_messages());
    for (std::size_t index = 0; index < strings->size(); ++index) {
        std::printf("%zu\t%s\n", index, one_line(game_text_to_utf8((*strings)[index]).text).c_str());
    }
    return 0;
}

}  // namespace

constinit const CommandDefinition dump_text_command{
    .name = "dump-text",
    .brief = "write the group's tags as the editor's Dump text",
    .arguments = "G",
    .summary = "Write \"<folder name>.txt\" in the working folder as the editor's Dump text for group does: "
               "one line per tag of the group, its name, a tab and its subgroup code, ended by CR LF.",
    .options = {},
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_dump_text,
};

constinit const CommandDefinition strings_command{
    .name = "strings",
    .brief = "print the numbered strings of a text tag",
    .arguments = "G/NAME",
    .summary = "The numbered strings of a string list, template, text or dialog string list as the game "
               "reads them: one line each, its number, a tab and the string as UTF-8.",
    .options = {},
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_strings,
};

}  // namespace cli
