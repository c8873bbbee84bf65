#include "cli/font_commands.h"

#include <strings.h>

#include <charconv>
#include <cstdio>

#include "cli/command_error.h"
#include "cli/session.h"
#include "cli/tag_lookup.h"
#include "media/bitmap_text.h"
#include "media/font_import.h"
#include "media/system_fonts.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_name.h"

namespace cli {

namespace {

int parse_point_size(const std::string& text) {
    int size = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), size);
    if (problem != std::errc() || end != text.data() + text.size() || size < font_import_smallest_size ||
        size > font_import_largest_size) {
        throw CommandError("--size takes a whole number of points from 4 to 72, not '" + text + "'", exit_usage);
    }
    return size;
}

// The family as the system spells it; only listed families are drawn, as in
// the editor, since fontconfig would quietly substitute another for a typo.
std::string listed_family(const std::string& family) {
    for (const std::string& listed : system_font_families()) {
        if (strcasecmp(listed.c_str(), family.c_str()) == 0) return listed;
    }
    throw CommandError("no font family named '" + family + "' (import-font --list shows them)");
}

std::string with_messages(const std::string& message, const Session& session) {
    const std::string messages = session.take_messages();
    return messages.empty() ? message : message + ":\n" + messages;
}

int list_families() {
    for (const std::string& family : system_font_families()) std::printf("%s\n", family.c_str());
    return 0;
}

int run_import_font(const ParsedCommand& command) {
    if (command.has("--list")) {
        if (!command.arguments.empty()) throw CommandError("--list takes no FAMILY or NAME", exit_usage);
        return list_families();
    }
    if (command.arguments.size() != 2) throw CommandError("import-font needs FAMILY and NAME (or --list)", exit_usage);
    const std::string& name = command.arguments[1];
    if (name.empty()) throw CommandError("a tag needs a name", exit_usage);
    if (name.size() > static_cast<std::size_t>(tag_name_maximum_length)) {
        throw CommandError("a tag name has at most 31 characters", exit_usage);
    }
    font_import_options options;
    if (const auto size = command.value("--size")) options.point_size = parse_point_size(*size);
    options.bold = command.has("--bold");
    options.italic = command.has("--italic");
    options.underline = command.has("--underline");
    options.strikeout = command.has("--strikeout");
    options.antialiased = command.has("--antialiased");
    options.all_caps = command.has("--all-caps");
    options.family = listed_family(command.arguments[0]);

    // Drawn before any tag changes; an existing tag (--force) has its data
    // replaced in one step, so a failure leaves it as it was.
    const auto font = system_font::open(options);
    if (!font) throw CommandError("the font '" + options.family + "' could not be opened");
    const std::vector<std::byte> data = build_font_tag_data(*font, options.antialiased, options.all_caps);

    Session session(Access::writer);
    const std::int16_t version = tag_group_get_version(font_group_tag);
    tag_handle handle = find_tag(font_group_tag, name);
    if (handle != NONE && !command.has("--force")) {
        throw CommandError("a tag named '" + std::string(tag_get_name(handle)) + "' already exists in " +
                           tag_group_get_folder_name(font_group_tag) + " (--force replaces it)");
    }
    const bool created = handle == NONE;
    if (created) handle = tag_file_create(font_group_tag, name.c_str(), version);
    if (handle == NONE) throw CommandError(with_messages("could not create " + tag_path_text(font_group_tag, name), session));
    if (!write_font_tag(handle, data)) {
        const std::string message = with_messages("could not write " + tag_path_text(font_group_tag, name), session);
        if (created) tag_file_delete(handle);
        throw CommandError(message);
    }
    if (tag_get_version(handle) != version) tag_set_version(handle, version);
    tag_file_close_local();
    session.report_warnings();
    std::printf("created %s (subgroup %s, %d bytes) from %s at %d points\n", tag_path_text(handle).c_str(),
                printable_code_text(tag_get_subgroup(handle)).c_str(), static_cast<int>(tag_get_size(handle)),
                options.family.c_str(), options.point_size);
    return 0;
}

constexpr OptionSpec import_font_options[] = {
    {"--list", "", "print the font families of the system, one a line, and nothing else"},
    {"--size", "N", "size in points, 4 to 72 (default 10)"},
    {"--bold", "", "the family's bold face"},
    {"--italic", "", "the family's italic face"},
    {"--underline", "", "underlined characters"},
    {"--strikeout", "", "struck-out characters"},
    {"--antialiased", "", "drawn four times larger and averaged down for smooth edges"},
    {"--all-caps", "", "lower-case letters drawn as capitals"},
    {"--force", "", "replace a tag of the same name"},
};

}  // namespace

constinit const CommandDefinition import_font_command{
    .name = "import-font",
    .brief = "create a font tag from a font of the system",
    .arguments = "FAMILY NAME [--size N] [--bold] [--italic] [--underline] [--strikeout] [--antialiased] [--all-caps] [--force] | --list",
    .summary = "Create a font tag from a font of the system, as the editor's New for fonts: every character of "
               "the game's character set drawn in FAMILY at the size and with the options given.",
    .options = import_font_options,
    .minimum_arguments = 0,
    .maximum_arguments = 2,
    .run = run_import_font,
};

}  // namespace cli
