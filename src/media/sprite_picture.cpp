#include "media/sprite_picture.h"

#include <algorithm>
#include <limits>

#include "media/sequence_views.h"

rgba_color tinted_color(const rgb_color& color, const picture_tint& tint) {
    const std::uint64_t amount = std::uint64_t(std::clamp(tint.amount, 0, full_tint_amount));
    const std::uint64_t luminance =
        (2 * std::uint64_t{color.red} + 3 * std::uint64_t{color.green} + color.blue) / 5;
    const std::uint64_t strength = amount * luminance / 65536;
    // The luminance weights add up to 6/5, so a light colour under a strong tint
    // goes past 255 and is drawn at full strength.
    const auto component = [&](std::uint64_t value, std::uint64_t tint_value) {
        return std::uint8_t(
            std::min<std::uint64_t>((value * (256 - amount) + tint_value * strength) / 65536, 255));
    };
    return {component(color.red, tint.color.red), component(color.green, tint.color.green),
            component(color.blue, tint.color.blue), 255};
}

rgba_palette palette_of(const color_table& colors, const picture_tint& tint) {
    rgba_palette palette{};
    for (std::size_t index = 1; index < palette.size(); ++index)
        palette[index] = tinted_color(colors.colors[index], tint);
    return palette;
}

rgba_picture picture_of_bitmap(const expanded_bitmap& image, const rgba_palette& palette) {
    rgba_picture picture{image.width, image.height, {}};
    picture.pixels.reserve(image.indexes.size());
    for (const std::uint8_t index : image.indexes) picture.pixels.push_back(palette[index]);
    return picture;
}

std::optional<view_layout> lay_out_view(const collection_contents& collection,
                                        const sequence_contents& sequence, std::int32_t view) {
    view_layout layout;
    std::int64_t left = std::numeric_limits<std::int64_t>::max();
    std::int64_t top = left;
    std::int64_t right = std::numeric_limits<std::int64_t>::min();
    std::int64_t bottom = right;
    // First relative to the shared origin, then moved onto the canvas.
    for (const view_frame& frame : frames_of_view(sequence, view)) {
        placed_bitmap placed;
        const auto instance_index = std::size_t(std::uint16_t(frame.instance_index));
        if (frame.instance_index >= 0 && instance_index < collection.bitmap_instances.size()) {
            const bitmap_instance& instance = collection.bitmap_instances[instance_index];
            const auto bitmap_index = std::size_t(std::uint16_t(instance.bitmap_index));
            if (instance.bitmap_index >= 0 && bitmap_index < collection.bitmap_references.size()) {
                const bitmap_reference& reference = collection.bitmap_references[bitmap_index];
                const std::int64_t width = std::max<std::int16_t>(reference.width, 0);
                const std::int64_t height = std::max<std::int16_t>(reference.height, 0);
                placed.bitmap_index = instance.bitmap_index;
                placed.mirrored =
                    ((instance.flags & bitmap_instance_flag_mirrored) != 0) != frame.mirror_toggled;
                placed.left =
                    std::int32_t(-(placed.mirrored ? width - instance.origin_x : instance.origin_x));
                placed.top = -instance.origin_y;
                left = std::min<std::int64_t>(left, placed.left);
                top = std::min<std::int64_t>(top, placed.top);
                right = std::max<std::int64_t>(right, placed.left + width);
                bottom = std::max<std::int64_t>(bottom, placed.top + height);
            }
        }
        layout.frames.push_back(placed);
    }
    if (right < left) return layout;  // no frame shows anything
    if ((right - left) * (bottom - top) > expanded_bitmap_maximum_pixels) return std::nullopt;
    layout.width = std::int32_t(right - left);
    layout.height = std::int32_t(bottom - top);
    for (placed_bitmap& placed : layout.frames) {
        placed.left = std::int32_t(placed.left - left);
        placed.top = std::int32_t(placed.top - top);
    }
    return layout;
}

rgba_picture frame_picture(const view_layout& layout, std::size_t frame, const expanded_bitmap* image,
                           const rgba_palette& palette) {
    rgba_picture picture{layout.width, layout.height,
                         std::vector<rgba_color>(std::size_t(layout.width) * std::size_t(layout.height))};
    if (frame >= layout.frames.size() || !image) return picture;
    const placed_bitmap& placed = layout.frames[frame];
    if (placed.bitmap_index == NONE) return picture;
    const std::int32_t first_row = std::max(0, -placed.top);
    const std::int32_t end_row = std::min(image->height, layout.height - placed.top);
    const std::int32_t first_column = std::max(0, -placed.left);
    const std::int32_t end_column = std::min(image->width, layout.width - placed.left);
    for (std::int32_t y = first_row; y < end_row; ++y) {
        const std::uint8_t* row = image->indexes.data() + std::size_t(y) * std::size_t(image->width);
        rgba_color* line = picture.pixels.data() + std::size_t(placed.top + y) * std::size_t(layout.width);
        for (std::int32_t x = first_column; x < end_column; ++x) {
            line[placed.left + x] = palette[row[placed.mirrored ? image->width - 1 - x : x]];
        }
    }
    return picture;
}
