#include "editor/references/reference_panels.h"

#include "editor/character_translation.h"
#include "tag_files/tag_groups.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

constexpr int group_role = Qt::UserRole;
constexpr int name_role = Qt::UserRole + 1;

QString folder_text(tag_code group) {
    const char* folder = tag_group_get_folder_name(group);
    return folder && *folder ? text_from_windows_1252(folder) : QString::fromStdString(printable_code_text(group));
}

QString tag_text(const references::TagEntry& tag) {
    return folder_text(tag.group) + QLatin1Char('/') + text_from_windows_1252(tag.name);
}

}  // namespace

QTreeWidget* TagListDock::new_list(const QStringList& columns) {
    auto* list = new QTreeWidget;
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    connect(list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) {
        if (row && row->data(0, name_role).isValid())
            emit open_tag(row->data(0, group_role).toUInt(), row->data(0, name_role).toByteArray());
    });
    return list;
}

void TagListDock::set_target(QTreeWidgetItem& row, tag_code group, const std::string& name) {
    row.setData(0, group_role, group);
    row.setData(0, name_role, QByteArray::fromStdString(name));
}

ReferencesPanel::ReferencesPanel(QWidget* parent) : TagListDock(QStringLiteral("References"), parent) {
    setObjectName(QStringLiteral("references"));
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    uses_ = new_list({QStringLiteral("Field"), QStringLiteral("Group"), QStringLiteral("Name")});
    users_ = new_list({QStringLiteral("Group"), QStringLiteral("Name"), QStringLiteral("Field")});
    auto* uses_label = new QLabel(QStringLiteral("&Uses:"));
    uses_label->setBuddy(uses_);
    auto* users_label = new QLabel(QStringLiteral("Used &by:"));
    users_label->setBuddy(users_);
    for (QWidget* widget : {static_cast<QWidget*>(uses_label), static_cast<QWidget*>(uses_),
                            static_cast<QWidget*>(users_label), static_cast<QWidget*>(users_)})
        layout->addWidget(widget);
    // Wide enough for a field path, a group and a name side by side.
    holder->setMinimumWidth(holder->fontMetrics().averageCharWidth() * 56);
    setWidget(holder);
}

void ReferencesPanel::clear() {
    uses_->clear();
    users_->clear();
}

void ReferencesPanel::show_tag(LiveReferences& references, tag_code group, tag_code subgroup) {
    clear();
    const std::optional<std::size_t> tag = references.find(group, subgroup);
    if (!tag) return;
    const references::ReferenceIndex& index = references.index();
    for (const references::Reference* use : index.uses(*tag)) {
        auto* row = new QTreeWidgetItem(uses_);
        row->setText(0, QString::fromStdString(use->field));
        row->setText(1, folder_text(use->group));
        if (use->to) {
            row->setText(2, text_from_windows_1252(index.tags()[*use->to].name));
            set_target(*row, use->group, index.tags()[*use->to].name);
        } else {
            row->setText(2, QStringLiteral("missing %1").arg(QString::fromStdString(printable_code_text(use->subgroup))));
        }
    }
    // By group, then name as the tree sorts them (case ignored).
    std::vector<const references::Reference*> users = index.used_by(*tag);
    const auto sort_key = [&](const references::Reference* user) {
        const references::TagEntry& from = index.tags()[user->from];
        return std::tuple(folder_text(from.group), text_from_windows_1252(from.name).toCaseFolded(), user->field);
    };
    std::ranges::stable_sort(users, {}, sort_key);
    for (const references::Reference* user : users) {
        const references::TagEntry& from = index.tags()[user->from];
        auto* row = new QTreeWidgetItem(users_);
        row->setText(0, folder_text(from.group));
        row->setText(1, text_from_windows_1252(from.name));
        row->setText(2, QString::fromStdString(user->field));
        set_target(*row, from.group, from.name);
    }
    for (QTreeWidget* list : {uses_, users_}) {
        for (int column = 0; column < list->columnCount(); ++column) list->resizeColumnToContents(column);
    }
}

ProblemsPanel::ProblemsPanel(QWidget* parent) : TagListDock(QStringLiteral("Problems"), parent) {
    setObjectName(QStringLiteral("problems"));
    list_ = new_list({QStringLiteral("Tag"), QStringLiteral("Field"), QStringLiteral("Problem")});
    setWidget(list_);
}

int ProblemsPanel::show_problems(const references::ReferenceIndex& index) {
    list_->clear();
    for (const references::Problem& problem : index.problems()) {
        const references::TagEntry& tag = index.tags()[problem.tag];
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, tag_text(tag));
        row->setText(1, QString::fromStdString(problem.field));
        row->setText(2, QString::fromStdString(problem.message));
        set_target(*row, tag.group, tag.name);
    }
    list_->sortItems(0, Qt::AscendingOrder);
    for (int column = 0; column < list_->columnCount(); ++column) list_->resizeColumnToContents(column);
    return list_->topLevelItemCount();
}
