#include "media/collection_writer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "media/stored_records.h"

namespace {

constexpr std::int16_t layout_flags = bitmap_flag_run_encoded | bitmap_flag_wide_pixels |
                                      bitmap_flag_wide_pixels_alternate | bitmap_flag_no_row_table |
                                      bitmap_flag_padded_rows;

template <std::size_t capacity>
void copy_name(char (&field)[capacity], const std::string& name) {
    std::memset(field, 0, capacity);
    std::memcpy(field, name.data(), std::min(name.size(), capacity - 1));
}

void append_big_endian_16(std::vector<std::byte>& bytes, std::uint16_t value) {
    const std::size_t position = bytes.size();
    bytes.resize(position + 2);
    store_big_endian_16(&bytes[position], value);
}

void append_encoded_row(std::vector<std::byte>& bytes, const std::uint16_t* row, int width, int bytes_per_pixel) {
    std::vector<std::pair<int, int>> spans;
    for (int column = 0; column < width;) {
        if (row[column] == 0) {
            ++column;
            continue;
        }
        const int first = column;
        while (column < width && row[column] != 0) {
            ++column;
        }
        spans.emplace_back(first, column);
    }
    int pixel_count = 0;
    for (const auto& [first, end] : spans) {
        pixel_count += end - first;
    }
    const std::size_t row_start = bytes.size();
    append_big_endian_16(bytes, std::uint16_t(spans.size()));
    append_big_endian_16(bytes, std::uint16_t(pixel_count));
    for (const auto& [first, end] : spans) {
        append_big_endian_16(bytes, std::uint16_t(first));
        append_big_endian_16(bytes, std::uint16_t(end));
    }
    for (const auto& [first, end] : spans) {
        for (int column = first; column < end; ++column) {
            if (bytes_per_pixel == 2) {
                append_big_endian_16(bytes, row[column]);
            } else {
                bytes.push_back(std::byte(row[column]));
            }
        }
    }
    if ((bytes.size() - row_start) & 1) {
        bytes.push_back(std::byte{0});
    }
}

bool bitmap_is_consistent(const collection_bitmap& source) {
    if (source.width < 0 || source.height < 0 || (source.bits_per_pixel != 8 && source.bits_per_pixel != 16) ||
        source.pixels.size() != std::size_t(source.width) * std::size_t(source.height) ||
        std::int32_t(source.width) * (source.bits_per_pixel / 8) > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    return source.bits_per_pixel == 16 ||
           std::all_of(source.pixels.begin(), source.pixels.end(), [](std::uint16_t pixel) { return pixel <= 0xFF; });
}

std::int16_t stored_bitmap_flags(const collection_bitmap& source) {
    std::int16_t flags = std::int16_t(source.flags & ~layout_flags);
    if (source.run_encoded) {
        flags |= bitmap_flag_run_encoded | bitmap_flag_padded_rows;
    }
    if (!source.row_table) {
        flags |= bitmap_flag_no_row_table;
    }
    if (source.bits_per_pixel == 16) {
        flags |= (source.flags & (bitmap_flag_wide_pixels | bitmap_flag_wide_pixels_alternate))
                     ? std::int16_t(source.flags & (bitmap_flag_wide_pixels | bitmap_flag_wide_pixels_alternate))
                     : bitmap_flag_wide_pixels;
    }
    return flags;
}

// Positions inside the data block, in the order the parts are laid out.
class DataLayout {
public:
    collection_section place(std::int64_t count, std::int64_t size) {
        collection_section section{};
        section.count = std::int32_t(count);
        section.offset = std::int32_t(position_);
        section.size = std::int32_t(size);
        position_ += size;
        fits_ = fits_ && count <= std::numeric_limits<std::int32_t>::max() &&
                position_ <= std::numeric_limits<std::int32_t>::max() - collection_header_size;
        return section;
    }
    std::int64_t size() const { return position_; }
    bool fits() const { return fits_; }

private:
    std::int64_t position_ = 0;
    bool fits_ = true;
};

template <typename Record>
void store_records(std::span<std::byte> data, const collection_section& section, const std::vector<Record>& records) {
    for (std::size_t index = 0; index < records.size(); ++index) {
        store_record(data, section.offset + std::int64_t(index * sizeof(Record)), records[index]);
    }
}

}  // namespace

std::optional<std::vector<std::byte>> encode_collection_bitmap(const collection_bitmap& source) {
    if (!bitmap_is_consistent(source)) {
        return std::nullopt;
    }
    const int bytes_per_pixel = source.bits_per_pixel / 8;
    bitmap header{};
    header.width = source.width;
    header.height = source.height;
    header.bytes_per_row = std::int16_t(source.width * bytes_per_pixel);
    header.flags = stored_bitmap_flags(source);
    const std::int64_t pixels_offset = bitmap_pixels_offset(header.flags, source.height);
    header.bits_per_pixel = source.bits_per_pixel;
    header.width_shift = source.width_shift;
    header.height_shift = source.height_shift;
    header.pixel_shift = std::int16_t(bytes_per_pixel / 2);
    header.pixel_format = source.pixel_format;
    byte_swap_records(&header, 1);

    // The row table starts at the header's last field, the pointer to the first row.
    std::vector<std::byte> bytes(std::size_t(pixels_offset), std::byte{0});
    std::memcpy(bytes.data(), &header, std::min(bytes.size(), std::size_t(bitmap_row_table_offset)));
    for (int row = 0; row < source.height; ++row) {
        const std::uint16_t* pixels = &source.pixels[std::size_t(row) * std::size_t(source.width)];
        if (source.run_encoded) {
            append_encoded_row(bytes, pixels, source.width, bytes_per_pixel);
            continue;
        }
        for (int column = 0; column < source.width; ++column) {
            if (bytes_per_pixel == 2) {
                append_big_endian_16(bytes, pixels[column]);
            } else {
                bytes.push_back(std::byte(pixels[column]));
            }
        }
    }
    return bytes;
}

std::optional<std::vector<std::byte>> write_collection(const collection_source& source) {
    std::vector<std::vector<std::byte>> bitmap_data;
    for (const collection_bitmap& bitmap_source : source.bitmaps) {
        auto encoded = encode_collection_bitmap(bitmap_source);
        if (!encoded) {
            return std::nullopt;
        }
        bitmap_data.push_back(std::move(*encoded));
    }
    for (const sequence_contents& contents : source.sequences) {
        if (contents.head.views < 0 ||
            contents.instance_indexes.size() != contents.frames.size() * std::size_t(contents.head.views) ||
            contents.frames.size() > std::size_t(std::numeric_limits<std::int16_t>::max())) {
            return std::nullopt;
        }
    }

    collection_header header{};
    header.flags = source.flags;
    header.data_offset = collection_header_size;
    DataLayout layout;
    header.color_tables = layout.place(source.color_tables.size(), source.color_tables.size() * sizeof(color_table));
    header.hue_changes = layout.place(source.hue_changes.size(), source.hue_changes.size() * sizeof(hue_change));
    header.bitmap_instances =
        layout.place(source.bitmap_instances.size(), source.bitmap_instances.size() * sizeof(bitmap_instance));
    header.sequence_references =
        layout.place(source.sequences.size(), source.sequences.size() * sizeof(sequence_reference));
    header.shadow_maps = layout.place(source.shadow_maps.size(), source.shadow_maps.size() * sizeof(shadow_map));
    std::vector<sequence_reference> sequence_references(source.sequences.size());
    for (std::size_t index = 0; index < source.sequences.size(); ++index) {
        const sequence_contents& contents = source.sequences[index];
        const collection_section place = layout.place(
            1, std::int64_t(sizeof(sequence)) + std::int64_t(contents.frames.size()) * sequence_frame_size(contents.head.views));
        copy_name(sequence_references[index].name, contents.name);
        sequence_references[index].data_offset = place.offset;
        sequence_references[index].data_size = place.size;
    }
    std::vector<bitmap_reference> bitmap_references(source.bitmaps.size());
    for (std::size_t index = 0; index < source.bitmaps.size(); ++index) {
        const collection_section place = layout.place(1, std::int64_t(bitmap_data[index].size()));
        copy_name(bitmap_references[index].name, source.bitmaps[index].name);
        bitmap_references[index].data_offset = place.offset;
        bitmap_references[index].data_size = place.size;
        bitmap_references[index].width = source.bitmaps[index].width;
        bitmap_references[index].height = source.bitmaps[index].height;
    }
    header.bitmap_references =
        layout.place(source.bitmaps.size(), source.bitmaps.size() * sizeof(bitmap_reference));
    if (!layout.fits()) {
        return std::nullopt;
    }
    header.data_size = std::int32_t(layout.size());

    std::vector<std::byte> tag(std::size_t(collection_header_size + layout.size()));
    store_record(tag, 0, header);
    const std::span<std::byte> data = std::span(tag).subspan(collection_header_size);
    store_records(data, header.color_tables, source.color_tables);
    store_records(data, header.hue_changes, source.hue_changes);
    store_records(data, header.bitmap_instances, source.bitmap_instances);
    store_records(data, header.sequence_references, sequence_references);
    store_records(data, header.shadow_maps, source.shadow_maps);
    store_records(data, header.bitmap_references, bitmap_references);
    for (std::size_t index = 0; index < source.sequences.size(); ++index) {
        const sequence_contents& contents = source.sequences[index];
        sequence head = contents.head;
        head.frames = std::int16_t(contents.frames.size());
        std::int64_t position = sequence_references[index].data_offset;
        store_record(data, position, head);
        position += sizeof(sequence);
        for (std::size_t frame = 0; frame < contents.frames.size(); ++frame) {
            store_record(data, position, contents.frames[frame]);
            position += sizeof(sequence_frame);
            for (std::int16_t view = 0; view < head.views; ++view) {
                store_big_endian_16(&data[std::size_t(position)],
                                    std::uint16_t(contents.instance_indexes[frame * std::size_t(head.views) + std::size_t(view)]));
                position += 2;
            }
        }
    }
    for (std::size_t index = 0; index < bitmap_data.size(); ++index) {
        std::memcpy(&data[std::size_t(bitmap_references[index].data_offset)], bitmap_data[index].data(),
                    bitmap_data[index].size());
    }
    return tag;
}
