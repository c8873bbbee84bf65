#pragma once

// In-place heap sort over fixed-size records, for tables that must not allocate.

#include <cstddef>
#include <cstdint>

// Negative, 0 or positive as the first record sorts before, with or after the second.
using record_comparison = int (*)(const void* first, const void* second);

// Sorts count records of element_size bytes ascending; equal records may change order.
void sort_records(void* records, int32_t count, std::size_t element_size, record_comparison compare);
