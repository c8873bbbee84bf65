// Random bytes as the data of one bitmap of a collection.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/bitmap_expansion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = expand_bitmap(std::span(reinterpret_cast<const std::byte*>(data), size));
    if (image && image->indexes.size() != std::size_t(image->width) * std::size_t(image->height)) {
        __builtin_trap();
    }
    return 0;
}
