#include "editor/toolkit/reference_pickers.h"

#include "definitions/tag_name_list.h"
#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/stored_value.h"
#include "editor/toolkit/tag_reads.h"

#include <QComboBox>
#include <QStandardItemModel>

bool collection_user_data_filter(tag_handle handle, int32_t argument) {
    const auto bits = static_cast<uint32_t>(argument);
    return (tag_get_user_data(handle) & bits) == bits;
}

bool core_user_data_filter(tag_handle handle, int32_t argument) {
    const std::optional<tag_code> collection = toolkit::collection_of_reference(tag_get_subgroup(handle));
    if (!collection) return false;
    const tag_handle collection_handle = tag_find(toolkit::collection_group, *collection);
    return collection_handle != NONE && collection_user_data_filter(collection_handle, argument);
}

bool user_data_equals_filter(tag_handle handle, int32_t argument) {
    return tag_get_user_data(handle) == static_cast<uint32_t>(argument);
}

bool not_self_filter(tag_handle handle, int32_t argument) {
    return tag_get_subgroup(handle) != static_cast<tag_code>(argument);
}

namespace toolkit {

namespace {

constexpr Storage reference_storage{4, true};
constexpr const char* shared_list_prefix = "tag list ";

QStandardItem* entry(const QString& name, int32_t subgroup) {
    auto* item = new QStandardItem(name);
    item->setData(subgroup, Qt::UserRole);
    return item;
}

// Every picker of one group in a dialog shows the same list; they share one model,
// which keeps opening a form with many pickers over long lists fast.
QStandardItemModel* shared_tag_list_model(CTagDialog& dialog, tag_code group) {
    const QString name = QString::fromLatin1(shared_list_prefix) + QString::number(group);
    if (auto* model = dialog.findChild<QStandardItemModel*>(name, Qt::FindDirectChildrenOnly)) return model;
    CTagGroupRegistry* registry = CTagGroupRegistry::active();
    const definitions::TagNameList* list = registry ? registry->find_tag_list(group) : nullptr;
    if (registry && !list) {
        registry->rebuild_tag_list(group, true);
        list = registry->find_tag_list(group);
    }
    auto* model = new QStandardItemModel(&dialog);
    model->setObjectName(name);
    if (!list) {
        model->appendRow(entry(QString::fromLatin1(no_tag_text), NONE));
        return model;
    }
    for (const definitions::TagNameEntry& listed : list->entries)
        model->appendRow(entry(text_from_windows_1252(listed.name), static_cast<int32_t>(listed.subgroup)));
    return model;
}

QString unlisted_text(tag_code group, int32_t subgroup) {
    const tag_handle handle = tag_find(group, static_cast<tag_code>(subgroup));
    const QString name = handle != NONE ? text_from_windows_1252(tag_get_name(handle))
                                        : QStringLiteral("'%1'").arg(QString::fromLatin1(
                                              tag_code_to_text(static_cast<tag_code>(subgroup)), 4));
    return name + QString::fromLatin1(unlisted_suffix);
}

// The stored tag is shown even when the list leaves it out, so that what the
// form shows is what OK keeps. Pickers sharing a group's list get a copy of
// their own first: the entry belongs to this picker alone.
void add_unlisted_entry(QComboBox* combo, tag_code group, int32_t subgroup) {
    if (auto* shared = qobject_cast<QStandardItemModel*>(combo->model());
        shared && shared->objectName().startsWith(QLatin1String(shared_list_prefix))) {
        auto* own = new QStandardItemModel(combo);
        for (int row = 0; row < shared->rowCount(); ++row) own->appendRow(shared->item(row)->clone());
        combo->setModel(own);
    }
    combo->addItem(unlisted_text(group, subgroup), subgroup);
}

}  // namespace

void fill_reference_picker(CTagDialog& dialog, QComboBox* combo, tag_code group) {
    QStandardItemModel* model = shared_tag_list_model(dialog, group);
    if (combo->model() != model) combo->setModel(model);
}

void fill_filtered_reference_picker(QComboBox* combo, tag_code group, tag_reference_filter filter,
                                    int32_t argument) {
    combo->clear();
    combo->addItem(QString::fromLatin1(no_tag_text), int32_t{NONE});
    const int32_t count = tag_count_of_group(group);
    for (int32_t n = 0; n < count; ++n) {
        const tag_handle handle = tag_get_nth_of_group(group, n);
        if (handle == NONE || !filter(handle, argument)) continue;
        combo->addItem(text_from_windows_1252(tag_get_name(handle)), static_cast<int32_t>(tag_get_subgroup(handle)));
    }
}

void select_reference(QComboBox* combo, tag_code group, int64_t subgroup) {
    const auto stored = static_cast<int32_t>(subgroup);
    int found = combo->findData(stored, Qt::UserRole);
    // Zero, the blank of an all-zero new record, and the -2 of default records
    // are no tag's code.
    if (found < 0 && stored != NONE && stored != 0 && stored != -2) {
        add_unlisted_entry(combo, group, stored);
        found = combo->count() - 1;
    }
    combo->setCurrentIndex(found >= 0 ? found : 0);
}

int32_t selected_reference(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? int32_t{NONE} : combo->currentData().toInt();
}

void exchange_reference(CDataExchange& dx, int control_id, tag_code group, void* field) {
    if (dx.failed()) return;
    auto* combo = qobject_cast<QComboBox*>(dx.prepare_control(control_id));
    if (!combo) return;
    if (dx.is_loading()) {
        select_reference(combo, group, load_stored(field, reference_storage));
        remember_loaded_state(combo);
        return;
    }
    if (!changed_since_load(combo) || combo->currentIndex() < 0) return;
    store_stored(field, reference_storage, selected_reference(combo));
}

void exchange_tag_reference(CDataExchange& dx, int control_id, tag_code group, void* field) {
    if (dx.failed()) return;
    auto* combo = qobject_cast<QComboBox*>(dx.dialog().control(control_id));
    if (combo && dx.is_loading()) fill_reference_picker(dx.dialog(), combo, group);
    exchange_reference(dx, control_id, group, field);
}

void exchange_filtered_tag_reference(CDataExchange& dx, int control_id, tag_code group, void* field,
                                     tag_reference_filter filter, int32_t argument) {
    if (dx.failed()) return;
    auto* combo = qobject_cast<QComboBox*>(dx.dialog().control(control_id));
    if (combo && dx.is_loading()) fill_filtered_reference_picker(combo, group, filter, argument);
    exchange_reference(dx, control_id, group, field);
}

}  // namespace toolkit
