#pragma once

// Memory blocks that know their own size. Blocks come zero-filled; whoever
// allocates a block disposes of it. None of these report a shortage: the caller
// reports "couldn't allocate ..." with error_out_of_memory, which ends the program.

#include <cstddef>

// A zero-filled block of size bytes (0 is allowed), or nullptr when memory is short.
void* allocate_memory(std::size_t size);

// Frees a block from allocate_memory or resize_memory; nullptr is ignored.
void dispose_pointer(void* block);

// Without a block: allocates (nullptr for size 0). Size 0: frees the block and
// returns nullptr. The same size returns the same block. Otherwise the block is
// resized and may move; bytes added are not cleared. On shortage returns nullptr
// and leaves the old block as it was.
void* resize_memory(void* block, std::size_t size);

// The size in bytes the block was allocated or resized to; 0 for nullptr.
std::size_t memory_size(const void* block);
