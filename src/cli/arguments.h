#pragma once

// The command line: global options, then a command and its own options and
// arguments. Each command declares what it takes; CLI11 parses the line by
// those declarations and gives every command its --help.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct OptionSpec {
    std::string_view name;        // "--json", or "-o"
    std::string_view value_name;  // empty for a switch
    std::string_view help;
};

struct ParsedCommand;

struct CommandDefinition {
    std::string_view name;
    std::string_view brief;      // the one line beside the name in the tool's help
    std::string_view arguments;  // the synopsis after the name, such as "G/NAME FILE"
    std::string_view summary;    // one paragraph, laid out by the command's help
    std::span<const OptionSpec> options;
    int minimum_arguments = 0;
    int maximum_arguments = 0;  // -1: no limit
    int (*run)(const ParsedCommand& command) = nullptr;
    // Options of which at most one may be given.
    std::span<const std::string_view> exclusive = {};
};

struct ParsedCommand {
    const CommandDefinition* definition = nullptr;
    std::vector<std::string> arguments;
    std::map<std::string, std::string, std::less<>> options;  // switches map to ""

    bool has(std::string_view option) const { return options.contains(option); }
    std::optional<std::string> value(std::string_view option) const;
};

struct CommandLine {
    std::string working_folder;       // from -C; empty: the current folder
    std::optional<std::string> help;  // the text --help asked for, the tool's or the command's
    bool version = false;             // --version before any command
    std::optional<ParsedCommand> command;
};

// Throws CommandError (usage status, with a one-line reason) for a missing or
// unknown command, an unknown option, a missing option value, options that
// exclude each other, or a wrong number of arguments. --help and --version stop
// checking.
CommandLine parse_command_line(std::span<const std::string> arguments,
                               std::span<const CommandDefinition> commands);

}  // namespace cli
