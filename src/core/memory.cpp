#include "core/memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Each block carries its size in a header sized to keep the caller's bytes at the
// strictest fundamental alignment.
struct alignas(alignof(std::max_align_t)) block_header {
    std::size_t size;
};
constexpr std::size_t header_size = sizeof(block_header);

block_header* header_of(const void* block) {
    return const_cast<block_header*>(reinterpret_cast<const block_header*>(block) - 1);
}

void* contents_of(block_header* header) { return header + 1; }

bool size_too_large(std::size_t size) { return size > SIZE_MAX - header_size; }

}  // namespace

void* allocate_memory(std::size_t size) {
    if (size_too_large(size)) return nullptr;
    auto* header = static_cast<block_header*>(std::calloc(1, header_size + size));
    if (!header) return nullptr;
    header->size = size;
    return contents_of(header);
}

void dispose_pointer(void* block) {
    if (block) std::free(header_of(block));
}

void* resize_memory(void* block, std::size_t size) {
    if (!block) return size == 0 ? nullptr : allocate_memory(size);
    if (size == 0) {
        dispose_pointer(block);
        return nullptr;
    }
    if (size == memory_size(block)) return block;
    if (size_too_large(size)) return nullptr;
    auto* header = static_cast<block_header*>(std::realloc(header_of(block), header_size + size));
    if (!header) return nullptr;
    header->size = size;
    return contents_of(header);
}

std::size_t memory_size(const void* block) { return block ? header_of(block)->size : 0; }
