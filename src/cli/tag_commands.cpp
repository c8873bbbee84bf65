#include "cli/tag_commands.h"

#include <cstdio>

#include "cli/command_error.h"
#include "cli/session.h"
#include "cli/tag_creation.h"
#include "cli/tag_lookup.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

constexpr tag_code font_group = make_tag("font");

std::string with_messages(const std::string& message, const Session& session) {
    const std::string messages = session.take_messages();
    return messages.empty() ? message : message + ":\n" + messages;
}

int run_new(const ParsedCommand& command) {
    const tag_code group = parse_group(command.arguments[0]);
    const std::string& name = command.arguments[1];
    if (name.empty()) throw CommandError("a tag needs a name", exit_usage);
    if (name.size() > static_cast<std::size_t>(tag_name_maximum_length)) {
        throw CommandError("a tag name has at most 31 characters", exit_usage);
    }
    if (group == font_group) {
        throw CommandError("font tags are made by importing a system font: import-font FAMILY NAME");
    }
    Session session(Access::writer);
    if (const tag_handle existing = find_tag(group, name); existing != NONE && !command.has("--force")) {
        throw CommandError("a tag named '" + std::string(tag_get_name(existing)) + "' already exists in " +
                           tag_group_get_folder_name(group) + " (--force replaces it)");
    }
    const tag_handle handle = create_tag_from_default(group, name);
    if (handle == NONE) throw CommandError(with_messages("could not create " + tag_path_text(group, name), session));
    session.report_warnings();
    std::printf("created %s (subgroup %s, %d bytes)\n", tag_path_text(handle).c_str(),
                printable_code_text(tag_get_subgroup(handle)).c_str(), static_cast<int>(tag_get_size(handle)));
    return 0;
}

int run_delete(const ParsedCommand& command) {
    const TagPath path = parse_tag_path(command.arguments[0]);
    Session session(Access::writer);
    const tag_handle handle = require_tag(path);
    if (tag_get_file_type(handle) != tag_file_type_local) {
        throw CommandError(tag_path_text(handle) + " is not a local tag (it is held in " + holding_file(handle) +
                           "); only local tags can be deleted");
    }
    const std::string deleted = tag_path_text(handle);
    const tag_code group = tag_get_group(handle);
    const tag_code subgroup = tag_get_subgroup(handle);
    if (!tag_file_delete(handle)) throw CommandError(with_messages("could not delete " + deleted, session));
    session.report_warnings();
    std::printf("deleted %s\n", deleted.c_str());
    if (const tag_handle uncovered = tag_find(group, subgroup); uncovered != NONE) {
        std::printf("%s from %s is visible again\n", tag_path_text(uncovered).c_str(), holding_file(uncovered).c_str());
    }
    return 0;
}

constexpr OptionSpec new_options[] = {{"--force", "", "replace a tag of the same name"}};

}  // namespace

constinit const CommandDefinition new_command{
    .name = "new",
    .brief = "create a tag from its group's default record",
    .arguments = "G NAME [--force]",
    .summary = "Create a tag from its group's default record, as the editor's New command: the group's current "
               "version, its default destination and the user data of the default record. Groups without a "
               "default record get an empty tag.",
    .options = new_options,
    .minimum_arguments = 2,
    .maximum_arguments = 2,
    .run = run_new,
};

constinit const CommandDefinition delete_command{
    .name = "delete",
    .brief = "delete a local tag",
    .arguments = "G/NAME",
    .summary = "Delete a local tag; a tag it hid in a monolithic file becomes visible again.",
    .options = {},
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_delete,
};

}  // namespace cli
