#include "media/bitmap_expansion.h"

#include <algorithm>
#include <cstring>

#include "media/stored_records.h"

namespace {

// Reads encoded rows one after another, never past the end of the data.
class EncodedRowReader {
public:
    EncodedRowReader(std::span<const std::byte> data, std::int64_t position, int bytes_per_pixel, bool padded)
        : data_(data), position_(position), bytes_per_pixel_(bytes_per_pixel), padded_(padded) {}

    // Draws the next row into row (width entries, already 0); false when the row
    // is malformed or runs past the data.
    bool expand_row(std::span<std::uint8_t> row) {
        const std::int64_t size = std::int64_t(data_.size());
        if (!range_fits(position_, 4, size)) {
            return false;
        }
        const std::int16_t span_count = std::int16_t(load_big_endian_16(&data_[position_]));
        const std::int16_t pixel_count = std::int16_t(load_big_endian_16(&data_[position_ + 2]));
        if (span_count < 0 || pixel_count < 0) {
            return false;
        }
        const std::int64_t spans_position = position_ + 4;
        const std::int64_t pixels_position = spans_position + 4 * std::int64_t(span_count);
        const std::int64_t pixel_bytes = std::int64_t(pixel_count) * bytes_per_pixel_;
        if (!range_fits(pixels_position, pixel_bytes, size)) {
            return false;
        }
        std::int64_t pixels_used = 0;
        for (std::int64_t span = 0; span < span_count; ++span) {
            const std::byte* stored_span = &data_[spans_position + 4 * span];
            const std::int64_t first = std::int16_t(load_big_endian_16(stored_span));
            const std::int64_t end = std::int16_t(load_big_endian_16(stored_span + 2));
            if (end < first || pixels_used + (end - first) > pixel_count) {
                return false;
            }
            draw_span(row, first, end, pixels_position + pixels_used * bytes_per_pixel_);
            pixels_used += end - first;
        }
        if (pixels_used != pixel_count) {
            return false;
        }
        std::int64_t row_length = 4 + 4 * std::int64_t(span_count) + pixel_bytes;
        if (padded_ && (row_length & 1) != 0) {
            ++row_length;
        }
        position_ += row_length;
        return true;
    }

private:
    // Columns outside 0..width are dropped; the pixels still count.
    void draw_span(std::span<std::uint8_t> row, std::int64_t first, std::int64_t end, std::int64_t pixels) const {
        const std::int64_t width = std::int64_t(row.size());
        const std::int64_t visible_first = std::clamp<std::int64_t>(first, 0, width);
        const std::int64_t visible_end = std::clamp<std::int64_t>(end, 0, width);
        if (visible_first >= visible_end) {
            return;
        }
        const std::byte* source = &data_[pixels + (visible_first - first) * bytes_per_pixel_];
        // Two-byte pixels are big-endian: the colour index is the second byte.
        const std::byte* index = source + (bytes_per_pixel_ - 1);
        for (std::int64_t column = visible_first; column < visible_end; ++column) {
            row[column] = std::to_integer<std::uint8_t>(*index);
            index += bytes_per_pixel_;
        }
    }

    std::span<const std::byte> data_;
    std::int64_t position_;
    int bytes_per_pixel_;
    bool padded_;
};

bool expand_unencoded(std::span<const std::byte> data, const bitmap& header, std::int64_t pixels_position,
                      int bytes_per_pixel, expanded_bitmap& image) {
    const std::int64_t width = header.width;
    const std::int64_t pitch = header.bytes_per_row;
    if (image.indexes.empty()) {
        return true;
    }
    if (!range_fits(pixels_position, (header.height - 1) * pitch + width * bytes_per_pixel, std::int64_t(data.size()))) {
        return false;
    }
    for (std::int64_t row = 0; row < header.height; ++row) {
        const std::byte* source = &data[pixels_position + row * pitch];
        std::uint8_t* target = &image.indexes[row * width];
        if (bytes_per_pixel == 1) {
            std::memcpy(target, source, static_cast<std::size_t>(width));
        } else {
            for (std::int64_t column = 0; column < width; ++column) {
                target[column] = std::to_integer<std::uint8_t>(source[2 * column + 1]);
            }
        }
    }
    return true;
}

}  // namespace

std::optional<bitmap> read_bitmap_header(std::span<const std::byte> bitmap_data) {
    bitmap header{};
    // The runtime pointer at the end of the header doubles as the first row table
    // entry, so a bitmap with a row table and no rows is shorter than the header.
    if (bitmap_data.size() < bitmap_row_table_offset) {
        return std::nullopt;
    }
    std::memcpy(&header, bitmap_data.data(), std::min(bitmap_data.size(), sizeof(bitmap)));
    byte_swap_records(&header, 1);
    if (header.width < 0 || header.height < 0 || (header.bits_per_pixel != 8 && header.bits_per_pixel != 16)) {
        return std::nullopt;
    }
    const bool encoded = (header.flags & bitmap_flag_run_encoded) != 0;
    if (!encoded && header.bytes_per_row < std::int64_t(header.width) * (header.bits_per_pixel / 8)) {
        return std::nullopt;
    }
    if (!range_fits(0, bitmap_pixels_offset(header.flags, header.height), std::int64_t(bitmap_data.size()))) {
        return std::nullopt;
    }
    return header;
}

std::optional<expanded_bitmap> expand_bitmap(std::span<const std::byte> bitmap_data) {
    const std::optional<bitmap> header = read_bitmap_header(bitmap_data);
    if (!header) {
        return std::nullopt;
    }
    if (std::int64_t(header->width) * header->height > expanded_bitmap_maximum_pixels) {
        return std::nullopt;
    }
    const int bytes_per_pixel = header->bits_per_pixel / 8;
    const std::int64_t pixels_position = bitmap_pixels_offset(header->flags, header->height);
    expanded_bitmap image;
    image.width = header->width;
    image.height = header->height;
    image.indexes.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    if ((header->flags & bitmap_flag_run_encoded) == 0) {
        if (!expand_unencoded(bitmap_data, *header, pixels_position, bytes_per_pixel, image)) {
            return std::nullopt;
        }
        return image;
    }
    EncodedRowReader rows(bitmap_data, pixels_position, bytes_per_pixel, (header->flags & bitmap_flag_padded_rows) != 0);
    for (std::int32_t row = 0; row < image.height; ++row) {
        const std::span<std::uint8_t> target(image.indexes.data() + std::size_t(row) * std::size_t(image.width),
                                             std::size_t(image.width));
        if (!rows.expand_row(target)) {
            return std::nullopt;
        }
    }
    return image;
}
