#include "media/package_closure.h"

#include <algorithm>
#include <iterator>

#include "tag_files/tag_header.h"

namespace references {

namespace {

constexpr tag_code never_packaged[] = {make_tag("save"), make_tag("pref"), make_tag("reco")};

}  // namespace

bool is_never_packaged(tag_code group) {
    return std::ranges::find(never_packaged, group) != std::end(never_packaged);
}

PackageClosure package_closure(const ReferenceIndex& index, const std::vector<tag_handle>& chosen) {
    PackageClosure closure;
    std::vector<std::size_t> pending;
    std::vector<bool> taken(index.tags().size(), false);
    for (const tag_handle handle : chosen) {
        if (const auto tag = index.find(tag_get_group(handle), tag_get_subgroup(handle))) {
            taken[*tag] = true;
            pending.push_back(*tag);
        }
    }
    for (std::size_t next = 0; next < pending.size(); ++next) {
        for (const Reference* use : index.uses(pending[next])) {
            if (!use->to || taken[*use->to]) continue;
            taken[*use->to] = true;
            const TagEntry& used = index.tags()[*use->to];
            const tag_handle handle = tag_find(used.group, used.subgroup);
            if (tag_get_file_type(handle) == tag_file_type_plugin) {
                closure.dependencies.push_back({handle, use->from, use->field});
            } else if (tag_get_file_type(handle) == tag_file_type_local && !is_never_packaged(used.group)) {
                closure.added.push_back({handle, use->from, use->field});
                pending.push_back(*use->to);
            }
        }
    }
    return closure;
}

}  // namespace references
