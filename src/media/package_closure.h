#pragma once

// What a package of chosen tags needs besides them: the local tags they use,
// transitively, and the references only tags of other plugins answer. The walk
// goes on through local tags only, since a tag of another file travels with
// that file; saved games, preferences and recordings are never packaged.

#include <cstddef>
#include <string>
#include <vector>

#include "media/reference_index.h"
#include "tag_files/tag_directory.h"

namespace references {

// Groups whose tags no plugin holds.
bool is_never_packaged(tag_code group);

struct NeededTag {
    tag_handle handle = NONE;
    std::size_t user = 0;  // index of the tag whose reference needs it
    std::string field;
};

struct PackageClosure {
    std::vector<NeededTag> added;         // local tags, in the order found
    std::vector<NeededTag> dependencies;  // tags of other plugins
};

PackageClosure package_closure(const ReferenceIndex& index, const std::vector<tag_handle>& chosen);

}  // namespace references
