#pragma once

// The tags of one group as a list that reference pickers show: "No Tag" (item
// data NONE) first, then the tags, each with its subgroup as item data. One model
// per group and order is shared by every picker of every form; a picker that
// needs something of its own (a filter, its stored tag that the list lacks)
// layers a proxy over it rather than copying it.

#include "core/tag_code.h"
#include "tag_files/tag_directory.h"

#include <QAbstractListModel>

#include <cstdint>
#include <string>
#include <vector>

namespace definitions {
struct TagNameList;
}

namespace toolkit {

struct TagListEntry {
    int32_t subgroup;  // NONE for "No Tag"
    tag_handle handle;  // NONE where the list was not taken from the directory
    std::string name;   // as stored: the game's character set

    bool operator==(const TagListEntry&) const = default;
};

class TagListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // Takes the new entries; views are reset only when they differ, so that an
    // unchanged group keeps every open picker's selection.
    void replace(std::vector<TagListEntry> entries);
    const TagListEntry& entry(int row) const { return entries_[static_cast<size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<TagListEntry> entries_;
};

// "No Tag", then the entries of the group's tag-name list (sorted by name).
std::vector<TagListEntry> entries_of(const definitions::TagNameList& list);
// "No Tag", then the group's visible tags in directory order.
std::vector<TagListEntry> directory_entries(tag_code group);

}  // namespace toolkit
