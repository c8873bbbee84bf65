#include "cli/demo_collection.h"

#include <cstring>

namespace cli {

namespace {

constexpr std::int16_t figure_size = 32;
constexpr int pose_count = 4;
// Palette: 1-63 a skin ramp, 64-127 a cloth ramp, 128-255 greys.
constexpr int skin_first = 1;
constexpr int cloth_first = 64;
constexpr int ramp_length = 63;

color_table demo_palette() {
    color_table table{};
    table.count = color_table_capacity;
    for (int index = 0; index < color_table_capacity; ++index) {
        const auto level = static_cast<std::uint16_t>((index % 64) * 1040);
        rgb_color& color = table.colors[index];
        if (index >= skin_first && index < skin_first + ramp_length) {
            color = {static_cast<std::uint16_t>(20000 + level), static_cast<std::uint16_t>(12000 + level * 3 / 4),
                     static_cast<std::uint16_t>(8000 + level / 2), 0};
        } else if (index >= cloth_first && index < cloth_first + ramp_length) {
            color = {static_cast<std::uint16_t>(level / 4), static_cast<std::uint16_t>(level / 3), level, 0};
        } else {
            const auto grey = static_cast<std::uint16_t>(index * 257);
            color = {grey, grey, grey, 0};
        }
    }
    return table;
}

hue_change demo_hue_change(const char* name, int first, std::uint16_t lower, std::uint16_t upper) {
    hue_change change{};
    std::strncpy(change.name, name, sizeof change.name - 1);
    change.hue_lower = lower;
    change.hue_upper = upper;
    for (int index = first; index < first + ramp_length; ++index) {
        change.member_mask[index / 8] = static_cast<std::uint8_t>(change.member_mask[index / 8] | (1 << (index % 8)));
    }
    change.minimum_saturation = 4096;
    return change;
}

// A round head over a body whose legs swing with the pose.
collection_bitmap demo_pose(int pose) {
    collection_bitmap picture;
    picture.name = "pose " + std::to_string(pose + 1);
    picture.width = figure_size;
    picture.height = figure_size;
    picture.run_encoded = pose % 2 == 1;
    picture.pixels.assign(static_cast<std::size_t>(figure_size * figure_size), 0);
    const int swing = (pose == 1 ? 2 : pose == 3 ? -2 : 0);
    for (int y = 0; y < figure_size; ++y) {
        for (int x = 0; x < figure_size; ++x) {
            std::uint16_t colour = 0;
            const int head_x = x - 16;
            const int head_y = y - 7;
            if (head_x * head_x + head_y * head_y <= 25) {
                colour = static_cast<std::uint16_t>(skin_first + 20 + (head_x + head_y + 10) * 2);
            } else if (y >= 12 && y < 22 && x >= 11 && x < 21) {
                colour = static_cast<std::uint16_t>(cloth_first + 10 + (y - 12) * 4);
            } else if (y >= 22 && y < 31 && (x == 13 + swing * (y - 22) / 8 || x == 18 - swing * (y - 22) / 8)) {
                colour = static_cast<std::uint16_t>(160 + y);
            }
            picture.pixels[static_cast<std::size_t>(y * figure_size + x)] = colour;
        }
    }
    return picture;
}

sequence imported_sequence_head(std::int16_t views) {
    sequence head{};
    head.flags = sequence_flag_imported;
    head.scale = 0x10000;
    head.views = views;
    head.engine_word = 1;
    for (std::int16_t& index : head.engine_indexes) index = NONE;
    for (std::int32_t& value : head.engine_longs) value = NONE;
    return head;
}

sequence_frame imported_frame() {
    sequence_frame frame{};
    frame.key = NONE;
    return frame;
}

}  // namespace

collection_source demo_collection() {
    collection_source source;
    source.color_tables.push_back(demo_palette());
    source.hue_changes.push_back(demo_hue_change("skin", skin_first, 2000, 8000));
    source.hue_changes.push_back(demo_hue_change("cloth", cloth_first, 35000, 45000));
    for (int pose = 0; pose < pose_count; ++pose) {
        source.bitmaps.push_back(demo_pose(pose));
        bitmap_instance instance{};
        instance.origin_x = figure_size / 2;
        instance.origin_y = figure_size - 1;
        instance.bitmap_index = static_cast<std::int16_t>(pose);
        source.bitmap_instances.push_back(instance);
    }
    source.sequences.push_back({"standing", imported_sequence_head(1), {imported_frame()}, {0}});
    sequence_contents walking{"walking", imported_sequence_head(1), {}, {}};
    for (std::int16_t pose = 0; pose < pose_count; ++pose) {
        walking.frames.push_back(imported_frame());
        walking.instance_indexes.push_back(pose);
    }
    source.sequences.push_back(std::move(walking));
    source.shadow_maps.push_back(shadow_map{});
    return source;
}

}  // namespace cli
