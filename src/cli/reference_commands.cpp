#include "cli/reference_commands.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <tuple>

#include "cli/command_error.h"
#include "cli/json_writer.h"
#include "cli/record_json.h"
#include "cli/session.h"
#include "cli/tag_lookup.h"
#include "cli/text_table.h"
#include "cli/utf8_text.h"
#include "media/reference_index.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

using references::ReferenceIndex;

std::string entry_path(const references::TagEntry& entry) { return tag_path_text(entry.group, entry.name); }

void print_json(Json value) { std::printf("%s\n", json::write_pretty(value).c_str()); }

int run_refs(const ParsedCommand& command) {
    Session session(Access::read_only);
    const tag_handle handle = require_tag(parse_tag_path(command.arguments[0]));
    const ReferenceIndex index(references::visible_tags());
    session.report_warnings();
    const std::optional<std::size_t> tag = index.find(tag_get_group(handle), tag_get_subgroup(handle));
    if (!tag) throw CommandError("could not read " + tag_path_text(handle));

    const auto uses = index.uses(*tag);
    const auto users = index.used_by(*tag);
    if (command.has("--json")) {
        Json uses_json = Json::array();
        for (const references::Reference* use : uses) {
            Json row = Json::object();
            row["field"] = use->field;
            row["group"] = tag_group_get_folder_name(use->group);
            if (use->to) {
                row["name"] = bytes_to_text(index.tags()[*use->to].name);
            } else {
                row["missing"] = code_to_json_text(use->subgroup);
            }
            uses_json.push_back(row);
        }
        Json users_json = Json::array();
        for (const references::Reference* user : users) {
            const references::TagEntry& from = index.tags()[user->from];
            Json row = Json::object();
            row["group"] = tag_group_get_folder_name(from.group);
            row["name"] = bytes_to_text(from.name);
            row["field"] = user->field;
            users_json.push_back(row);
        }
        Json document = Json::object();
        document["uses"] = uses_json;
        document["used_by"] = users_json;
        print_json(document);
        return 0;
    }
    std::vector<std::vector<std::string>> used;
    for (const references::Reference* use : uses) {
        const std::string target = use->to ? index.tags()[*use->to].name : "missing " + printable_code_text(use->subgroup);
        used.push_back({use->field, tag_group_get_folder_name(use->group), target});
    }
    std::vector<std::vector<std::string>> using_tags;
    for (const references::Reference* user : users) {
        const references::TagEntry& from = index.tags()[user->from];
        using_tags.push_back({tag_group_get_folder_name(from.group), from.name, user->field});
    }
    // By group, then name as the list sorts them (case ignored), then field.
    std::ranges::sort(using_tags, {}, [](const std::vector<std::string>& row) {
        std::string name = row[1];
        std::ranges::transform(name, name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return std::tuple(row[0], name, row[1], row[2]);
    });
    std::printf("uses:\n%sused by:\n%s", aligned_rows(used, "  ").c_str(), aligned_rows(using_tags, "  ").c_str());
    return 0;
}

int run_check(const ParsedCommand& command) {
    Session session(Access::read_only);
    std::optional<tag_code> group;
    if (const std::optional<std::string> text = command.value("--group")) group = parse_group(*text);
    const ReferenceIndex index(references::visible_tags());
    session.report_warnings();
    std::vector<const references::Problem*> problems;
    for (const references::Problem& problem : index.problems()) {
        if (!group || index.tags()[problem.tag].group == *group) problems.push_back(&problem);
    }
    if (command.has("--json")) {
        Json array = Json::array();
        for (const references::Problem* problem : problems) {
            const references::TagEntry& tag = index.tags()[problem->tag];
            Json row = Json::object();
            row["group"] = tag_group_get_folder_name(tag.group);
            row["name"] = bytes_to_text(tag.name);
            row["field"] = problem->field;
            row["problem"] = problem->message;
            array.push_back(row);
        }
        print_json(array);
    } else {
        for (const references::Problem* problem : problems) {
            const std::string where = entry_path(index.tags()[problem->tag]);
            if (problem->field.empty()) {
                std::printf("%s: %s\n", where.c_str(), problem->message.c_str());
            } else {
                std::printf("%s: %s: %s\n", where.c_str(), problem->field.c_str(), problem->message.c_str());
            }
        }
    }
    return problems.empty() ? 0 : 1;
}

constexpr OptionSpec refs_options[] = {{"--json", "", "print a JSON object"}};
constexpr OptionSpec check_options[] = {
    {"--group", "G", "only the problems of the tags of group G"},
    {"--json", "", "print a JSON array"},
};

}  // namespace

constinit const CommandDefinition refs_command{
    .name = "refs",
    .brief = "show what a tag uses and what uses it",
    .arguments = "G/NAME [--json]",
    .summary = "Show the tags the tag uses (field, group, name or \"missing <code>\") and the tags that use it.",
    .options = refs_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_refs,
};

constinit const CommandDefinition check_command{
    .name = "check",
    .brief = "list the problems of the visible tags",
    .arguments = "[--group G] [--json]",
    .summary = "List the broken references of the visible tags, one line each: references to tags that are "
               "not there, sequence indexes beyond their collection, counts beyond their capacity and tags "
               "shorter than their record. Exits with 1 when there is any.",
    .options = check_options,
    .minimum_arguments = 0,
    .maximum_arguments = 0,
    .run = run_check,
};

}  // namespace cli
