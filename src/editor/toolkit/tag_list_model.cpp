#include "editor/toolkit/tag_list_model.h"

#include "definitions/tag_name_list.h"
#include "editor/character_translation.h"

#include <array>

namespace toolkit {

void TagListModel::replace(std::vector<TagListEntry> entries) {
    if (entries == entries_) return;
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int TagListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

// Names are turned into display text only for the rows a view asks for: a
// picker of a thousand tags draws a dozen of them.
QVariant TagListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TagListEntry& listed = entry(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) return text_from_windows_1252(listed.name);
    if (role == Qt::UserRole) return listed.subgroup;
    return {};
}

std::vector<TagListEntry> entries_of(const definitions::TagNameList& list) {
    std::vector<TagListEntry> entries;
    entries.reserve(list.entries.size());
    for (const definitions::TagNameEntry& listed : list.entries) entries.push_back({listed.subgroup, NONE, listed.name});
    return entries;
}

std::vector<TagListEntry> directory_entries(tag_code group) {
    std::array<tag_handle, tag_group_list_limit> handles;
    const int32_t count = tag_list_of_group(group, handles.data());
    std::vector<TagListEntry> entries;
    entries.reserve(static_cast<size_t>(count) + 1);
    entries.push_back({NONE, NONE, definitions::no_tag_name});
    for (int32_t n = 0; n < count; ++n)
        entries.push_back({static_cast<int32_t>(tag_get_subgroup(handles[n])), handles[n], tag_get_name(handles[n])});
    return entries;
}

}  // namespace toolkit
