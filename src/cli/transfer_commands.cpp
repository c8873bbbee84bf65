#include "cli/transfer_commands.h"

#include <cstdio>
#include <limits>

#include "cli/command_error.h"
#include "cli/count_text.h"
#include "cli/file_io.h"
#include "cli/game_text.h"
#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/session.h"
#include "cli/tag_document.h"
#include "cli/tag_lookup.h"
#include "definitions/group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

void require_text_group(tag_handle handle) {
    if (!is_text_group(tag_get_group(handle))) {
        throw CommandError("--text is only for string lists, templates and texts; " + tag_path_text(handle) +
                           " is not one");
    }
}

std::vector<std::byte> data_from_text(const std::string& file, std::span<const std::byte> input) {
    const ImportedText imported =
        utf8_to_game_text(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
    if (!imported.data) throw CommandError(file + ": nothing imported, " + imported.error);
    const auto* bytes = reinterpret_cast<const std::byte*>(imported.data->data());
    return {bytes, bytes + imported.data->size()};
}

int run_export(const ParsedCommand& command) {
    const TagPath path = parse_tag_path(command.arguments[0]);
    const std::string output = command.value("-o").value_or("-");
    Session session(Access::read_only);
    const tag_handle handle = require_tag(path);
    const std::vector<std::byte> data = read_tag_data(handle);
    if (command.has("--text")) {
        require_text_group(handle);
        const ExportedText exported =
            game_text_to_utf8(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
        write_output(output, exported.text);
        if (exported.unshown > 0) {
            std::fprintf(stderr, "warning: %zu bytes without a character of their own were written as '?' (the first at byte %zu)\n",
                         exported.unshown, exported.first_unshown);
        }
    } else if (command.has("--raw")) {
        if (output == "-" && stdout_is_terminal()) {
            throw CommandError("refusing to write raw bytes to a terminal; give -o FILE or redirect the output");
        }
        write_output(output, data);
    } else {
        const Json document = tag_data_to_document(tag_get_group(handle), data, DirectoryTagNames());
        write_output(output, json::write_pretty(document) + "\n");
    }
    return 0;
}

std::vector<std::byte> data_from_json(tag_code group, const std::string& file, std::span<const std::byte> input) {
    const json::ReadResult parsed =
        json::read(std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
    if (!parsed.value) throw CommandError(file + ": " + parsed.error);
    std::vector<std::string> errors;
    std::optional<std::vector<std::byte>> data =
        tag_data_from_document(group, *parsed.value, DirectoryTagNames(), errors);
    if (data) return std::move(*data);
    std::string message = file + ": nothing imported, the document does not fit the tag:";
    for (const std::string& error : errors) message += "\n  " + error;
    throw CommandError(message);
}

// The editor reads a whole record from the start of a tag's data and can open
// nothing shorter.
void refuse_short_data(tag_code group, std::size_t size, const std::string& file) {
    const definitions::TagGroupEntry* row = definitions::find_group(group);
    const std::size_t record_size = !row ? 0 : row->description ? row->description->size : row->definition_size;
    if (size >= record_size) return;
    throw CommandError(file + " holds " + count_text(size, "byte") + ", less than the " +
                       count_text(record_size, "byte") + " of a " + tag_group_get_folder_name(group) +
                       " record, so the editor could not open the tag; --force imports it anyway");
}

int run_import(const ParsedCommand& command) {
    const TagPath path = parse_tag_path(command.arguments[0]);
    const std::string& file = command.arguments[1];
    const bool raw = command.has("--raw");
    Session session(Access::writer);
    tag_handle handle = require_tag(path);
    const tag_code group = tag_get_group(handle);
    if (command.has("--text")) require_text_group(handle);
    const std::vector<std::byte> input = read_input(file);
    const std::vector<std::byte> data = raw                   ? input
                                        : command.has("--text") ? data_from_text(file, input)
                                                                : data_from_json(group, file, input);
    if (raw && !command.has("--force")) refuse_short_data(group, data.size(), file);
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw CommandError(file + " is too large for a tag");
    }
    const bool was_local = tag_get_file_type(handle) == tag_file_type_local;
    const std::string target = tag_path_text(handle);
    if (!tag_replace_data(handle, data.data(), static_cast<std::int32_t>(data.size()))) {
        tag_file_close_local();
        const std::string messages = session.take_messages();
        throw CommandError("could not import into " + target + (messages.empty() ? "" : ":\n" + messages));
    }
    // As a save from the editor: the user data follows the record, and a record
    // laid out through the field description is of the group's current version.
    tag_info info;
    tag_get_info(handle, &info);
    const tag_info before = info;
    info.user_data = tag_user_data(group, data).value_or(info.user_data);
    if (!raw) info.version = tag_group_get_version(group);
    const bool header_written =
        (info.user_data == before.user_data && info.version == before.version) || tag_set_info(handle, &info);
    tag_file_close_local();
    if (!header_written) {
        throw CommandError("imported the data into " + target + " but could not update its header:\n" +
                           session.take_messages());
    }
    session.report_warnings();
    std::printf("imported %s into %s%s\n", count_text(data.size(), "byte").c_str(), target.c_str(),
                was_local ? "" : " (now a local tag)");
    return 0;
}

constexpr OptionSpec export_options[] = {
    {"--json", "", "the fields as a JSON document (the default)"},
    {"--raw", "", "the data bytes as stored (file order)"},
    {"--text", "", "a string list, template or text as UTF-8 text with LF line ends"},
    {"-o", "FILE", "write to FILE instead of standard output"},
};
constexpr OptionSpec import_options[] = {
    {"--json", "", "FILE is a JSON document as export writes (the default)"},
    {"--raw", "", "FILE holds the data bytes as stored (file order)"},
    {"--force", "", "with --raw: import data shorter than the group's record"},
    {"--text", "", "FILE is UTF-8 text for a string list, template or text; a character the game cannot "
                   "show is refused with its place"},
};
constexpr std::string_view format_options[] = {"--json", "--raw", "--text"};

}  // namespace

constinit const CommandDefinition export_command{
    .name = "export",
    .brief = "write a tag's data as JSON, raw bytes or text",
    .arguments = "G/NAME [--raw | --json | --text] [-o FILE]",
    .summary = "Write a tag's data: its fields decoded as JSON through the group's field description, the "
               "raw bytes, or the text of a text tag. Import reads each back into exactly the same bytes.",
    .options = export_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_export,
    .exclusive = format_options,
};

constinit const CommandDefinition import_command{
    .name = "import",
    .brief = "replace a tag's data from JSON, raw bytes or text",
    .arguments = "G/NAME FILE [--raw | --json | --text] [--force]",
    .summary = "Replace a tag's data in one step from FILE ('-': standard input). A tag of a monolithic file "
               "becomes a local tag. JSON is checked field by field; on any error nothing is written. Raw "
               "data shorter than the group's record is refused unless --force.",
    .options = import_options,
    .minimum_arguments = 2,
    .maximum_arguments = 2,
    .run = run_import,
    .exclusive = format_options,
};

}  // namespace cli
