#include "media/collection_reader.h"

#include <cstring>

#include "media/stored_records.h"

namespace {

struct section_rule {
    collection_section collection_header::*section;
    std::int64_t element_size;  // 0: a byte table without elements
};

constexpr section_rule section_rules[] = {
    {&collection_header::color_tables, sizeof(color_table)},
    {&collection_header::hue_changes, sizeof(hue_change)},
    {&collection_header::bitmap_references, sizeof(bitmap_reference)},
    {&collection_header::bitmap_instances, sizeof(bitmap_instance)},
    {&collection_header::sequence_references, sizeof(sequence_reference)},
    {&collection_header::shadow_maps, sizeof(shadow_map)},
    {&collection_header::remapping_table_a, 0},
    {&collection_header::remapping_table_b, 0},
};

bool section_fits(const collection_section& section, std::int64_t element_size, std::int64_t data_size) {
    return section.count >= 0 && range_fits(section.offset, section.size, data_size) &&
           std::int64_t(section.count) * element_size <= section.size;
}

template <typename Record>
bool load_section(const collection_view& collection, const collection_section& section, std::vector<Record>& records) {
    return load_records(collection.data, section.offset, section.count, records);
}

// Names are kept NUL-terminated so that every later reader stops inside the field.
template <typename Record>
void terminate_names(std::vector<Record>& records) {
    for (Record& record : records) {
        record.name[collection_name_capacity - 1] = '\0';
    }
}

bool color_count_fits(const color_table& table) {
    return table.count >= 0 && table.count <= color_table_capacity;
}

std::optional<std::span<const std::byte>> referenced_data(const collection_view& collection, std::int32_t offset,
                                                          std::int32_t size) {
    if (!range_fits(offset, size, std::int64_t(collection.data.size()))) {
        return std::nullopt;
    }
    return collection.data.subspan(std::size_t(offset), std::size_t(size));
}

// unread_bytes: what the sequences read so far leave of the data block. Each
// sequence has data of its own, so together they never read more than the block
// holds; references that all name one large sequence would otherwise multiply
// the memory a small tag takes.
bool load_sequence(const collection_view& collection, const sequence_reference& reference, sequence_contents& contents,
                   std::int64_t& unread_bytes) {
    const auto data = referenced_data(collection, reference.data_offset, reference.data_size);
    if (!data || !load_record(*data, 0, contents.head)) {
        return false;
    }
    const std::int64_t views = contents.head.views;
    const std::int64_t frames = contents.head.frames;
    if (views < 0 || frames < 0 || !range_fits(sizeof(sequence), frames * sequence_frame_size(views), std::int64_t(data->size()))) {
        return false;
    }
    const std::int64_t used_bytes = std::int64_t(sizeof(sequence)) + frames * sequence_frame_size(views);
    if (used_bytes > unread_bytes) {
        return false;
    }
    unread_bytes -= used_bytes;
    contents.name = collection_name(reference.name);
    contents.frames.resize(std::size_t(frames));
    contents.instance_indexes.resize(std::size_t(frames * views));
    for (std::int64_t frame = 0; frame < frames; ++frame) {
        const std::int64_t position = std::int64_t(sizeof(sequence)) + frame * sequence_frame_size(views);
        load_record(*data, position, contents.frames[std::size_t(frame)]);
        for (std::int64_t view = 0; view < views; ++view) {
            contents.instance_indexes[std::size_t(frame * views + view)] =
                std::int16_t(load_big_endian_16(&(*data)[std::size_t(position + sizeof(sequence_frame) + 2 * view)]));
        }
    }
    return true;
}

}  // namespace

std::optional<collection_view> open_collection(std::span<const std::byte> tag_data) {
    collection_view collection{};
    if (!load_record(tag_data, 0, collection.header)) {
        return std::nullopt;
    }
    const collection_header& header = collection.header;
    if (header.data_offset != collection_header_size ||
        !range_fits(header.data_offset, header.data_size, std::int64_t(tag_data.size()))) {
        return std::nullopt;
    }
    for (const section_rule& rule : section_rules) {
        if (!section_fits(header.*rule.section, rule.element_size, header.data_size)) {
            return std::nullopt;
        }
    }
    collection.data = tag_data.subspan(std::size_t(header.data_offset), std::size_t(header.data_size));
    return collection;
}

