#include "editor/quillet_frame_wnd.h"

#include "core/error_manager.h"
#include "editor/character_translation.h"
#include "editor/edit_menu.h"
#include "editor/frame_commands.h"
#include "editor/platform/services.h"
#include "editor/references/live_references.h"
#include "editor/collection_viewer/collection_viewer.h"
#include "editor/references/reference_views.h"
#include "editor/startup/recent_folders.h"
#include "editor/startup/working_folder_choice.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "editor/tree_filter.h"
#include "editor/undo_history.h"
#include "tag_files/instance_lock.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_header.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int item_data_role = Qt::UserRole;
constexpr int item_image_role = Qt::UserRole + 1;
constexpr int item_count_role = Qt::UserRole + 2;  // a group item's number of tags
constexpr int tree_control_id = 1;
// Room beside the longest text: the tree's indentation, image, margins and scroll bar.
constexpr int frame_text_margin = 64;
// Rows of room below the group items, for a group opened at start.
constexpr int frame_spare_rows = 8;
// Room left on the screen for a title bar and borders.
constexpr QSize frame_decoration_allowance(16, 48);
constexpr int frame_row_spacing = 4;
constexpr int frame_filter_spacing = 2;
// Refused files named in the status line; the rest are counted.
constexpr size_t refused_files_named = 4;
// How long the status line keeps a passing remark.
constexpr int remark_milliseconds = 10000;

struct MenuItem {
    int id;
    const char* text;
    const char* key_name;  // shown after a tab; none when null
    QList<QKeySequence> accelerators;
};

// The items shared by the File menu and the context menu, in menu order; a
// separator follows the last.
const std::vector<MenuItem>& shared_items() {
    static const std::vector<MenuItem> items = {
        {command_id::new_tag, "&New Tag...", "Alt-N", {QKeySequence(Qt::ALT | Qt::Key_N)}},
        {command_id::new_in_group, "N&ew", nullptr, {}},
        {command_id::open, "&Open", "Enter", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}},
        {command_id::duplicate, "&Duplicate", nullptr, {}},
        {command_id::delete_tag, "Delete", "Del", {QKeySequence(Qt::Key_Delete)}},
    };
    return items;
}

const MenuItem get_info_item{command_id::get_info, "Get &Info...", "Alt-I", {QKeySequence(Qt::ALT | Qt::Key_I)}};

// Commands that write into the working folder; Get Info stays, its OK refused.
bool writes_tags(int id) {
    switch (id) {
        case command_id::new_tag:
        case command_id::new_in_group:
        case command_id::duplicate:
        case command_id::delete_tag:
        case command_id::import_overhead_map:
        case command_id::import_netmap_preview:
        case command_id::build_plugin:
        case command_id::dump_text:
        case command_id::rebuild_foundation_files: return true;
        default: return false;
    }
}

QString menu_text(const MenuItem& item) {
    QString text = QString::fromLatin1(item.text);
    if (item.key_name) text += QLatin1Char('\t') + QString::fromLatin1(item.key_name);
    return text;
}

QString folder_name_text(tag_code group) {
    return text_from_windows_1252(tag_group_get_folder_name(group));
}

QString group_text(tag_code group, int count) { return folder_name_text(group) + QString::asprintf(" (%d)", count); }

void sort_children_ignoring_case(QTreeWidgetItem* parent) {
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), [](const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
        return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
    });
    parent->addChildren(children);
}

const FrameCommandRegistration open_command(command_id::open,
                                            {[](CQuilletFrameWnd& frame) { frame.open_selected_item(); }, {}});
const FrameCommandRegistration quit_command(command_id::quit, {[](CQuilletFrameWnd& frame) { frame.close(); }, {}});

}  // namespace

