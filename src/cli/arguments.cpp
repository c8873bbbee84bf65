#include "cli/arguments.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_error.h"

namespace cli {

namespace {

constexpr std::size_t help_width = 80;
constexpr std::size_t option_column = 22;

constexpr std::string_view program_summary =
    "Works on the tags of the working folder DIR (default: the current folder) as the editor sees them. "
    "G names a group by code (mons) or folder name (monsters); names ignore case. Errors go to standard "
    "error with exit status 1, a wrong command line with 2.";
constexpr std::string_view program_footer =
    "'tessary-cli COMMAND --help' describes a command; 'tessary-cli --version' prints the version.";

[[noreturn]] void usage_error(const std::string& message) { throw CommandError(message, exit_usage); }

// Breaks a paragraph into lines of at most width characters.
std::string wrapped(std::string_view text, std::size_t width) {
    std::string out;
    std::size_t line_length = 0;
    // Split by hand: clang 14 cannot use libstdc++ 12's views::split over a string_view.
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, space - start);
        start = space + 1;
        if (word.empty()) continue;
        if (line_length > 0 && line_length + 1 + word.size() > width) {
            out += '\n';
            line_length = 0;
        } else if (line_length > 0) {
            out += ' ';
            ++line_length;
        }
        out += word;
        line_length += word.size();
    }
    return out;
}

// Our layout of CLI11's help: the usage line first, the description as whole
// paragraphs, then the options, and the commands each with its one line.
class HelpFormatter final : public CLI::Formatter {
public:
    explicit HelpFormatter(std::span<const CommandDefinition> commands) : commands_(commands) {
        column_width(option_column);
    }

    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const override {
        std::string text = usage(*app) + "\n\n" + wrapped(app->get_description(), help_width) + "\n";
        text += without_blank_end(make_groups(app, CLI::AppFormatMode::Normal));
        text += without_blank_end(make_subcommands(app, CLI::AppFormatMode::Normal));
        if (!app->get_footer().empty()) text += "\n" + wrapped(app->get_footer(), help_width) + "\n";
        return text;
    }

    std::string make_option_name(const CLI::Option* option, bool) const override {
        std::string names = option->get_name(false, true);
        std::string text;
        for (const char character : names)
            text += character == ',' ? std::string(", ") : std::string(1, character);
        return text;
    }

    std::string make_subcommand(const CLI::App* sub) const override {
        std::stringstream out;
        const auto command = std::ranges::find(commands_, sub->get_name(), &CommandDefinition::name);
        CLI::detail::format_help(out, sub->get_name(), command == commands_.end() ? "" : std::string(command->brief),
                                 option_column);
        return out.str();
    }

    std::string make_option_desc(const CLI::Option* option) const override {
        return wrapped(option->get_description(), help_width - option_column);
    }

private:
    static std::string without_blank_end(std::string text) {
        while (text.ends_with("\n\n")) text.pop_back();
        return text;
    }

    std::string usage(const CLI::App& app) const {
        if (!app.get_parent()) return "usage: tessary-cli [-C DIR] COMMAND [ARGUMENTS]";
        const auto command = std::ranges::find(commands_, app.get_name(), &CommandDefinition::name);
        std::string text = "usage: tessary-cli [-C DIR] " + app.get_name();
        if (command != commands_.end() && !command->arguments.empty())
            text += " " + std::string(command->arguments);
        return text;
    }

    std::span<const CommandDefinition> commands_;
};

// What CLI11 parses a command into, read back once the whole line is parsed.
struct CommandOptions {
    const CommandDefinition* definition = nullptr;
    CLI::App* app = nullptr;
    std::vector<std::pair<std::string_view, CLI::Option*>> options;
    std::vector<std::string> arguments;
};

void add_command(CLI::App& program, const CommandDefinition& definition, CommandOptions& parsed) {
    parsed.definition = &definition;
    parsed.app = program.add_subcommand(std::string(definition.name), std::string(definition.summary));
    CLI::App& command = *parsed.app;
    command.group("commands");
    command.set_help_flag("-h,--help", "show this help")->group("options");
    for (const OptionSpec& declared : definition.options) {
        CLI::Option* option = nullptr;
        if (declared.value_name.empty()) {
            option = command.add_flag(std::string(declared.name))->disable_flag_override();
        } else {
            option = command.add_option(std::string(declared.name))
                         ->type_name(std::string(declared.value_name))
                         ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        }
        option->description(std::string(declared.help))->group("options");
        parsed.options.emplace_back(declared.name, option);
    }
    // The arguments are counted here rather than by CLI11, to name the command's usage.
    command.add_option("arguments", parsed.arguments)->group("");
}

