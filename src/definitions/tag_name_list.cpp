#include "definitions/tag_name_list.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/sort.h"
#include "definitions/group_registry.h"
#include "tag_files/tag_directory.h"

namespace definitions {

namespace {

// Fixed-size so that the shared in-place sort can move it byte by byte.
struct listed_tag {
    int32_t subgroup;
    char name[tag_name_capacity];
};

// Byte order of the names as unsigned characters; a name sorts before any
// longer name it begins.
int compare_listed_names(const void* first, const void* second) {
    const auto* a = static_cast<const listed_tag*>(first);
    const auto* b = static_cast<const listed_tag*>(second);
    return std::strncmp(a->name, b->name, tag_name_capacity);
}

}  // namespace

void TagNameLists::rebuild_tag_list(tag_code group_tag, bool force) {
    if (!force && !keeps_tag_list(group_tag)) return;

    auto list = std::ranges::find(lists_, group_tag, &TagNameList::group_tag);
    if (list == lists_.end()) {
        lists_.push_back({group_tag, {}});
        list = std::prev(lists_.end());
    }
    list->entries.clear();
    list->entries.push_back({NONE, no_tag_name});

    // One walk of the directory: asking for the n-th tag walks it again each time.
    std::array<tag_handle, tag_group_list_limit> handles;
    const int32_t count = tag_list_of_group(group_tag, handles.data());
    std::vector<listed_tag> tags(static_cast<size_t>(count));
    for (int32_t n = 0; n < count; ++n) {
        const tag_handle handle = handles[static_cast<size_t>(n)];
        tags[n].subgroup = static_cast<int32_t>(tag_get_subgroup(handle));
        std::strncpy(tags[n].name, tag_get_name(handle), tag_name_capacity - 1);
        tags[n].name[tag_name_capacity - 1] = '\0';
    }
    sort_records(tags.data(), count, sizeof(listed_tag), compare_listed_names);
    for (const listed_tag& tag : tags) list->entries.push_back({tag.subgroup, tag.name});
}

const TagNameList* TagNameLists::find_tag_list(tag_code group_tag) const {
    const auto list = std::ranges::find(lists_, group_tag, &TagNameList::group_tag);
    return list == lists_.end() ? nullptr : &*list;
}

}  // namespace definitions