CQuilletFrameWnd::CQuilletFrameWnd(QWidget* parent)
    : QMainWindow(parent),
      registry_(std::make_unique<CTagGroupRegistry>()),
      images_(create_tree_images()),
      history_(new UndoHistory(this)),
      references_(new LiveReferences(this)) {
    setWindowIcon(create_application_icon());
    create_menus();
    create_tree();
    create_filter();
    create_reference_views(*this);
    create_collection_viewer_menu(*this);
    if (!populate_tree()) {
        platform::message_box(this, QStringLiteral("An error occured while populating the tree control."),
                              platform::application_name(), platform::Buttons::ok, platform::Icon::none);
    }
    tree_->show();
    // The commands' keys act on the tree; the filter box is a Ctrl+F away.
    tree_->setFocus();
    report_refused_files();
    size_to_contents();
}

void CQuilletFrameWnd::report_refused_files() {
    const std::vector<std::string> refused = refused_monolithic_files();
    if (refused.empty()) return;
    QStringList named;
    for (size_t index = 0; index < refused.size() && index < refused_files_named; ++index) {
        named.append(text_from_windows_1252(refused[index]));
    }
    if (refused.size() > refused_files_named) {
        named.append(QStringLiteral("%1 more").arg(refused.size() - refused_files_named));
    }
    statusBar()->showMessage(QStringLiteral("Not loaded: %1 (see %2)")
                                 .arg(named.join(QStringLiteral(", ")), QString::fromLatin1(log_file_name)));
}

CQuilletFrameWnd::~CQuilletFrameWnd() = default;

void CQuilletFrameWnd::create_menus() {
    auto add_action = [this](QMenu* menu, const MenuItem& item) {
        QAction* action = actions_[item.id];
        if (!action) {
            action = new QAction(menu_text(item), this);
            action->setShortcuts(item.accelerators);
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
            actions_[item.id] = action;
        }
        menu->addAction(action);
    };
    auto add_plain = [&](QMenu* menu, int id, const char* text) { add_action(menu, MenuItem{id, text, nullptr, {}}); };

    file_menu_ = menuBar()->addMenu(QStringLiteral("&File"));
    context_menu_ = new QMenu(QStringLiteral("Popup"), this);
    for (QMenu* menu : {file_menu_, context_menu_}) {
        for (const MenuItem& item : shared_items()) add_action(menu, item);
        menu->addSeparator();
        add_action(menu, get_info_item);
    }
    QMenu* import_menu = file_menu_->addMenu(QStringLiteral("Import Bitmap"));
    add_plain(import_menu, command_id::import_overhead_map, "Overhead Map...");
    add_plain(import_menu, command_id::import_netmap_preview, "Netmap Preview...");
    add_plain(file_menu_, command_id::build_plugin, "Build &Plug-in File");
    add_plain(file_menu_, command_id::rebuild_foundation_files, "Rebuild &Foundation Files...");
    add_plain(file_menu_, command_id::dump_text, "Dump text for group");
    file_menu_->addSeparator();
    auto* open_folder = file_menu_->addAction(QStringLiteral("Open &Working Folder..."));
    open_folder->setShortcut(QKeySequence::Open);
    connect(open_folder, &QAction::triggered, this, [this] { switch_folder(startup::pick_working_folder(this)); });
    recent_menu_ = file_menu_->addMenu(QStringLiteral("Open &Recent"));
    connect(recent_menu_, &QMenu::aboutToShow, this, &CQuilletFrameWnd::fill_recent_menu);
    fill_recent_menu();
    file_menu_->addSeparator();
    add_action(file_menu_, MenuItem{command_id::quit, "&Quit", "Alt-Q", {QKeySequence(Qt::ALT | Qt::Key_Q)}});
    edit_menu_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    create_edit_menu(*this, *edit_menu_, *history_);

    connect(file_menu_, &QMenu::aboutToShow, this, &CQuilletFrameWnd::update_command_states);
    connect(context_menu_, &QMenu::aboutToShow, this, &CQuilletFrameWnd::update_command_states);
}

