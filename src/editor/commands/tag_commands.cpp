#include "editor/commands/tag_commands.h"

#include "editor/character_translation.h"
#include "editor/commands/new_tag_hooks.h"
#include "editor/commands/new_tag_type_dialog.h"
#include "editor/commands/tag_creation.h"
#include "editor/commands/tag_info_dialog.h"
#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/references/live_references.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

#include <QTreeWidgetItem>

namespace {

QTreeWidgetItem* selected_tag_item(CQuilletFrameWnd& frame) {
    QTreeWidgetItem* item = frame.selected_item();
    return item && !CQuilletFrameWnd::is_group_item(item) ? item : nullptr;
}

// New is offered for a selected item whose group has a form and whose tags can
// be made (not yet `font`, while there is no font import).
CommandState new_in_group_state(CQuilletFrameWnd& frame) {
    const QTreeWidgetItem* item = frame.selected_item();
    const bool enabled = item && CTagGroupRegistry::has_editor(CQuilletFrameWnd::item_group(item)) &&
                         can_create_tags_of(CQuilletFrameWnd::item_group(item));
    return {enabled, std::nullopt};
}

const FrameCommandRegistration new_tag_command(command_id::new_tag, {&new_tag_of_chosen_group, {}});
const FrameCommandRegistration new_in_group_command(command_id::new_in_group,
                                                    {&new_tag_of_selected_group, &new_in_group_state});
const FrameCommandRegistration duplicate_command(command_id::duplicate, {&duplicate_selected_tag, {}});
const FrameCommandRegistration delete_command(command_id::delete_tag, {&delete_selected_tag, {}});
const FrameCommandRegistration get_info_command(command_id::get_info, {&show_selected_tag_info, {}});

}  // namespace

void new_tag_of_chosen_group(CQuilletFrameWnd& frame) {
    const QTreeWidgetItem* item = frame.selected_item();
    CNewTagTypeDlg dialog(item ? CQuilletFrameWnd::item_group(item) : NONE, &frame);
    if (platform::run_modal(dialog) == QDialog::Accepted) create_tag_with_dialog(frame, dialog.chosen_group());
}

void new_tag_of_selected_group(CQuilletFrameWnd& frame) {
    if (const QTreeWidgetItem* item = frame.selected_item()) {
        create_tag_with_dialog(frame, CQuilletFrameWnd::item_group(item));
    }
}

void duplicate_selected_tag(CQuilletFrameWnd& frame) {
    if (const QTreeWidgetItem* item = selected_tag_item(frame)) {
        duplicate_tag(frame, CQuilletFrameWnd::item_group(item), CQuilletFrameWnd::item_subgroup(item),
                      text_to_windows_1252(item->text(0)));
    }
}

void delete_selected_tag(CQuilletFrameWnd& frame) {
    QTreeWidgetItem* item = selected_tag_item(frame);
    if (!item) return;
    QString text = QStringLiteral("Are you sure you want to delete '%1'?").arg(item->text(0));
    const QString users = frame.references().users_sentence(CQuilletFrameWnd::item_group(item),
                                                            CQuilletFrameWnd::item_subgroup(item), item->text(0));
    if (!users.isEmpty()) text += QStringLiteral("\n\n") + users;
    platform::MessageRequest question{&frame, text, QStringLiteral("Deleting"), platform::Buttons::yes_no,
                                      platform::Icon::none};
    question.destructive = true;
    const platform::Answer answer = platform::message_box(question);
    if (answer != platform::Answer::yes) return;
    const tag_code group = CQuilletFrameWnd::item_group(item);
    tag_file_delete(tag_find(group, CQuilletFrameWnd::item_subgroup(item)));
    frame.populate_group(item->parent(), true, NONE);
}

void show_selected_tag_info(CQuilletFrameWnd& frame) {
    QTreeWidgetItem* item = selected_tag_item(frame);
    if (!item) return;
    const tag_code subgroup = CQuilletFrameWnd::item_subgroup(item);
    CTagInfoDlg dialog(CQuilletFrameWnd::item_group(item), subgroup, &frame);
    if (platform::run_modal(dialog) == QDialog::Accepted) {
        frame.populate_group(item->parent(), true, static_cast<int32_t>(subgroup));
    }
}