std::string collection_name(const char (&name)[collection_name_capacity]) {
    return std::string(name, strnlen(name, collection_name_capacity - 1));
}

std::optional<std::vector<std::string>> read_sequence_names(std::span<const std::byte> tag_data) {
    const auto collection = open_collection(tag_data);
    std::vector<sequence_reference> references;
    if (!collection || !load_section(*collection, collection->header.sequence_references, references)) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    names.reserve(references.size());
    for (const sequence_reference& reference : references) {
        names.push_back(collection_name(reference.name));
    }
    return names;
}

std::optional<std::span<const std::byte>> bitmap_data_of(const collection_view& collection,
                                                         const bitmap_reference& reference) {
    return referenced_data(collection, reference.data_offset, reference.data_size);
}

std::optional<expanded_bitmap> expand_collection_bitmap(const collection_view& collection,
                                                        const bitmap_reference& reference) {
    const auto data = bitmap_data_of(collection, reference);
    if (!data) {
        return std::nullopt;
    }
    return expand_bitmap(*data);
}

std::optional<collection_display> read_collection_for_display(std::span<const std::byte> tag_data,
                                                              std::int32_t bitmap_index) {
    const auto collection = open_collection(tag_data);
    if (!collection) {
        return std::nullopt;
    }
    collection_display display{};
    display.header = collection->header;
    std::vector<color_table> first_table;
    const collection_section& tables = collection->header.color_tables;
    if (!load_section(*collection, collection->header.hue_changes, display.hue_changes) ||
        !load_section(*collection, collection->header.bitmap_references, display.bitmap_references) ||
        !load_records(collection->data, tables.offset, tables.count > 0 ? 1 : 0, first_table)) {
        return std::nullopt;
    }
    terminate_names(display.hue_changes);
    terminate_names(display.bitmap_references);
    if (!first_table.empty()) {
        if (!color_count_fits(first_table.front())) {
            return std::nullopt;
        }
        display.colors = first_table.front();
    }
    if (bitmap_index >= 0 && std::size_t(bitmap_index) < display.bitmap_references.size()) {
        display.image = expand_collection_bitmap(*collection, display.bitmap_references[std::size_t(bitmap_index)]);
        if (!display.image) {
            return std::nullopt;
        }
    }
    return display;
}

std::optional<collection_contents> read_collection_contents(std::span<const std::byte> tag_data) {
    const auto collection = open_collection(tag_data);
    if (!collection) {
        return std::nullopt;
    }
    const collection_header& header = collection->header;
    collection_contents contents{};
    contents.header = header;
    std::vector<sequence_reference> sequence_references;
    if (!load_section(*collection, header.color_tables, contents.color_tables) ||
        !load_section(*collection, header.hue_changes, contents.hue_changes) ||
        !load_section(*collection, header.bitmap_references, contents.bitmap_references) ||
        !load_section(*collection, header.bitmap_instances, contents.bitmap_instances) ||
        !load_section(*collection, header.sequence_references, sequence_references) ||
        !load_section(*collection, header.shadow_maps, contents.shadow_maps)) {
        return std::nullopt;
    }
    for (const color_table& table : contents.color_tables) {
        if (!color_count_fits(table)) {
            return std::nullopt;
        }
    }
    for (const bitmap_reference& reference : contents.bitmap_references) {
        if (!bitmap_data_of(*collection, reference)) {
            return std::nullopt;
        }
    }
    terminate_names(contents.hue_changes);
    terminate_names(contents.bitmap_references);
    contents.sequences.resize(sequence_references.size());
    std::int64_t unread_sequence_bytes = std::int64_t(collection->data.size());
    for (std::size_t index = 0; index < sequence_references.size(); ++index) {
        if (!load_sequence(*collection, sequence_references[index], contents.sequences[index], unread_sequence_bytes)) {
            return std::nullopt;
        }
    }
    return contents;
}