void CQuilletFrameWnd::create_tree() {
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QString::number(tree_control_id));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setRootIsDecorated(true);
    tree_->setDragEnabled(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setUniformRowHeights(true);
    tree_->setIconSize(QSize(16, 16));
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->hide();

    connect(tree_, &QTreeWidget::itemExpanded, this, &CQuilletFrameWnd::update_group_image);
    connect(tree_, &QTreeWidget::itemCollapsed, this, &CQuilletFrameWnd::update_group_image);
    // A mouse click makes an item current before it selects it; the enabling
    // follows the selection, whichever way it changes.
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CQuilletFrameWnd::update_command_states);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CQuilletFrameWnd::update_command_states);
    connect(tree_, &QTreeWidget::customContextMenuRequested, this, &CQuilletFrameWnd::show_context_menu);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item && !is_group_item(item)) {
            QMetaObject::invokeMethod(this, [this] { run_command(command_id::open); }, Qt::QueuedConnection);
        }
    });
}

void CQuilletFrameWnd::enter_filter_results() {
    QTreeWidgetItem* first = nullptr;
    for (int group = 0; group < tree_->topLevelItemCount() && !first; ++group) {
        QTreeWidgetItem* item = tree_->topLevelItem(group);
        if (item->isHidden()) continue;
        for (int child = 0; child < item->childCount() && !first; ++child)
            if (!item->child(child)->isHidden() && item->isExpanded()) first = item->child(child);
        if (!first && filter_.isEmpty()) first = item;
    }
    if (first) tree_->setCurrentItem(first);
    tree_->setFocus(Qt::ShortcutFocusReason);
}

void CQuilletFrameWnd::create_filter() {
    filter_box_ = new QLineEdit;
    filter_box_->setPlaceholderText(QStringLiteral("Filter tags by name (Ctrl+F)"));
    filter_box_->setClearButtonEnabled(true);
    connect(filter_box_, &QLineEdit::textChanged, this, &CQuilletFrameWnd::apply_filter);
    auto* clear = new QShortcut(QKeySequence(Qt::Key_Escape), filter_box_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(clear, &QShortcut::activated, filter_box_, &QLineEdit::clear);
    // As in a search field, Down goes into the results, on the first shown tag.
    auto* into_results = new QShortcut(QKeySequence(Qt::Key_Down), filter_box_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(into_results, &QShortcut::activated, this, &CQuilletFrameWnd::enter_filter_results);
    auto* find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        filter_box_->setFocus(Qt::ShortcutFocusReason);
        filter_box_->selectAll();
    });

    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(frame_filter_spacing);
    layout->addWidget(filter_box_);
    layout->addWidget(tree_);
    setCentralWidget(client);
}

void CQuilletFrameWnd::apply_filter(const QString& text) {
    const bool was_filtering = !filter_.isEmpty();
    if (!was_filtering && !text.isEmpty()) {
        expanded_before_filter_.clear();
        for (int index = 0; index < tree_->topLevelItemCount(); ++index) {
            QTreeWidgetItem* item = tree_->topLevelItem(index);
            if (item->isExpanded()) expanded_before_filter_.insert(item_group(item));
        }
    }
    filter_ = text;
    tree_->setUpdatesEnabled(false);
    for (int index = 0; index < tree_->topLevelItemCount(); ++index) filter_group(tree_->topLevelItem(index));
    if (was_filtering && filter_.isEmpty()) {
        // Back to the groups as they were, and to the tag found.
        QTreeWidgetItem* current = selected_item();
        for (int index = 0; index < tree_->topLevelItemCount(); ++index) {
            QTreeWidgetItem* item = tree_->topLevelItem(index);
            item->setExpanded(expanded_before_filter_.contains(item_group(item)) ||
                              (current && current->parent() == item));
        }
        if (current) tree_->scrollToItem(current);
    }
    drop_hidden_selection();
    tree_->setUpdatesEnabled(true);
}

