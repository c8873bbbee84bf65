#pragma once

#include "editor/tree_images.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string_view>
#include <utility>

class CTagGroupRegistry;
class QAction;
class QLineEdit;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class LiveReferences;
class UndoHistory;

// The main window: a tree of the tag groups and their tags fills it, and every
// editing action starts from the tree's selection through the File menu, the
// context menu or an accelerator. It owns the tag group registry with its
// tag-name lists.
// Tag codes are plain uint32_t here: moc cannot read the core's tag code header.
class CQuilletFrameWnd : public QMainWindow {
    Q_OBJECT

public:
    // Creates the menus, the tree and its images, prepares the registry's
    // default records, fills the tree and sizes the window to its group texts.
    explicit CQuilletFrameWnd(QWidget* parent = nullptr);
    ~CQuilletFrameWnd() override;

    QTreeWidget* tree() const { return tree_; }
    // The box above the tree: only the tags whose names contain its text (ignoring
    // case) are shown, with their groups expanded and counting the matches.
    QLineEdit* filter_box() const { return filter_box_; }
    CTagGroupRegistry& registry() { return *registry_; }
    QMenu* file_menu() const { return file_menu_; }
    QMenu* context_menu() const { return context_menu_; }
    QMenu* edit_menu() const { return edit_menu_; }
    // The steps of this working folder's changes to tags; it ends with the window.
    UndoHistory& history() const { return *history_; }
    // What the visible tags use and what uses them, kept up to date with the history.
    LiveReferences& references() const { return *references_; }
    // The tags whose icons carry the problem mark, by group and subgroup.
    void set_marked_tags(std::set<std::pair<uint32_t, uint32_t>> tags);
    bool is_marked(const QTreeWidgetItem* item) const;
    // The menu item of a command id.
    QAction* command_action(int id) const;

    // Rebuilds the whole tree (hidden groups only while Shift is held).
    bool populate_tree();
    // Rebuilds one group's branch and its tag-name list; with expand, leaves it
    // expanded and selects the tag of `subgroup` (unless it is NONE).
    void populate_group(QTreeWidgetItem* group_item, bool expand, int32_t subgroup);
    // Selects the group's tag named exactly `name` and opens it.
    void select_and_open(uint32_t group, std::string_view name);
    QTreeWidgetItem* find_group_item(uint32_t group) const;

    // The tree's selection as the commands see it.
    QTreeWidgetItem* selected_item() const;
    static bool is_group_item(const QTreeWidgetItem* item);
    // The group of a group item, or of a tag item's parent.
    static uint32_t item_group(const QTreeWidgetItem* item);
    // The subgroup of a tag item.
    static uint32_t item_subgroup(const QTreeWidgetItem* item);
    static int item_image(const QTreeWidgetItem* item);

    // Carries out a command as a command message to the window does: the
    // registered handler runs whatever the menu item's state (menus and
    // accelerators only reach enabled items).
    void run_command(int id);
    bool command_enabled(int id);
    // Brings every menu item's enabling and text up to date.
    void update_command_states();

    // The Open command: toggles a group item, runs a tag's editor form (and
    // rebuilds its branch after OK), beeps for a tag without an editor.
    void open_selected_item();

    // A passing remark in the status line: what a command wrote.
    void show_remark(const QString& text);

    // A working folder that cannot be written: every command that would write is
    // disabled, and the status line says where the log went instead.
    void set_read_only(const QString& log_path);
    bool is_read_only() const { return read_only_; }
    // File > Open Working Folder... and Open Recent hand the chosen folder here;
    // the application ends its work in this folder and starts in that one.
    void set_folder_switch(std::function<void(const QString&)> switch_to) { switch_folder_ = std::move(switch_to); }
    QMenu* recent_menu() const { return recent_menu_; }

private:
    void create_menus();
    void create_tree();
    void create_filter();
    void apply_filter(const QString& text);
    // Down in the filter box: the focus to the tree, the first shown tag selected.
    void enter_filter_results();
    // Filters one group's branch and sets its text: "%s (%d of %d)" while filtering.
    void filter_group(QTreeWidgetItem* group_item);
    void drop_hidden_selection();
    // Wide enough for the longest group text and the longest tag name, tall
    // enough for every group, within the screen's available area.
    void size_to_contents();
    // Names in the status line the monolithic files start-up refused, whose
    // tags are therefore missing; the log says why.
    void report_refused_files();
    void show_context_menu(const QPoint& position);
    void set_item_image(QTreeWidgetItem* item, int image);
    void update_group_image(QTreeWidgetItem* group_item);
    bool frame_rule(int id, QTreeWidgetItem* selection) const;

    std::unique_ptr<CTagGroupRegistry> registry_;
    std::array<QIcon, tree_image_count> images_;
    QTreeWidget* tree_ = nullptr;
    QLineEdit* filter_box_ = nullptr;
    QString filter_;
    std::set<uint32_t> expanded_before_filter_;
    QMenu* file_menu_ = nullptr;
    QMenu* context_menu_ = nullptr;
    QMenu* edit_menu_ = nullptr;
    UndoHistory* history_ = nullptr;
    LiveReferences* references_ = nullptr;
    std::set<std::pair<uint32_t, uint32_t>> marked_tags_;
    std::map<int, QAction*> actions_;
    QMenu* recent_menu_ = nullptr;
    std::function<void(const QString&)> switch_folder_;
    bool read_only_ = false;

    void fill_recent_menu();
    void switch_folder(const QString& folder);
};
