#include "editor/commands/bitmap_import_commands.h"

#include "editor/character_translation.h"
#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/tag_group_registry.h"
#include "media/collection_format.h"
#include "tag_files/tag_directory.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidgetItem>

namespace {

static_assert(command_id::import_overhead_map == import_overhead_map_command);
static_assert(command_id::import_netmap_preview == import_netmap_preview_command);

// Pickers list collections by name, so their list is rebuilt even while the
// (hidden) group has no branch in the tree.
void show_imported_collection(CQuilletFrameWnd& frame, tag_handle handle) {
    QTreeWidgetItem* group_item = frame.find_group_item(collection_group_tag);
    if (!group_item) {
        frame.registry().rebuild_tag_list(collection_group_tag, false);
        return;
    }
    const tag_header* header = tag_visible_header(handle);
    frame.populate_group(group_item, true, header ? static_cast<int32_t>(header->subgroup_tag) : NONE);
}

const FrameCommandRegistration overhead_map_command(
    command_id::import_overhead_map,
    {[](CQuilletFrameWnd& frame) { import_bitmap_command(frame, bitmap_import_kind::overhead_map); }, {}});
const FrameCommandRegistration netmap_preview_command(
    command_id::import_netmap_preview,
    {[](CQuilletFrameWnd& frame) { import_bitmap_command(frame, bitmap_import_kind::netmap_preview); }, {}});

}  // namespace

void import_bitmap_command(CQuilletFrameWnd& frame, bitmap_import_kind kind) {
    const QString path = platform::open_file(&frame, QString::fromLatin1(bitmap_import_dialog_title),
                                             QString::fromLatin1(bitmap_import_dialog_filter));
    if (path.isEmpty()) return;
    const bitmap_import_outcome outcome = import_bitmap_file(kind, QFile::encodeName(path).toStdString());
    if (!outcome.succeeded) {
        platform::message_box(&frame, QString::fromLocal8Bit(outcome.message), QString::fromLatin1(outcome.caption),
                              platform::Buttons::ok, platform::Icon::stop);
        return;
    }
    show_imported_collection(frame, outcome.handle);
    frame.show_remark(QStringLiteral("Imported %1 as collections/%2")
                          .arg(QFileInfo(path).fileName(), text_from_windows_1252(tag_get_name(outcome.handle))));
}
