#pragma once

// Reading and writing a record's integer field of a given width and signedness
// through an untyped pointer, so one exchange routine serves fields declared with
// any integer type of that width.

#include "editor/toolkit/field_conversions.h"

#include <cstdint>

namespace toolkit {

int64_t load_stored(const void* field, Storage storage);
void store_stored(void* field, Storage storage, int64_t value);

}  // namespace toolkit
