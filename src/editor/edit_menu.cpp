#include "editor/edit_menu.h"

#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/quillet_frame_wnd.h"
#include "editor/undo_history.h"
#include "tag_files/tag_directory.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QTreeWidgetItem>

#include <optional>
#include <vector>

namespace {

// What a step of each command is called in the menu ("Undo Save monsters/Dwarf").
std::optional<QString> step_verb(int id) {
    switch (id) {
        case command_id::open: return QStringLiteral("Save");
        case command_id::new_tag:
        case command_id::new_in_group: return QStringLiteral("New");
        case command_id::duplicate: return QStringLiteral("Duplicate");
        case command_id::delete_tag: return QStringLiteral("Delete");
        case command_id::get_info: return QStringLiteral("Change Info of");
        case command_id::import_overhead_map:
        case command_id::import_netmap_preview: return QStringLiteral("Import Bitmap into");
        default: return std::nullopt;
    }
}

// Commands that write files outside the tag folders, by their menu names.
std::optional<QString> not_undoable_name(int id) {
    switch (id) {
        case command_id::build_plugin: return QStringLiteral("Build Plug-in File");
        case command_id::rebuild_foundation_files: return QStringLiteral("Rebuild Foundation Files");
        default: return std::nullopt;
    }
}

// When each folder a non-undoable command writes was last changed: a command
// that was cancelled changed none.
std::vector<QDateTime> written_folders_times() {
    std::vector<QDateTime> times;
    for (const char* folder : {"plugins", "tags"}) times.push_back(QFileInfo(QString::fromLatin1(folder)).lastModified());
    return times;
}

QString menu_escaped(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

void show_restored(CQuilletFrameWnd& frame, const std::vector<tag_history::TagKey>& keys) {
    for (const auto& [group, subgroup] : keys) {
        QTreeWidgetItem* group_item = frame.find_group_item(group);
        if (!group_item) continue;
        const bool present = tag_find(group, subgroup) != NONE;
        frame.populate_group(group_item, true, present ? static_cast<int32_t>(subgroup) : NONE);
    }
}

}  // namespace

void create_edit_menu(CQuilletFrameWnd& frame, QMenu& menu, UndoHistory& history) {
    QAction* not_undoable = menu.addAction(QString());
    not_undoable->setEnabled(false);
    QAction* undo = menu.addAction(QStringLiteral("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = menu.addAction(QStringLiteral("&Redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    const auto refresh = [&history, undo, redo, not_undoable] {
        const QUndoStack& stack = history.stack();
        undo->setEnabled(stack.canUndo());
        undo->setText(stack.canUndo() ? QStringLiteral("&Undo %1").arg(menu_escaped(stack.undoText()))
                                      : QStringLiteral("&Undo"));
        redo->setEnabled(stack.canRedo());
        redo->setText(stack.canRedo() ? QStringLiteral("&Redo %1").arg(menu_escaped(stack.redoText()))
                                      : QStringLiteral("&Redo"));
        not_undoable->setText(history.not_undoable_text());
        not_undoable->setVisible(!history.not_undoable_text().isEmpty());
    };
    refresh();
    QObject::connect(&history, &UndoHistory::changed, &menu, refresh);
    QObject::connect(undo, &QAction::triggered, &history, [&history] { history.undo(); });
    QObject::connect(redo, &QAction::triggered, &history, [&history] { history.redo(); });
    QObject::connect(&history, &UndoHistory::tags_restored, &frame,
                     [&frame](const std::vector<tag_history::TagKey>& keys) { show_restored(frame, keys); });
    QObject::connect(&history, &UndoHistory::remark, &frame, [&frame](const QString& text) { frame.show_remark(text); });
    QObject::connect(&history, &UndoHistory::failed, &frame, [&frame](const QString& text) {
        platform::message_box(&frame, text, QStringLiteral("Error"), platform::Buttons::ok, platform::Icon::stop);
    });
}

void run_in_history(UndoHistory& history, int id, const std::function<void()>& run) {
    if (const std::optional<QString> verb = step_verb(id)) {
        history.record(*verb, run);
    } else if (const std::optional<QString> name = not_undoable_name(id)) {
        // Changing the plug-in's icon in its dialog changes a tag: that is a step.
        const std::vector<QDateTime> before = written_folders_times();
        history.record(QStringLiteral("Change Plug-in Icon"), run);
        if (written_folders_times() != before) history.note_not_undoable(*name);
    } else {
        run();
    }
}
