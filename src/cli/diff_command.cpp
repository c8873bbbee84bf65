#include "cli/diff_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <tuple>

#include "cli/command_error.h"
#include "cli/file_io.h"
#include "cli/json_diff.h"
#include "cli/json_writer.h"
#include "cli/monolithic_check.h"
#include "cli/session.h"
#include "cli/tag_document.h"
#include "cli/tag_lookup.h"
#include "cli/utf8_text.h"
#include "core/text.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

constexpr int exit_different = 1;
constexpr int exit_trouble = 2;
constexpr std::size_t maximum_text_lines = 200;

struct Operand {
    std::string label;
    std::optional<tag_code> group;  // a tag's group
    std::vector<std::byte> data;
    std::unique_ptr<FileSource> monolithic;
};

Operand resolve(const std::string& text, bool directory_open) {
    Operand operand;
    operand.label = text;
    if (directory_open && looks_like_tag_path(text)) {
        const TagPath path = parse_tag_path(text);
        if (const tag_handle handle = find_tag(path.group, path.name); handle != NONE) {
            operand.label = tag_path_text(handle);
            operand.group = path.group;
            operand.data = read_tag_data(handle);
            return operand;
        }
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(text, error)) throw CommandError("no tag or file '" + text + "'");
    auto source = std::make_unique<FileSource>(text);
    if (looks_monolithic(*source)) {
        operand.monolithic = std::move(source);
    } else {
        operand.data = read_input(text);
    }
    return operand;
}

// Field by field when both sides are records of one group, else byte by byte.
std::vector<Difference> diff_data(const Operand& first, const Operand& second, std::optional<tag_code> group,
                                  const TagNames& names) {
    if (group) {
        const Json left = tag_data_to_document(*group, first.data, names);
        const Json right = tag_data_to_document(*group, second.data, names);
        const Json* left_fields = find_member(left, "fields");
        const Json* right_fields = find_member(right, "fields");
        if (left_fields && right_fields) {
            std::vector<Difference> differences = diff_values(*left_fields, *right_fields);
            const std::size_t record_size = tag_record_description(*group)->size;
            const auto trailing = [&](const Operand& operand) { return std::span(operand.data).subspan(record_size); };
            const std::vector<Difference> extra = diff_bytes(trailing(first), trailing(second), "trailing_data", record_size);
            differences.insert(differences.end(), extra.begin(), extra.end());
            return differences;
        }
    }
    return diff_bytes(first.data, second.data, "data");
}

struct TagKey {
    tag_code group;
    tag_code subgroup;
    auto operator<=>(const TagKey&) const = default;
};

std::map<TagKey, const InspectedTag*> tags_by_key(const MonolithicInspection& inspection) {
    std::map<TagKey, const InspectedTag*> tags;
    for (const InspectedTag& tag : inspection.tags) {
        if (tag.valid) tags.emplace(TagKey{tag.header.group_tag, tag.header.subgroup_tag}, &tag);
    }
    return tags;
}

Json tag_summary(const tag_header& header) {
    return {{"group", code_to_json_text(header.group_tag)},
            {"subgroup", code_to_json_text(header.subgroup_tag)},
            {"name", bytes_to_text(bounded_text(header.name))}};
}

std::vector<std::string> header_changes(const InspectedTag& first, const InspectedTag& second) {
    std::vector<std::string> changes;
    const tag_header& a = first.header;
    const tag_header& b = second.header;
    if (bounded_text(a.name) != bounded_text(b.name)) changes.emplace_back("name");
    if (a.size != b.size || first.data_checksum != second.data_checksum) changes.emplace_back("data");
    if (a.version != b.version) changes.emplace_back("version");
    if (a.destination != b.destination) changes.emplace_back("destination");
    if (a.user_data != b.user_data) changes.emplace_back("user_data");
    return changes;
}

auto display_order(const tag_header& header) {
    return std::tuple(std::string(tag_group_get_folder_name(header.group_tag)), std::string(bounded_text(header.name)),
                      header.subgroup_tag);
}

