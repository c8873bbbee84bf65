#include "editor/commands/new_tag_type_dialog.h"

#include "editor/character_translation.h"
#include "editor/commands/new_tag_hooks.h"
#include "editor/data_exchange.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_groups.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int group_role = Qt::UserRole;

tag_code entry_group(const QListWidgetItem* entry) { return entry->data(group_role).toUInt(); }

}  // namespace

CNewTagTypeDlg::CNewTagTypeDlg(tag_code preselected, QWidget* parent)
    : CTagDialog(dialog_template, preselected, NONE, parent), group_(preselected) {
    setWindowTitle(QStringLiteral("New Tag"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select a type for the new tag:"), this));
    auto* list = new QListWidget(this);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    register_control(group_list_control, list);
    layout->addWidget(list);
    QDialogButtonBox* buttons = create_ok_cancel_buttons();
    auto* create = control_as<QPushButton>(control_id_ok);
    create->setText(QStringLiteral("Create..."));
    create->setEnabled(false);
    layout->addWidget(buttons);
    // The selection, not the current item: a list that takes the focus gets a
    // current item without anything being chosen.
    connect(list, &QListWidget::itemSelectionChanged, this, [this] { update_create_button(); });
}

QListWidget* CNewTagTypeDlg::group_list() const { return control_as<QListWidget>(group_list_control); }

QListWidgetItem* CNewTagTypeDlg::selected_entry() const {
    const QList<QListWidgetItem*> selected = group_list()->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

bool CNewTagTypeDlg::OnInitDialog() {
    std::vector<QListWidgetItem*> entries;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        if (!CTagGroupRegistry::has_editor(row->group_tag)) continue;
        auto* entry = new QListWidgetItem(text_from_windows_1252(row->folder_name));
        entry->setData(group_role, row->group_tag);
        if (!can_create_tags_of(row->group_tag)) entry->setFlags(entry->flags() & ~Qt::ItemIsEnabled);
        entries.push_back(entry);
    }
    // A sorted list box orders its entries without regard to case.
    std::stable_sort(entries.begin(), entries.end(), [](const QListWidgetItem* a, const QListWidgetItem* b) {
        return a->text().compare(b->text(), Qt::CaseInsensitive) < 0;
    });
    QListWidget* list = group_list();
    for (QListWidgetItem* entry : entries) {
        list->addItem(entry);
        if (group_ != NONE && entry_group(entry) == group_ && (entry->flags() & Qt::ItemIsEnabled)) {
            list->setCurrentItem(entry);
        }
    }
    return true;
}

void CNewTagTypeDlg::update_create_button() {
    const QListWidgetItem* entry = selected_entry();
    if (!entry) return;
    auto* create = control_as<QPushButton>(control_id_ok);
    create->setText(QStringLiteral("Create ") + entry->text() + QStringLiteral("..."));
    create->setEnabled(true);
}

// Only OK exchanges anything: the list is filled when the dialog opens.
void CNewTagTypeDlg::DoDataExchange(CDataExchange& dx) {
    if (dx.is_loading()) return;
    dx.prepare_control(group_list_control);
    const QListWidgetItem* entry = selected_entry();
    if (!entry) {
        dx.fail();
        return;
    }
    group_ = entry_group(entry);
}
