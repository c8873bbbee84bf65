// Random bytes as a BMP file: read for each import kind and laid out as that
// kind's collection, which must then read back.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/bmp_import.h"
#include "media/bmp_reader.h"
#include "media/collection_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> file(reinterpret_cast<const std::byte*>(data), size);
    const bitmap_import_kind kind = bitmap_import_kind(size % 3);
    const bitmap_import_size kind_size = bitmap_import_kind_size(kind);
    const bmp_read_result result = read_bmp(file, kind_size.width, kind_size.height);
    if (result.problem != bmp_problem::none) {
        return 0;
    }
    const bmp_image& image = result.image;
    if (image.crop_width > image.width || image.crop_height > image.height ||
        image.pixels.size() != std::size_t(image.crop_width) * std::size_t(image.crop_height)) {
        __builtin_trap();
    }
    const auto tag = write_collection(bitmap_import_collection(kind, image));
    if (!tag || !read_collection_for_display(*tag, 0)) {
        __builtin_trap();
    }
    return 0;
}
