#include "cli/list_commands.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "cli/json_writer.h"
#include "cli/session.h"
#include "cli/sound_commands.h"
#include "cli/tag_lookup.h"
#include "cli/utf8_text.h"
#include "core/text.h"
#include "media/sound_tag.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

struct TagRow {
    tag_code group;
    tag_code subgroup;
    std::string name;
    std::int32_t size;
    std::int16_t version;
    std::int16_t destination;
    std::int16_t file_type;
    std::string file;
    std::uint32_t user_data;
};

TagRow row_of(tag_handle handle) {
    const tag_header& header = *tag_header_of(handle);
    return {header.group_tag,   header.subgroup_tag,      std::string(bounded_text(header.name)),
            header.size,        header.version,           header.destination,
            header.file_type,   holding_file(handle),     header.user_data};
}

std::string lower(std::string text) {
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Json row_to_json(const TagRow& row) {
    Json object = Json::object();
    object["group"] = code_to_json_text(row.group);
    object["folder"] = tag_group_get_folder_name(row.group);
    object["subgroup"] = code_to_json_text(row.subgroup);
    object["name"] = bytes_to_text(row.name);
    object["size"] = row.size;
    object["version"] = row.version;
    object["destination"] = row.destination;
    object["file_type"] = file_type_name(row.file_type);
    object["file"] = bytes_to_text(row.file);
    object["user_data"] = row.user_data;
    return object;
}

std::vector<std::string> row_cells(const TagRow& row) {
    return {tag_group_get_folder_name(row.group), printable_code_text(row.subgroup), row.name, std::to_string(row.size),
            std::to_string(row.version), destination_name(row.destination), file_type_name(row.file_type),
            row.file};
}

void print_table(const std::vector<TagRow>& rows) {
    std::vector<std::vector<std::string>> lines = {
        {"GROUP", "SUBGROUP", "NAME", "SIZE", "VERSION", "DESTINATION", "TYPE", "FILE"}};
    for (const TagRow& row : rows) lines.push_back(row_cells(row));
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines) {
        for (std::size_t column = 0; column < line.size(); ++column) {
            widths[column] = std::max(widths[column], line[column].size());
        }
    }
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t column = 0; column < line.size(); ++column) {
            std::string cell = line[column];
            if (column + 1 < line.size()) cell.resize(widths[column] + 2, ' ');
            text += cell;
        }
        std::printf("%s\n", text.c_str());
    }
}

int run_list(const ParsedCommand& command) {
    Session session(Access::read_only);
    tag_info query;
    tag_query_initialize(&query);
    if (const std::optional<std::string> group = command.value("--group")) query.group = parse_group(*group);
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    handles.resize(static_cast<std::size_t>(tag_query(&query, handles.data(), static_cast<std::int32_t>(handles.size()))));
    std::vector<TagRow> rows;
    for (const tag_handle handle : handles) rows.push_back(row_of(handle));
    std::ranges::sort(rows, {}, [](const TagRow& row) {
        return std::tuple(std::string(tag_group_get_folder_name(row.group)), lower(row.name), row.name, row.subgroup);
    });
    if (command.has("--json")) {
        Json array = Json::array();
        for (const TagRow& row : rows) array.push_back(row_to_json(row));
        std::printf("%s\n", json::write_pretty(array).c_str());
    } else {
        print_table(rows);
    }
    return 0;
}

int run_info(const ParsedCommand& command) {
    Session session(Access::read_only);
    const tag_handle handle = require_tag(parse_tag_path(command.arguments[0]));
    const TagRow row = row_of(handle);
    const bool sound = row.group == sound_group_tag;
    if (command.has("--json")) {
        Json document = row_to_json(row);
        if (sound) document["permutations"] = sound_permutations_json(handle);
        std::printf("%s\n", json::write_pretty(document).c_str());
        return 0;
    }
    char user_data[16];
    std::snprintf(user_data, sizeof user_data, "0x%08x", static_cast<unsigned>(row.user_data));
    const std::pair<const char*, std::string> lines[] = {
        {"group", std::string(tag_group_get_folder_name(row.group)) + " (" + printable_code_text(row.group) + ")"},
        {"subgroup", printable_code_text(row.subgroup)},
        {"name", row.name},
        {"size", std::to_string(row.size) + " bytes"},
        {"version", std::to_string(row.version)},
        {"destination", destination_name(row.destination) + " (" + std::to_string(row.destination) + ")"},
        {"file type", file_type_name(row.file_type)},
        {"file", row.file},
        {"user data", user_data},
    };
    for (const auto& [label, value] : lines) std::printf("%-12s %s\n", (std::string(label) + ":").c_str(), value.c_str());
    // The header is shown even when the sound's regions cannot be read.
    if (sound) {
        std::fflush(stdout);
        std::printf("%s", sound_permutation_table(handle).c_str());
    }
    return 0;
}

constexpr OptionSpec list_options[] = {
    {"--group", "G", "only the tags of group G"},
    {"--json", "", "print a JSON array"},
};
constexpr OptionSpec info_options[] = {{"--json", "", "print a JSON object"}};

}  // namespace

constinit const CommandDefinition list_command{
    .name = "list",
    .brief = "list the visible tags",
    .arguments = "[--group G] [--json]",
    .summary = "List the visible tags: group, subgroup, name, size, version, destination, file type and the "
               "file that holds each (local tags hide tags of monolithic files).",
    .options = list_options,
    .minimum_arguments = 0,
    .maximum_arguments = 0,
    .run = run_list,
};

constinit const CommandDefinition info_command{
    .name = "info",
    .brief = "show one tag's header (and a sound's permutations)",
    .arguments = "G/NAME [--json]",
    .summary = "Show one tag's header; for a sound, also its permutations (name, channels, rate, duration, "
               "data size, skip fraction).",
    .options = info_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_info,
};

}  // namespace cli
