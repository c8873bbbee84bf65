#include "tag_files/tag_change_listener.h"

#include <utility>

namespace {

tag_change_listener& listener() {
    static tag_change_listener installed;
    return installed;
}

}  // namespace

void tag_set_change_listener(tag_change_listener installed) { listener() = std::move(installed); }

void tag_about_to_change(tag_code group, tag_code subgroup) {
    if (listener()) listener()(group, subgroup);
}