void CQuilletFrameWnd::filter_group(QTreeWidgetItem* group_item) {
    const tag_code group = item_group(group_item);
    const int count = group_item->data(0, item_count_role).toInt();
    const int shown = filter_children(tree_, group_item, filter_);
    if (filter_.isEmpty()) {
        group_item->setText(0, group_text(group, count));
        group_item->setHidden(false);
        return;
    }
    group_item->setText(0, folder_name_text(group) + QString::asprintf(" (%d of %d)", shown, count));
    group_item->setHidden(shown == 0);
    if (shown > 0) group_item->setExpanded(true);
}

void CQuilletFrameWnd::drop_hidden_selection() {
    QTreeWidgetItem* current = tree_->currentItem();
    if (!current) return;
    const bool hidden = current->isHidden() || (current->parent() && current->parent()->isHidden());
    if (!hidden) return;
    // Commands act on the selection: none may act on a tag the user cannot see.
    tree_->clearSelection();
    tree_->setCurrentItem(nullptr);
    update_command_states();
}

void CQuilletFrameWnd::size_to_contents() {
    const QFontMetrics metrics(tree_->font());
    int longest_group = 0;
    for (int index = 0; index < tree_->topLevelItemCount(); ++index) {
        longest_group = std::max(longest_group, metrics.horizontalAdvance(tree_->topLevelItem(index)->text(0)));
    }
    // A tag's name sits one indentation further in; a wide letter stands for
    // the widest name a tag can have.
    const int longest_name = metrics.horizontalAdvance(QString(tag_name_maximum_length, QLatin1Char('M')));
    const int client_width = std::max(longest_group, longest_name + tree_->indentation()) + frame_text_margin;
    const int rows = tree_->topLevelItemCount() + frame_spare_rows;
    const int client_height = std::max(height(), rows * (metrics.height() + frame_row_spacing) +
                                                     menuBar()->sizeHint().height() +
                                                     filter_box_->sizeHint().height() +
                                                     statusBar()->sizeHint().height());
    QSize size(client_width, client_height);
    // The window manager's frame is not known before the window is shown.
    if (const QScreen* shown_on = screen()) {
        size = size.boundedTo(shown_on->availableGeometry().size() - frame_decoration_allowance);
    }
    resize(size);
}

QAction* CQuilletFrameWnd::command_action(int id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

bool CQuilletFrameWnd::populate_tree() {
    const bool show_hidden = platform::shift_held();
    tree_->clear();
    if (!tag_files_is_open()) return false;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        const tag_code group = row->group_tag;
        if (CTagGroupRegistry::is_hidden(group) && !show_hidden) {
            registry_->rebuild_tag_list(group, false);
            continue;
        }
        auto* item = new QTreeWidgetItem(tree_);
        item->setData(0, item_data_role, group);
        set_item_image(item, CTagGroupRegistry::has_editor(group) ? tree_image_group_collapsed
                                                                   : tree_image_plain_group_collapsed);
        populate_group(item, false, NONE);
    }
    sort_children_ignoring_case(tree_->invisibleRootItem());
    update_command_states();
    return true;
}

void CQuilletFrameWnd::populate_group(QTreeWidgetItem* group_item, bool expand, int32_t subgroup) {
    setUpdatesEnabled(false);
    const tag_code group = item_group(group_item);
    std::array<tag_handle, tag_group_list_limit> handles;
    const int32_t count = tag_list_of_group(group, handles.data());
    group_item->setText(0, group_text(group, count));
    group_item->setData(0, item_count_role, count);
    group_item->setExpanded(false);
    qDeleteAll(group_item->takeChildren());

    QTreeWidgetItem* remembered = nullptr;
    QList<QTreeWidgetItem*> children;
    children.reserve(count);
    for (int32_t index = 0; index < count; ++index) {
        const tag_header* header = tag_visible_header(handles[index]);
        if (!header) continue;
        auto* child = new QTreeWidgetItem(QStringList(text_from_windows_1252(header->name)));
        child->setData(0, item_data_role, header->subgroup_tag);
        const bool packaged =
            header->file_type == tag_file_type_patch || header->file_type == tag_file_type_foundation;
        set_item_image(child, packaged ? tree_image_packaged_tag : tree_image_local_tag);
        if (subgroup != NONE && header->subgroup_tag == static_cast<tag_code>(subgroup)) remembered = child;
        children.append(child);
    }
    group_item->addChildren(children);
    if (!marked_tags_.empty()) {
        for (QTreeWidgetItem* child : children) set_item_image(child, item_image(child));
    }
    sort_children_ignoring_case(group_item);
    registry_->rebuild_tag_list(group, false);
    if (expand) {
        group_item->setExpanded(true);
        if (remembered) tree_->setCurrentItem(remembered);
    }
    if (!filter_.isEmpty()) {
        filter_group(group_item);
        drop_hidden_selection();
    }
    update_group_image(group_item);
    setUpdatesEnabled(true);
}

