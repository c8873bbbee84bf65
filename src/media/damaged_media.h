#pragma once

// What the readers of the groups with data of their own (fonts, sounds,
// collections and the bitmaps and sequences inside them) make of a tag's bytes,
// for the check over all tags: each damaged tag once, with the reader's reason.

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "core/tag_code.h"

namespace references {

// Nothing for a tag its group's reader takes, or for a group without one.
std::optional<std::string> media_data_problem(tag_code group, std::span<const std::byte> data);

}  // namespace references
