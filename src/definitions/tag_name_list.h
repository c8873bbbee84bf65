#pragma once

// Per-group lists of tag names for reference pickers: "No Tag" first, then the
// group's tags in byte order of their names. Built from the tag directory on
// demand and rebuilt whenever the group's tags change.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/tag_code.h"

namespace definitions {

struct TagNameEntry {
    int32_t subgroup;  // NONE for "No Tag"
    std::string name;
};

struct TagNameList {
    tag_code group_tag;
    std::vector<TagNameEntry> entries;
};

inline constexpr const char* no_tag_name = "No Tag";

class TagNameLists {
public:
    // Without force, only groups whose registry row asks for a list are built.
    void rebuild_tag_list(tag_code group_tag, bool force);
    // The group's list, or nullptr when it was never built. Stays valid for the
    // life of this object.
    const TagNameList* find_tag_list(tag_code group_tag) const;

private:
    std::deque<TagNameList> lists_;
};

}  // namespace definitions