void CQuilletFrameWnd::select_and_open(tag_code group, std::string_view name) {
    QTreeWidgetItem* group_item = find_group_item(group);
    if (!group_item) return;
    const QString wanted = text_from_windows_1252(name);
    for (int index = 0; index < group_item->childCount(); ++index) {
        QTreeWidgetItem* child = group_item->child(index);
        if (child->text(0) == wanted) {
            tree_->setCurrentItem(child);
            run_command(command_id::open);
            return;
        }
    }
}

QTreeWidgetItem* CQuilletFrameWnd::find_group_item(tag_code group) const {
    for (int index = 0; index < tree_->topLevelItemCount(); ++index) {
        QTreeWidgetItem* item = tree_->topLevelItem(index);
        if (item_group(item) == group) return item;
    }
    return nullptr;
}

QTreeWidgetItem* CQuilletFrameWnd::selected_item() const {
    QTreeWidgetItem* item = tree_->currentItem();
    return item && item->isSelected() ? item : nullptr;
}

bool CQuilletFrameWnd::is_group_item(const QTreeWidgetItem* item) { return item && !item->parent(); }

tag_code CQuilletFrameWnd::item_group(const QTreeWidgetItem* item) {
    const QTreeWidgetItem* group_item = is_group_item(item) ? item : item->parent();
    return group_item->data(0, item_data_role).toUInt();
}

tag_code CQuilletFrameWnd::item_subgroup(const QTreeWidgetItem* item) {
    return item->data(0, item_data_role).toUInt();
}

int CQuilletFrameWnd::item_image(const QTreeWidgetItem* item) { return item->data(0, item_image_role).toInt(); }

void CQuilletFrameWnd::set_item_image(QTreeWidgetItem* item, int image) {
    item->setData(0, item_image_role, image);
    item->setIcon(0, is_marked(item) ? with_problem_mark(images_[image]) : images_[image]);
}

bool CQuilletFrameWnd::is_marked(const QTreeWidgetItem* item) const {
    return !is_group_item(item) && item->parent() &&
           marked_tags_.contains({item_group(item), item_subgroup(item)});
}

void CQuilletFrameWnd::set_marked_tags(std::set<std::pair<uint32_t, uint32_t>> tags) {
    marked_tags_ = std::move(tags);
    for (int group = 0; group < tree_->topLevelItemCount(); ++group) {
        QTreeWidgetItem* group_item = tree_->topLevelItem(group);
        for (int index = 0; index < group_item->childCount(); ++index)
            set_item_image(group_item->child(index), item_image(group_item->child(index)));
    }
}

void CQuilletFrameWnd::update_group_image(QTreeWidgetItem* group_item) {
    if (!is_group_item(group_item)) return;
    const bool editable = CTagGroupRegistry::has_editor(item_group(group_item));
    const bool expanded = group_item->isExpanded();
    set_item_image(group_item, editable ? (expanded ? tree_image_group_expanded : tree_image_group_collapsed)
                                        : (expanded ? tree_image_plain_group_expanded
                                                    : tree_image_plain_group_collapsed));
}

void CQuilletFrameWnd::show_context_menu(const QPoint& position) {
    QTreeWidgetItem* item = tree_->itemAt(position);
    if (!item) return;
    tree_->setCurrentItem(item);
    update_command_states();
    context_menu_->popup(tree_->viewport()->mapToGlobal(position));
}

