#include "core/sort.h"

#include <utility>

namespace {

void swap_bytes(unsigned char* first, unsigned char* second, std::size_t size) {
    for (std::size_t index = 0; index < size; ++index) std::swap(first[index], second[index]);
}

// Moves the record at root down until neither child is larger; the heap is the
// first end records.
void sift_down(unsigned char* records, std::size_t root, std::size_t end, std::size_t size,
               record_comparison compare) {
    for (;;) {
        std::size_t child = 2 * root + 1;
        if (child >= end) return;
        if (child + 1 < end && compare(records + child * size, records + (child + 1) * size) < 0) ++child;
        if (compare(records + root * size, records + child * size) >= 0) return;
        swap_bytes(records + root * size, records + child * size, size);
        root = child;
    }
}

}  // namespace

void sort_records(void* records, int32_t count, std::size_t element_size, record_comparison compare) {
    if (count < 2 || element_size == 0 || !records) return;
    auto* bytes = static_cast<unsigned char*>(records);
    const auto total = static_cast<std::size_t>(count);
    for (std::size_t root = total / 2; root-- > 0;) sift_down(bytes, root, total, element_size, compare);
    for (std::size_t end = total - 1; end > 0; --end) {
        swap_bytes(bytes, bytes + end * element_size, element_size);
        sift_down(bytes, 0, end, element_size, compare);
    }
}
