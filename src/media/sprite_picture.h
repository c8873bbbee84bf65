#pragma once

// Collection bitmaps as 8-bit RGBA pictures: through a colour table (recoloured
// and tinted as a collection reference shows it), colour index 0 transparent,
// and the frames of a sequence view laid out on one canvas so that every
// instance's origin falls on the same point and the figure stands still.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "media/bitmap_expansion.h"
#include "media/collection_format.h"
#include "media/collection_reader.h"

struct rgba_color {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t alpha;
};
static_assert(sizeof(rgba_color) == 4);

inline constexpr std::int32_t full_tint_amount = 256;

struct picture_tint {
    rgb_color color{};
    std::int32_t amount = 0;  // 0 (none) to full_tint_amount
};

// The 8-bit colour a table colour shows under a tint: per component
// (c x (256 - t) + c' x s) / 65536 with s = t x ((2r + 3g + b) / 5) / 65536,
// at most 255. Without a tint that is the component's high byte.
rgba_color tinted_color(const rgb_color& color, const picture_tint& tint);

using rgba_palette = std::array<rgba_color, color_table_capacity>;

// Index 0 transparent, every other index its table colour, tinted and opaque.
rgba_palette palette_of(const color_table& colors, const picture_tint& tint = {});

struct rgba_picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<rgba_color> pixels;  // width * height, top row first
};

rgba_picture picture_of_bitmap(const expanded_bitmap& image, const rgba_palette& palette);

// One frame's bitmap on the canvas of its view.
struct placed_bitmap {
    std::int32_t bitmap_index = NONE;  // NONE: the frame shows nothing
    bool mirrored = false;
    std::int32_t left = 0;  // of the bitmap's top-left corner on the canvas
    std::int32_t top = 0;
};

struct view_layout {
    std::int32_t width = 0;  // the smallest canvas that holds every frame
    std::int32_t height = 0;
    std::vector<placed_bitmap> frames;
};

// The frames of a sequence view placed by their instances' origins (a mirrored
// instance's origin is at width - x). A frame whose instance or bitmap is not in
// the collection shows nothing. Nothing when the canvas would exceed
// expanded_bitmap_maximum_pixels.
std::optional<view_layout> lay_out_view(const collection_contents& collection,
                                        const sequence_contents& sequence, std::int32_t view);

// The frame on its canvas, transparent around the bitmap. image: the frame's
// bitmap expanded (ignored when the frame shows nothing); pixels beyond the
// canvas are cut off.
rgba_picture frame_picture(const view_layout& layout, std::size_t frame, const expanded_bitmap* image,
                           const rgba_palette& palette);