void CQuilletFrameWnd::open_selected_item() {
    QTreeWidgetItem* item = selected_item();
    if (!item) return;
    if (is_group_item(item)) {
        item->setExpanded(!item->isExpanded());
        update_group_image(item);
        return;
    }
    const tag_code group = item_group(item);
    const tag_code subgroup = item_subgroup(item);
    if (!CTagGroupRegistry::has_editor(group)) {
        platform::beep();
        statusBar()->showMessage(folder_name_text(group) + QStringLiteral(": no form for this group"),
                                 remark_milliseconds);
        return;
    }
    const std::unique_ptr<CTagDialog> form(CTagGroupRegistry::open_editor(group, subgroup, this));
    if (form && platform::run_modal(*form) == QDialog::Accepted) {
        populate_group(item->parent(), true, static_cast<int32_t>(subgroup));
    }
}

bool CQuilletFrameWnd::frame_rule(int id, QTreeWidgetItem* selection) const {
    const bool tag_selected = selection && !is_group_item(selection);
    switch (id) {
        case command_id::new_in_group:
            return selection && CTagGroupRegistry::has_editor(item_group(selection));
        case command_id::open:
            return selection && (is_group_item(selection) || CTagGroupRegistry::has_editor(item_group(selection)));
        case command_id::duplicate:
        case command_id::get_info: return tag_selected;
        case command_id::delete_tag: return selection && item_image(selection) == tree_image_local_tag;
        default: return true;
    }
}

void CQuilletFrameWnd::fill_recent_menu() {
    recent_menu_->clear();
    const QString current = QDir::currentPath();
    for (const QString& folder : startup::recent_working_folders()) {
        if (folder == current) continue;
        QAction* action = recent_menu_->addAction(startup::folder_display_text(folder));
        action->setEnabled(QFileInfo(folder).isDir());
        connect(action, &QAction::triggered, this,
                [this, folder] { switch_folder(startup::checked_working_folder(this, folder)); });
    }
    recent_menu_->setEnabled(!recent_menu_->isEmpty());
}

void CQuilletFrameWnd::switch_folder(const QString& folder) {
    if (!folder.isEmpty() && switch_folder_) switch_folder_(folder);
}

void CQuilletFrameWnd::show_remark(const QString& text) { statusBar()->showMessage(text, remark_milliseconds); }

void CQuilletFrameWnd::set_read_only(const QString& log_path) {
    read_only_ = true;
    statusBar()->showMessage(QStringLiteral("Read-only folder; log in %1").arg(startup::folder_display_text(log_path)));
    statusBar()->setToolTip(QString::fromStdString(read_only_working_folder_text()));
    update_command_states();
}

bool CQuilletFrameWnd::command_enabled(int id) {
    const FrameCommand* command = find_frame_command(id);
    if (!command || !command->run) return false;
    if (read_only_ && writes_tags(id)) return false;
    if (command->state) return command->state(*this).enabled;
    return frame_rule(id, selected_item());
}

void CQuilletFrameWnd::update_command_states() {
    QTreeWidgetItem* selection = selected_item();
    if (QAction* action = command_action(command_id::new_in_group)) {
        action->setText(selection ? QStringLiteral("N&ew \"%1\" tag").arg(folder_name_text(item_group(selection)))
                                  : QStringLiteral("N&ew"));
    }
    for (const auto& [id, action] : actions_) {
        const FrameCommand* command = find_frame_command(id);
        if (command && command->state) {
            const CommandState state = command->state(*this);
            if (state.text) action->setText(*state.text);
        }
        action->setEnabled(command_enabled(id));
    }
}

void CQuilletFrameWnd::run_command(int id) {
    if (read_only_ && writes_tags(id)) return;
    const FrameCommand* command = find_frame_command(id);
    if (!command || !command->run) return;
    run_in_history(*history_, id, [this, command] { command->run(*this); });
}
