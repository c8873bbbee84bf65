#include "media/hexcone_recolor.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double component_scale = 65535.0;

std::uint16_t to_component(double unit) {
    return static_cast<std::uint16_t>(std::clamp(unit, 0.0, 1.0) * component_scale);
}

bool is_member(const hue_change& change, int color_index) {
    return (change.member_mask[color_index / 8] >> (color_index % 8)) & 1;
}

}  // namespace

hsv_color rgb_to_hsv(const rgb_color& color) {
    const double red = color.red / component_scale;
    const double green = color.green / component_scale;
    const double blue = color.blue / component_scale;
    const double maximum = std::max({red, green, blue});
    const double minimum = std::min({red, green, blue});
    const double delta = maximum - minimum;
    double hue = 0.0;
    double saturation = 0.0;
    if (maximum > 0.0) {
        saturation = delta / maximum;
    }
    if (delta > 0.0) {
        if (red == maximum) {
            hue = (green - blue) / delta;
        } else if (green == maximum) {
            hue = 2.0 + (blue - red) / delta;
        } else {
            hue = 4.0 + (red - green) / delta;
        }
        hue /= 6.0;
        if (hue < 0.0) {
            hue += 1.0;
        }
    }
    return hsv_color{static_cast<std::uint16_t>(std::min(hue * 65536.0, 65535.0)), to_component(saturation),
                     to_component(maximum)};
}

rgb_color hsv_to_rgb(const hsv_color& color, std::uint16_t flags) {
    const double saturation = color.saturation / component_scale;
    const double value = color.value / component_scale;
    const double sector_position = color.hue / 65536.0 * 6.0;
    const int sector = static_cast<int>(sector_position);
    const double fraction = sector_position - sector;
    const double p = value * (1.0 - saturation);
    const double q = value * (1.0 - saturation * fraction);
    const double t = value * (1.0 - saturation * (1.0 - fraction));
    double red = 0.0, green = 0.0, blue = 0.0;
    switch (sector) {
        case 0: red = value, green = t, blue = p; break;
        case 1: red = q, green = value, blue = p; break;
        case 2: red = p, green = value, blue = t; break;
        case 3: red = p, green = q, blue = value; break;
        case 4: red = t, green = p, blue = value; break;
        default: red = value, green = p, blue = q; break;
    }
    return rgb_color{to_component(red), to_component(green), to_component(blue), flags};
}

std::array<std::uint8_t, 32> hue_change_member_mask(const color_table& table, std::uint16_t hue_lower,
                                                    std::uint16_t hue_upper, std::uint16_t minimum_saturation) {
    std::array<std::uint8_t, 32> mask{};
    for (int index = 0; index < color_table_capacity; ++index) {
        const hsv_color color = rgb_to_hsv(table.colors[index]);
        const bool in_range = hue_lower <= hue_upper ? (color.hue >= hue_lower && color.hue < hue_upper)
                                                     : (color.hue >= hue_lower || color.hue < hue_upper);
        if (in_range && color.saturation > minimum_saturation) {
            mask[index / 8] |= std::uint8_t(1u << (index % 8));
        }
    }
    return mask;
}

void recolor_color_table(color_table& table, std::span<const hue_change> hue_changes,
                         std::span<const rgb_color> permutation) {
    const std::size_t pairs =
        std::min({hue_changes.size(), permutation.size(), std::size_t(permutation_color_count)});
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        const rgb_color& replacement = permutation[pair];
        if (replacement.flags & rgb_color_flag_is_unused) {
            continue;
        }
        const hue_change& change = hue_changes[pair];
        const hsv_color target = rgb_to_hsv(replacement);
        const bool reversed = (replacement.flags & rgb_color_flag_is_reversed) != 0;
        for (int index = 0; index < color_table_capacity; ++index) {
            if (!is_member(change, index)) {
                continue;
            }
            const hsv_color original = rgb_to_hsv(table.colors[index]);
            const std::int32_t offset = reversed ? std::int32_t(change.base_hue) - original.hue
                                                 : std::int32_t(original.hue) - change.base_hue;
            const hsv_color recolored{
                static_cast<std::uint16_t>((target.hue + offset) & 0xFFFF),
                static_cast<std::uint16_t>(std::uint32_t(original.saturation) * target.saturation / 65536u),
                static_cast<std::uint16_t>(std::uint32_t(original.value) * target.value / 65536u)};
            table.colors[index] = hsv_to_rgb(recolored, table.colors[index].flags);
        }
    }
}
