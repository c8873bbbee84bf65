#pragma once

#include "core/file_reference.h"

// One listing at a time; starting another abandons the one under way. A recursive
// listing enters sub-folders depth first, at most 8 levels counting the first.
void begin_folder_listing(bool recursive, const file_reference& folder);
bool next_file_in_listing(file_reference& file);
