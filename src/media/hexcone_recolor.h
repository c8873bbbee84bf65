#pragma once

// Hexcone (hue, saturation, value) conversions in 16-bit units and the
// recolouring of a colour table by a colour permutation.

#include <array>
#include <cstdint>
#include <span>

#include "media/collection_format.h"

// hue: 0..65535 for a full turn, 0 red, one sixth of a turn per sector;
// saturation and value: 0..65535.
struct hsv_color {
    std::uint16_t hue;
    std::uint16_t saturation;
    std::uint16_t value;
};

// A collection reference's permutation holds this many colours, one per hue change.
inline constexpr int permutation_color_count = 8;

hsv_color rgb_to_hsv(const rgb_color& color);
// The colour of that hue, saturation and value, with the given colour flags.
rgb_color hsv_to_rgb(const hsv_color& color, std::uint16_t flags);

// The member mask of a hue change: the colours whose saturation exceeds
// minimum_saturation and whose hue lies in [lower, upper), or, when lower >
// upper, at or above lower or below upper.
std::array<std::uint8_t, 32> hue_change_member_mask(const color_table& table, std::uint16_t hue_lower,
                                                    std::uint16_t hue_upper, std::uint16_t minimum_saturation);

// Recolours the members of each hue change i with permutation colour i, for the
// first min(hue changes, permutation colours, 8) pairs; a permutation colour
// flagged rgb_color_flag_is_unused leaves its hue change alone. Colour flags of
// the table's entries are kept.
void recolor_color_table(color_table& table, std::span<const hue_change> hue_changes,
                         std::span<const rgb_color> permutation);