int diff_monolithic(const Operand& first, const Operand& second, bool as_json) {
    const MonolithicInspection left = inspect_monolithic(*first.monolithic);
    const MonolithicInspection right = inspect_monolithic(*second.monolithic);
    for (const auto& [inspection, operand] : {std::pair{&left, &first}, std::pair{&right, &second}}) {
        for (const std::string& problem : inspection->problems) {
            std::fprintf(stderr, "tessary-cli: warning: %s: %s\n", operand->label.c_str(), problem.c_str());
        }
    }
    const auto left_tags = tags_by_key(left);
    const auto right_tags = tags_by_key(right);
    std::vector<const tag_header*> added, removed;
    std::vector<std::pair<const tag_header*, std::vector<std::string>>> changed;
    for (const auto& [key, tag] : left_tags) {
        const auto other = right_tags.find(key);
        if (other == right_tags.end()) {
            removed.push_back(&tag->header);
        } else if (std::vector<std::string> changes = header_changes(*tag, *other->second); !changes.empty()) {
            changed.emplace_back(&other->second->header, std::move(changes));
        }
    }
    for (const auto& [key, tag] : right_tags) {
        if (!left_tags.contains(key)) added.push_back(&tag->header);
    }
    const auto order = [](const tag_header* header) { return display_order(*header); };
    std::ranges::sort(added, {}, order);
    std::ranges::sort(removed, {}, order);
    std::ranges::sort(changed, {}, [](const auto& entry) { return display_order(*entry.first); });
    if (as_json) {
        Json added_json = Json::array(), removed_json = Json::array(), changed_json = Json::array();
        for (const tag_header* header : added) added_json.push_back(tag_summary(*header));
        for (const tag_header* header : removed) removed_json.push_back(tag_summary(*header));
        for (const auto& [header, changes] : changed) {
            Json summary = tag_summary(*header);
            summary["changes"] = changes;
            changed_json.push_back(std::move(summary));
        }
        const Json document = {{"added", added_json}, {"removed", removed_json}, {"changed", changed_json}};
        std::printf("%s\n", json::write_pretty(document).c_str());
    } else {
        const auto line = [](char mark, const tag_header& header, const std::string& detail) {
            std::printf("%c %s (%s)%s\n", mark, tag_path_text(header.group_tag, bounded_text(header.name)).c_str(),
                        printable_code_text(header.subgroup_tag).c_str(), detail.c_str());
        };
        for (const tag_header* header : added) line('+', *header, "");
        for (const tag_header* header : removed) line('-', *header, "");
        for (const auto& [header, changes] : changed) {
            std::string detail = ":";
            for (const std::string& change : changes) detail += " " + change;
            line('~', *header, detail);
        }
    }
    return added.empty() && removed.empty() && changed.empty() ? 0 : exit_different;
}

int print_differences(const std::vector<Difference>& differences, const Operand& first, const Operand& second,
                      bool as_json) {
    if (as_json) {
        Json list = Json::array();
        for (const Difference& difference : differences) {
            list.push_back({{"where", difference.where}, {"first", difference.first}, {"second", difference.second}});
        }
        const Json document = {{"first", bytes_to_text(first.label)},
                               {"second", bytes_to_text(second.label)},
                               {"differences", list}};
        std::printf("%s\n", json::write_pretty(document).c_str());
    } else {
        for (std::size_t index = 0; index < differences.size() && index < maximum_text_lines; ++index) {
            const Difference& difference = differences[index];
            std::printf("%s: %s -> %s\n", difference.where.c_str(), json::write_compact(difference.first).c_str(),
                        json::write_compact(difference.second).c_str());
        }
        if (differences.size() > maximum_text_lines) {
            std::printf("... and %zu more (--json lists them all)\n", differences.size() - maximum_text_lines);
        }
    }
    return differences.empty() ? 0 : exit_different;
}

int compare(const ParsedCommand& command) {
    const bool directory_wanted =
        looks_like_tag_path(command.arguments[0]) || looks_like_tag_path(command.arguments[1]);
    std::optional<Session> session;
    if (directory_wanted) session.emplace(Access::read_only);
    const Operand first = resolve(command.arguments[0], directory_wanted);
    const Operand second = resolve(command.arguments[1], directory_wanted);
    const bool as_json = command.has("--json");
    if (first.monolithic && second.monolithic) return diff_monolithic(first, second, as_json);
    if (first.monolithic || second.monolithic) {
        throw CommandError("cannot compare a monolithic file with a tag: give two tags or two monolithic files");
    }
    // The group that both sides are read as, when they agree on one.
    std::vector<tag_code> groups;
    if (const std::optional<std::string> named = command.value("--group")) groups.push_back(parse_group(*named));
    for (const Operand* operand : {&first, &second}) {
        if (operand->group) groups.push_back(*operand->group);
    }
    std::optional<tag_code> group;
    if (!groups.empty() && std::ranges::count(groups, groups.front()) == std::ssize(groups)) group = groups.front();
    const DirectoryTagNames directory_names;
    const NoTagNames no_names;
    const TagNames& names = session ? static_cast<const TagNames&>(directory_names) : no_names;
    return print_differences(diff_data(first, second, group, names), first, second, as_json);
}

int run_diff(const ParsedCommand& command) {
    try {
        return compare(command);
    } catch (const CommandError& error) {
        throw CommandError(error.what(), exit_trouble);
    }
}

constexpr OptionSpec diff_options[] = {
    {"--json", "", "print the differences as JSON"},
    {"--group", "G", "read raw files as tags of group G"},
};

}  // namespace

constinit const CommandDefinition diff_command{
    .name = "diff",
    .brief = "compare two tags or two monolithic files",
    .arguments = "A B [--json] [--group G]",
    .summary = "Compare two tags field by field (each G/NAME, or a file of raw data as export --raw writes), "
               "or two monolithic files (tags added, removed and changed). Exit status 0 when they are the "
               "same, 1 when they differ, 2 on trouble.",
    .options = diff_options,
    .minimum_arguments = 2,
    .maximum_arguments = 2,
    .run = run_diff,
};

}  // namespace cli
