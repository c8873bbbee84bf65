#include "editor/commands/tag_creation.h"

#include "core/tag_code.h"
#include "definitions/group_registry.h"
#include "editor/commands/new_tag_hooks.h"
#include "editor/commands/new_tag_name_dialog.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QTreeWidgetItem>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace {

constexpr tag_code monster_group = make_tag("mons");
constexpr const char* hidden_game_name = "marden";

void report(QWidget* owner, const char* text) {
    platform::message_box(owner, QString::fromLatin1(text), platform::application_name(), platform::Buttons::ok,
                          platform::Icon::none);
}

// Every byte of a tag as stored; nothing when it cannot be read (reported).
std::optional<std::vector<std::byte>> read_whole_tag(QWidget* owner, tag_code group, tag_code subgroup) {
    const tag_handle handle = tag_find(group, subgroup);
    const int32_t size = tag_get_size(handle);
    std::vector<std::byte> data;
    bool read = size >= 0;
    if (read && size > 0) {
        data.resize(static_cast<size_t>(size));
        read = tag_file_read(handle, 0, size, data.data());
    }
    tag_file_close_local();
    if (!read) {
        report(owner, "Error reading tag file!");
        return std::nullopt;
    }
    return data;
}

// A new tag's first content: the group's default record (in file order) when
// the group has one, with `copied` over its start, and the user data of the
// default record. False after a failed write (reported).
bool fill_new_tag(QWidget* owner, tag_handle handle, tag_code group, std::span<const std::byte> copied) {
    const void* default_record = CTagGroupRegistry::get_default_definition(group);
    const auto user_data = CTagGroupRegistry::get_user_data_function(group);
    std::vector<std::byte> data;
    bool written = true;
    if (default_record && user_data) {
        written = tag_set_user_data(handle, static_cast<uint32_t>(user_data(default_record)));
        data = definitions::default_record_in_file_order(group);
    }
    if (copied.size() > data.size()) data.resize(copied.size());
    std::copy(copied.begin(), copied.end(), data.begin());
    if (written && !data.empty()) {
        written = tag_file_write(handle, 0, static_cast<int32_t>(data.size()), data.data());
    }
    tag_file_close_local();
    if (!written) report(owner, "Error writing tag file!");
    return written;
}

// Rebuilds the group's branch as the user left it and opens the tag named
// exactly `name`, if the new tag could be filled.
void show_new_tag(CQuilletFrameWnd& frame, tag_code group, const std::string& name, bool filled) {
    if (QTreeWidgetItem* group_item = frame.find_group_item(group)) {
        frame.populate_group(group_item, group_item->isExpanded(), NONE);
    }
    if (filled) frame.select_and_open(group, name);
}

bool starts_hidden_game(tag_code group, tag_handle created) {
    return group == monster_group && compare_text_ignoring_case(tag_get_name(created), hidden_game_name) == 0 &&
           find_new_tag_hook(NewTagHook::hidden_game);
}

}  // namespace

void create_tag_with_dialog(CQuilletFrameWnd& frame, tag_code group) {
    if (group == font_group) {
        if (const new_tag_hook_function* import_font = find_new_tag_hook(NewTagHook::font_import)) (*import_font)(frame);
        return;
    }
    CNewTagNameDlg dialog(QStringLiteral("New Tag"), group, "new tag", tag_group_get_version(group), &frame);
    if (platform::run_modal(dialog) != QDialog::Accepted || dialog.result() == NONE) return;
    if (starts_hidden_game(group, dialog.result())) {
        tag_file_close_local();
        (*find_new_tag_hook(NewTagHook::hidden_game))(frame);
        return;
    }
    const bool filled = fill_new_tag(&frame, dialog.result(), group, {});
    show_new_tag(frame, group, dialog.name(), filled);
}

void duplicate_tag(CQuilletFrameWnd& frame, tag_code group, tag_code subgroup, const std::string& name) {
    // Read before the copy exists: a copy under the source's own name replaces
    // a local source, and hides one of a monolithic file.
    const std::optional<std::vector<std::byte>> source = read_whole_tag(&frame, group, subgroup);
    if (!source) return;
    CNewTagNameDlg dialog(QStringLiteral("Duplicate Tag"), group, name + " copy",
                          tag_group_get_version(group), &frame);
    if (platform::run_modal(dialog) != QDialog::Accepted || dialog.result() == NONE) return;
    const bool filled = fill_new_tag(&frame, dialog.result(), group, *source);
    show_new_tag(frame, group, dialog.name(), filled);
}
