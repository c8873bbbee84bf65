#pragma once

// A small collection with one of everything the writer lays out, for the
// reader, round-trip and tag tests.

#include <cstring>
#include <string>

#include "media/collection_writer.h"

namespace media_test {

inline collection_bitmap sample_bitmap(std::string name, std::int16_t width, std::int16_t height, int bits_per_pixel,
                                       bool run_encoded, bool row_table, unsigned seed) {
    collection_bitmap picture;
    picture.name = std::move(name);
    picture.width = width;
    picture.height = height;
    picture.bits_per_pixel = std::int16_t(bits_per_pixel);
    picture.run_encoded = run_encoded;
    picture.row_table = row_table;
    for (int index = 0; index < width * height; ++index) {
        // Runs of transparent pixels between coloured ones, so that rows have several spans.
        const unsigned value = (unsigned(index) * 2654435761u + seed) >> 13;
        const bool transparent = (value % 5) < 2;
        const std::uint16_t colour = std::uint16_t(1 + value % 255);
        picture.pixels.push_back(transparent ? 0 : bits_per_pixel == 16 ? std::uint16_t(colour | ((value % 16) << 8)) : colour);
    }
    return picture;
}

inline collection_source sample_collection() {
    collection_source source;
    source.flags = collection_flag_keep_color_zero;
    for (int table_index = 0; table_index < 2; ++table_index) {
        color_table table{};
        table.count = 200 + table_index;
        for (int index = 0; index < color_table_capacity; ++index) {
            table.colors[index] = rgb_color{std::uint16_t(index * 256), std::uint16_t(65535 - index),
                                            std::uint16_t(index * 97 + table_index), std::uint16_t(index % 8)};
        }
        source.color_tables.push_back(table);
    }
    for (const char* name : {"skin", "cloth"}) {
        hue_change change{};
        std::strcpy(change.name, name);
        change.hue_lower = 60000;
        change.hue_upper = 5000;
        change.member_mask[3] = 0xA5;
        change.minimum_saturation = 1234;
        change.base_hue = -300;
        change.flags = 2;
        source.hue_changes.push_back(change);
    }
    source.bitmaps.push_back(sample_bitmap("plain", 13, 7, 8, false, true, 1));
    source.bitmaps.push_back(sample_bitmap("encoded", 21, 9, 8, true, false, 2));
    source.bitmaps.push_back(sample_bitmap("wide encoded", 11, 5, 16, true, true, 3));
    source.bitmaps.push_back(sample_bitmap("wide plain", 6, 4, 16, false, false, 4));
    for (std::int16_t index = 0; index < 4; ++index) {
        bitmap_instance instance{};
        instance.flags = index % 2;
        instance.origin_x = std::int16_t(index + 3);
        instance.origin_y = -7;
        instance.second_point_x = 1000;
        instance.second_point_y = std::int16_t(-index);
        instance.bitmap_index = index;
        source.bitmap_instances.push_back(instance);
    }
    sequence walking{};
    walking.flags = sequence_flag_mirrored_views | sequence_flag_imported;
    walking.scale = 0x18000;
    walking.views = 2;
    walking.engine_word = 1;
    walking.engine_indexes[1] = -1;
    walking.engine_longs[2] = 123456789;
    walking.scaled_measures[0] = -65536;
    sequence_frame frame{};
    frame.key = -1;
    frame.engine_words[2] = 77;
    source.sequences.push_back({"walking", walking, {frame, frame, frame}, {0, 1, 2, 3, 1, 0}});
    sequence standing{};
    standing.views = 0;
    source.sequences.push_back({"standing", standing, {}, {}});
    shadow_map shadow{};
    shadow.engine_longs[1] = 42;
    shadow.engine_word = -2;
    source.shadow_maps.push_back(shadow);
    return source;
}

}  // namespace media_test
