#include "editor/toolkit/reference_pickers.h"

#include "definitions/tag_name_list.h"
#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/tag_dialog.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/stored_value.h"
#include "editor/toolkit/tag_reads.h"

#include "editor/toolkit/tag_list_model.h"

#include <QComboBox>
#include <QConcatenateTablesProxyModel>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <functional>

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

// The models a picker layers over the shared ones live under this child of the
// picker rather than under the picker itself: QComboBox deletes a model it
// parents as soon as another replaces it, and the layers are one another's
// sources.
constexpr const char* layers_name = "picker layers";
constexpr const char* filter_name = "filter";
constexpr const char* own_list_name = "own list";
constexpr const char* unlisted_name = "unlisted";

QObject* layers(QComboBox* combo) {
    if (auto* holder = combo->findChild<QObject*>(layers_name, Qt::FindDirectChildrenOnly)) return holder;
    auto* holder = new QObject(combo);
    holder->setObjectName(layers_name);
    return holder;
}

template <typename Model>
Model* layer(QComboBox* combo, const char* name) {
    return static_cast<Model*>(layers(combo)->findChild<QObject*>(name, Qt::FindDirectChildrenOnly));
}

template <typename Model>
Model* new_layer(QComboBox* combo, const char* name) {
    auto* model = new Model(layers(combo));
    model->setObjectName(name);
    return model;
}

// Keeps "No Tag" and the tags the filter accepts, in the order of the list below.
class TagFilterModel : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void set_filter(std::function<bool(tag_handle)> accepts) {
        accepts_ = std::move(accepts);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        if (row == 0) return true;
        const tag_handle handle = static_cast<const TagListModel*>(sourceModel())->entry(row).handle;
        return accepts_ && accepts_(handle);
    }

private:
    std::function<bool(tag_handle)> accepts_;
};

// A picker's list without a registry: only a test's dialog has none.
TagListModel* own_list(QComboBox* combo, std::vector<TagListEntry> entries) {
    auto* list = layer<TagListModel>(combo, own_list_name);
    if (!list) list = new_layer<TagListModel>(combo, own_list_name);
    list->replace(std::move(entries));
    return list;
}

// Shows `model`, dropping the entry of a stored tag that the previous list lacked.
void show_list(QComboBox* combo, QAbstractItemModel* model) {
    if (combo->model() != model) combo->setModel(model);
    delete layer<QObject>(combo, unlisted_name);
}

QString unlisted_text(tag_code group, int32_t subgroup) {
    const tag_handle handle = tag_find(group, static_cast<tag_code>(subgroup));
    const QString name = handle != NONE ? text_from_windows_1252(tag_get_name(handle))
                                        : QStringLiteral("'%1'").arg(QString::fromLatin1(
                                              tag_code_to_text(static_cast<tag_code>(subgroup)), 4));
    return name + QString::fromLatin1(unlisted_suffix);
}

// The stored tag is shown even when the list leaves it out, so that what the
// form shows is what OK keeps. The entry is this picker's alone: it follows the
// shared list in a layer of its own.
void add_unlisted_entry(QComboBox* combo, tag_code group, int32_t subgroup) {
    if (auto* previous = layer<QConcatenateTablesProxyModel>(combo, unlisted_name))
        show_list(combo, previous->sourceModels().front());
    auto* joined = new_layer<QConcatenateTablesProxyModel>(combo, unlisted_name);
    auto* entry = new QStandardItemModel(joined);
    auto* item = new QStandardItem(unlisted_text(group, subgroup));
    item->setData(subgroup, Qt::UserRole);
    entry->appendRow(item);
    joined->addSourceModel(combo->model());
    joined->addSourceModel(entry);
    combo->setModel(joined);
}

}  // namespace

void fill_reference_picker(QComboBox* combo, tag_code group) {
    CTagGroupRegistry* registry = CTagGroupRegistry::active();
    show_list(combo, registry ? registry->tag_list_model(group)
                              : own_list(combo, {{NONE, NONE, definitions::no_tag_name}}));
}

void fill_filtered_reference_picker(QComboBox* combo, tag_code group, tag_reference_filter filter,
                                    int32_t argument) {
    CTagGroupRegistry* registry = CTagGroupRegistry::active();
    TagListModel* tags = registry ? registry->directory_order_model(group) : own_list(combo, directory_entries(group));
    auto* filtered = layer<TagFilterModel>(combo, filter_name);
    if (!filtered) filtered = new_layer<TagFilterModel>(combo, filter_name);
    if (filtered->sourceModel() != tags) filtered->setSourceModel(tags);
    if (filter) {
        filtered->set_filter([filter, argument](tag_handle handle) { return filter(handle, argument); });
    } else {
        filtered->set_filter({});
    }
    show_list(combo, filtered);
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
    if (combo && dx.is_loading()) fill_reference_picker(combo, group);
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
