#include "cli/build_commands.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>

#include "cli/command_error.h"
#include "cli/count_text.h"
#include "cli/session.h"
#include "cli/tag_lookup.h"
#include "cli/terminal_progress.h"
#include "core/text.h"
#include "media/bmp_import.h"
#include "media/package_closure.h"
#include "media/reference_index.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_header.h"
#include "tag_files/tag_name.h"

namespace cli {

namespace {

// The plugin builder never offers saved games, preferences and recordings.

std::string failure(const std::string& message, const Session& session) {
    const std::string messages = session.take_messages();
    return messages.empty() ? message : message + ":\n" + messages;
}

std::int16_t parse_plugin_flags(const std::string& text) {
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || value < -1 || value > 0xFFFF) {
        throw CommandError("--flags takes a number from -1 to 65535 (0xFFFF: no option), not '" + text + "'",
                           exit_usage);
    }
    return static_cast<std::int16_t>(value);
}

// The file name build_plugin gives the plugin.
std::string plugin_file_name(const std::string& name) {
    char file_name[tag_name_capacity] = {};
    copy_text(file_name, name);
    sanitize_tag_name(file_name);
    return file_name;
}

std::vector<tag_handle> chosen_tags(std::span<const std::string> paths) {
    std::vector<tag_handle> handles;
    for (const std::string& text : paths) {
        const tag_handle handle = require_tag(parse_tag_path(text));
        if (references::is_never_packaged(tag_get_group(handle))) {
            throw CommandError(tag_path_text(handle) + ": " + tag_group_get_folder_name(tag_get_group(handle)) +
                               " are never packaged into a plugin");
        }
        if (tag_get_file_type(handle) != tag_file_type_local) {
            throw CommandError(tag_path_text(handle) + " is not a local tag (it is held in " + holding_file(handle) +
                               "); a plugin is built from local tags");
        }
        if (std::ranges::find(handles, handle) == handles.end()) handles.push_back(handle);
    }
    return handles;
}

// Adds the local tags the chosen ones use, transitively, and names the references
// that only tags of other plugins answer.
void add_referenced_tags(std::vector<tag_handle>& handles) {
    const references::ReferenceIndex index(references::visible_tags());
    const references::PackageClosure closure = references::package_closure(index, handles);
    const auto why = [&](const references::NeededTag& needed) {
        return tag_path_text(index.tags()[needed.user].group, index.tags()[needed.user].name) + " " + needed.field;
    };
    std::vector<std::string> added;
    std::vector<std::string> dependencies;
    for (const references::NeededTag& needed : closure.added) {
        handles.push_back(needed.handle);
        added.push_back(tag_path_text(needed.handle) + " (" + why(needed) + ")");
    }
    for (const references::NeededTag& needed : closure.dependencies)
        dependencies.push_back(tag_path_text(needed.handle) + " of " + holding_file(needed.handle) + " (" + why(needed) + ")");
    for (const std::string& line : added) std::printf("added %s\n", line.c_str());
    for (const std::string& line : dependencies) std::printf("depends on %s\n", line.c_str());
}

int run_build_plugin(const ParsedCommand& command) {
    const std::string& name = command.arguments[0];
    const std::string file_name = plugin_file_name(name);
    if (file_name.empty()) throw CommandError("'" + name + "' is not a valid plugin file name", exit_usage);
    const std::string url = command.value("--url").value_or("");
    const std::int16_t flags = parse_plugin_flags(command.value("--flags").value_or("-1"));
    Session session(Access::writer);
    const std::string target = std::string(plugins_folder_name) + "/" + file_name;
    std::error_code error;
    if (std::filesystem::exists(target, error) && !command.has("--force")) {
        throw CommandError("a plugin named " + file_name + " already exists (--force replaces it)");
    }
    std::vector<tag_handle> handles = chosen_tags(std::span(command.arguments).subspan(1));
    if (command.has("--with-references")) add_referenced_tags(handles);
    // The plugin icon goes into every plugin, once.
    const tag_handle icon = tag_find(collection_group_tag, plugin_icon_subgroup);
    if (icon != NONE && std::ranges::find(handles, icon) == handles.end()) handles.push_back(icon);
    const std::size_t count = handles.size();
    handles.push_back(0);
    if (!build_plugin(name.c_str(), url.c_str(), false, flags, tag_in_list, handles.data())) {
        throw CommandError(failure("could not build the plugin " + target, session));
    }
    session.report_warnings();
    std::printf("wrote %s (%s%s)\n", target.c_str(), count_text(count, "tag").c_str(),
                icon != NONE ? ", with the plugin icon" : "");
    return 0;
}

struct RebuildProgress {
    TerminalProgress display;
    std::array<std::uint64_t, foundation_file_count> bytes_before;
};

void show_rebuild_progress(int destination, void* data) {
    auto* progress = static_cast<RebuildProgress*>(data);
    progress->display.update(progress->bytes_before[static_cast<std::size_t>(destination)],
                             foundation_file_names[destination]);
}

std::vector<tag_handle> visible_tags(const tag_info& query) {
    std::vector<tag_handle> handles(static_cast<std::size_t>(tag_query(&query, nullptr, -1)));
    tag_query(&query, handles.data(), static_cast<std::int32_t>(handles.size()));
    return handles;
}

// The rebuild writes the foundation files from local tags alone, so a tag that
// only a foundation file holds would be gone afterwards.
void refuse_losing_foundation_tags() {
    tag_info query;
    tag_query_initialize(&query);
    query.file_type = tag_file_type_foundation;
    const std::vector<tag_handle> lost = visible_tags(query);
    if (lost.empty()) return;
    constexpr std::size_t names_shown = 5;
    std::string names;
    for (std::size_t index = 0; index < std::min(lost.size(), names_shown); ++index) {
        names += (index == 0 ? "" : ", ") + tag_path_text(lost[index]);
    }
    if (lost.size() > names_shown) names += ", ...";
    throw CommandError("the rebuild would lose " + count_text(lost.size(), "tag") +
                       " that only the foundation files hold (" + names +
                       "); import them to make them local first, or give --force to drop them");
}

bool is_packaged(tag_handle handle) {
    const group_definition* group = tag_group_get_definition(tag_get_group(handle));
    return group && !(group->flags & group_flag_outside_local);
}

int run_rebuild_foundation(const ParsedCommand& command) {
    Session session(Access::writer);
    if (!command.has("--force")) refuse_losing_foundation_tags();
    std::array<std::size_t, foundation_file_count> tag_counts{};
    std::array<std::uint64_t, foundation_file_count> bytes{};
    for (int destination = 0; destination < foundation_file_count; ++destination) {
        tag_info query;
        tag_query_initialize(&query);
        query.file_type = tag_file_type_local;
        query.destination = static_cast<std::int16_t>(destination);
        for (const tag_handle handle : visible_tags(query)) {
            if (!is_packaged(handle)) continue;
            ++tag_counts[static_cast<std::size_t>(destination)];
            bytes[static_cast<std::size_t>(destination)] += static_cast<std::uint64_t>(tag_get_size(handle));
        }
    }
    std::uint64_t total = 0;
    std::array<std::uint64_t, foundation_file_count> bytes_before{};
    for (std::size_t destination = 0; destination < bytes.size(); ++destination) {
        bytes_before[destination] = total;
        total += bytes[destination];
    }
    RebuildProgress progress{TerminalProgress("rebuilding foundation files", total), bytes_before};
    const bool written = rebuild_foundation_files(show_rebuild_progress, &progress);
    progress.display.finish();
    if (!written) {
        throw CommandError(failure("could not write every foundation file (they may be in use or write-protected)",
                                   session));
    }
    session.report_warnings();
    for (int destination = 0; destination < foundation_file_count; ++destination) {
        std::printf("wrote %s/%s (%s)\n", tags_folder_name, foundation_file_names[destination],
                    count_text(tag_counts[static_cast<std::size_t>(destination)], "tag").c_str());
    }
    return 0;
}

constexpr OptionSpec rebuild_foundation_options[] = {
    {"--force", "", "rebuild even when tags that only the foundation files hold would be lost"},
};

constexpr OptionSpec build_plugin_options[] = {
    {"--url", "URL", "the web address shown with the plugin (at most 63 characters are kept)"},
    {"--flags", "N", "the plugin's option bits, -1 (the default) for none"},
    {"--force", "", "replace a plugin of the same name"},
    {"--with-references", "", "add the local tags the chosen tags use, transitively, and name the tags of other "
                              "plugins they use"},
};

}  // namespace

constinit const CommandDefinition build_plugin_command{
    .name = "build-plugin",
    .brief = "package local tags into a plugin",
    .arguments = "NAME [--url URL] [--flags N] [--force] [--with-references] G/NAME...",
    .summary = "Write the plugin plugins/NAME from the given local tags, as the editor's plugin builder does: "
               "the plugin icon tag is added when there is one; saved games, preferences and recordings are "
               "never packaged.",
    .options = build_plugin_options,
    .minimum_arguments = 2,
    .maximum_arguments = -1,
    .run = run_build_plugin,
};

constinit const CommandDefinition rebuild_foundation_command{
    .name = "rebuild-foundation",
    .brief = "rewrite the five foundation files from the local tags",
    .arguments = "[--force]",
    .summary = "Rewrite the five foundation files in tags from the local tags, each tag going into the file "
               "its destination names. Every file is replaced only once it is complete. Refused, unless "
               "--force, when a tag that only the foundation files hold would be lost.",
    .options = rebuild_foundation_options,
    .minimum_arguments = 0,
    .maximum_arguments = 0,
    .run = run_rebuild_foundation,
};

}  // namespace cli
