#pragma once

// One listener is told of every tag a change is about to touch, before the
// first byte of it changes: creating, writing, replacing, renaming, changing
// the header, copying to the local folder, deleting. A history of changes takes
// the tag's state there.

#include <functional>

#include "core/tag_code.h"

using tag_change_listener = std::function<void(tag_code group, tag_code subgroup)>;

// Replaces the listener; an empty one stops the telling.
void tag_set_change_listener(tag_change_listener listener);

// Tells the listener, if any, that the tag is about to change.
void tag_about_to_change(tag_code group, tag_code subgroup);