void check_arguments(const ParsedCommand& parsed) {
    const CommandDefinition& definition = *parsed.definition;
    const auto count = static_cast<int>(parsed.arguments.size());
    if (count < definition.minimum_arguments ||
        (definition.maximum_arguments >= 0 && count > definition.maximum_arguments)) {
        std::string usage = "tessary-cli " + std::string(definition.name);
        if (!definition.arguments.empty()) usage += " " + std::string(definition.arguments);
        usage_error("wrong number of arguments for " + std::string(definition.name) + " (usage: " + usage +
                    ")");
    }
    std::string given;
    for (const std::string_view option : definition.exclusive) {
        if (!parsed.has(option)) continue;
        if (!given.empty()) usage_error(given + " and " + std::string(option) + " cannot be given together");
        given = option;
    }
}

// CLI11's reason on one line, with the way to the help.
std::string reason(const CLI::ParseError& error, const CLI::App& program) {
    std::string text = error.what();
    std::ranges::replace(text, '\n', ' ');
    const bool no_command = program.get_subcommands().empty();
    if (no_command && dynamic_cast<const CLI::ExtrasError*>(&error)) {
        const std::vector<std::string> extras = program.remaining();
        if (!extras.empty() && !extras.front().starts_with('-')) {
            return "unknown command '" + extras.front() + "' (see tessary-cli --help)";
        }
    }
    return text + " (see tessary-cli " +
           (no_command ? "" : program.get_subcommands().front()->get_name() + " ") + "--help)";
}

}  // namespace

std::optional<std::string> ParsedCommand::value(std::string_view option) const {
    const auto found = options.find(option);
    if (found == options.end()) return std::nullopt;
    return found->second;
}

CommandLine parse_command_line(std::span<const std::string> arguments,
                               std::span<const CommandDefinition> commands) {
    CommandLine line;
    CLI::App program(std::string(program_summary), "tessary-cli");
    program.formatter(std::make_shared<HelpFormatter>(commands));
    program.set_help_flag("-h,--help", "show this help")->group("options");
    program.add_option("-C", line.working_folder, "the working folder (default: the current folder)")
        ->type_name("DIR")
        ->group("options");
    const CLI::Option* version = program.add_flag("--version")
                                     ->disable_flag_override()
                                     ->description("print the version")
                                     ->group("options");
    std::vector<CommandOptions> parsed(commands.size());
    for (std::size_t index = 0; index < commands.size(); ++index)
        add_command(program, commands[index], parsed[index]);
    program.require_subcommand(0, 1);
    // Set last: commands would take it over.
    program.footer(std::string(program_footer));

    // Words after "--" are arguments of the command whatever they look like;
    // CLI11 would hand them back to the tool once the command's first argument
    // is there. It takes the words before last first.
    const auto arguments_only = std::ranges::find(arguments, "--");
    std::vector<std::string> words(std::make_reverse_iterator(arguments_only), arguments.rend());
    try {
        program.parse(words);
    } catch (const CLI::CallForHelp&) {
        line.help = program.help();
        return line;
    } catch (const CLI::ParseError& error) {
        usage_error(reason(error, program));
    }
    if (version->count() > 0) {
        line.version = true;
        return line;
    }
    const auto chosen =
        std::ranges::find_if(parsed, [](const CommandOptions& command) { return command.app->parsed(); });
    if (chosen == parsed.end()) usage_error("no command given (see tessary-cli --help)");
    ParsedCommand command;
    command.definition = chosen->definition;
    command.arguments = chosen->arguments;
    if (arguments_only != arguments.end())
        command.arguments.insert(command.arguments.end(), arguments_only + 1, arguments.end());
    for (const auto& [name, option] : chosen->options) {
        if (option->count() == 0) continue;
        command.options[std::string(name)] = option->get_expected_max() == 0 ? "" : option->results().back();
    }
    check_arguments(command);
    line.command = std::move(command);
    return line;
}

}  // namespace cli
