#include "cli/arguments.h"

#include <algorithm>

#include "cli/command_error.h"

namespace cli {

namespace {

[[noreturn]] void usage_error(const std::string& message) { throw CommandError(message, exit_usage); }

const OptionSpec* find_option(const CommandDefinition& command, std::string_view name) {
    const auto found = std::ranges::find(command.options, name, &OptionSpec::name);
    return found == command.options.end() ? nullptr : &*found;
}

void check_arguments(const ParsedCommand& parsed) {
    const CommandDefinition& definition = *parsed.definition;
    const auto count = static_cast<int>(parsed.arguments.size());
    if (count < definition.minimum_arguments || (definition.maximum_arguments >= 0 && count > definition.maximum_arguments)) {
        usage_error("wrong number of arguments\nusage: tessary-cli " + std::string(definition.name) + " " +
                    std::string(definition.arguments));
    }
    std::string given;
    for (const std::string_view option : definition.exclusive) {
        if (!parsed.has(option)) continue;
        if (!given.empty()) usage_error(given + " and " + std::string(option) + " cannot be given together");
        given = option;
    }
}

}  // namespace

std::optional<std::string> ParsedCommand::value(std::string_view option) const {
    const auto found = options.find(option);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

CommandLine parse_command_line(std::span<const std::string> arguments, std::span<const CommandDefinition> commands) {
    CommandLine line;
    std::size_t at = 0;
    // Global options come before the command.
    for (; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "--help" || argument == "-h") {
            line.help = true;
            return line;
        }
        if (argument == "--version") {
            line.version = true;
            return line;
        }
        if (argument == "-C") {
            if (++at == arguments.size()) usage_error("-C needs a folder");
            line.working_folder = arguments[at];
        } else if (argument.starts_with("-C")) {
            line.working_folder = argument.substr(2);
        } else if (argument.starts_with("-")) {
            usage_error("unknown option " + argument);
        } else {
            break;
        }
    }
    if (at == arguments.size()) {
        line.help = true;
        return line;
    }
    const auto command = std::ranges::find(commands, arguments[at], &CommandDefinition::name);
    if (command == commands.end()) usage_error("unknown command '" + arguments[at] + "' (see tessary-cli --help)");
    ParsedCommand parsed;
    parsed.definition = &*command;
    bool options_ended = false;
    for (++at; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (options_ended || argument == "-" || !argument.starts_with("-")) {
            parsed.arguments.push_back(argument);
            continue;
        }
        if (argument == "--") {
            options_ended = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            line.help = true;
            line.command = std::move(parsed);
            return line;
        }
        std::string name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = argument.find('='); argument.starts_with("--") && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        const OptionSpec* option = find_option(*command, name);
        if (!option) usage_error("unknown option " + name + " for " + std::string(command->name));
        if (option->value_name.empty()) {
            if (value) usage_error(name + " takes no value");
            parsed.options[name] = "";
            continue;
        }
        if (!value) {
            if (++at == arguments.size()) usage_error(name + " needs " + std::string(option->value_name));
            value = arguments[at];
        }
        parsed.options[name] = *value;
    }
    check_arguments(parsed);
    line.command = std::move(parsed);
    return line;
}

std::string command_usage(const CommandDefinition& command) {
    std::string text = "usage: tessary-cli [-C DIR] " + std::string(command.name);
    if (!command.arguments.empty()) text += " " + std::string(command.arguments);
    text += "\n\n" + std::string(command.summary) + "\n";
    if (!command.options.empty()) {
        text += "\noptions:\n";
        for (const OptionSpec& option : command.options) {
            std::string left = "  " + std::string(option.name);
            if (!option.value_name.empty()) left += " " + std::string(option.value_name);
            left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
            text += left + std::string(option.help) + "\n";
        }
    }
    text += "  --help              show this help\n";
    return text;
}

std::string program_usage(std::span<const CommandDefinition> commands) {
    std::string text =
        "usage: tessary-cli [-C DIR] COMMAND [ARGUMENTS]\n\n"
        "Works on the tags of the working folder DIR (default: the current folder) as the editor sees\n"
        "them. G names a group by code (mons) or folder name (monsters); names ignore case.\n\ncommands:\n";
    for (const CommandDefinition& command : commands) {
        std::string left = "  " + std::string(command.name);
        left.resize(std::max<std::size_t>(left.size() + 2, 22), ' ');
        const std::string_view summary = command.summary.substr(0, command.summary.find('\n'));
        text += left + std::string(summary) + "\n";
    }
    text += "\n'tessary-cli COMMAND --help' describes a command; 'tessary-cli --version' prints the version.\n";
    return text;
}

}  // namespace cli
