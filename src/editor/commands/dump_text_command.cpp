// "Dump text for group": the names and codes of the selected group's tags into
// "<folder name>.txt" in the working folder.

#include "editor/character_translation.h"
#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "tag_files/group_text_dump.h"
#include "tag_files/tag_groups.h"

#include <QTreeWidgetItem>

namespace {

QString folder_name(tag_code group) { return text_from_windows_1252(tag_group_get_folder_name(group)); }

CommandState dump_text_state(CQuilletFrameWnd& frame) {
    const QTreeWidgetItem* selection = frame.selected_item();
    if (!selection) return {false, QStringLiteral("Dump text for group")};
    const tag_code group = CQuilletFrameWnd::item_group(selection);
    return {CTagGroupRegistry::has_editor(group), QStringLiteral("Dump text for \"%1\"").arg(folder_name(group))};
}

void dump_text(CQuilletFrameWnd& frame) {
    const QTreeWidgetItem* selection = frame.selected_item();
    if (!selection) return;
    const tag_code group = CQuilletFrameWnd::item_group(selection);
    if (!dump_group_text(group)) {
        platform::message_box(&frame, QStringLiteral("An error occurred while dumping text"), QStringLiteral("Error"),
                              platform::Buttons::ok, platform::Icon::stop);
        platform::message_box(&frame,
                              QStringLiteral("The file \"%1\" could not be written.")
                                  .arg(text_from_windows_1252(group_text_dump_file_name(group))),
                              platform::application_name(), platform::Buttons::ok, platform::Icon::exclamation);
        return;
    }
    frame.show_remark(QStringLiteral("Wrote %1").arg(text_from_windows_1252(group_text_dump_file_name(group))));
    platform::message_box(&frame, QStringLiteral("Text successfully dumped!"), folder_name(group),
                          platform::Buttons::ok, platform::Icon::none);
}

const FrameCommandRegistration dump_text_command(command_id::dump_text, {&dump_text, &dump_text_state});

}  // namespace
