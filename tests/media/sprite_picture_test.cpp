// Frame order of sequence views, the frames laid out so that the figure stands
// still, and the colours pictures are drawn in.

#include "media/sprite_picture.h"

#include <gtest/gtest.h>

#include <optional>

#include "media/collection_reader.h"
#include "media/collection_writer.h"
#include "media/sequence_views.h"

namespace {

// Frame f's instance index for view v is 100 f + v, so a frame tells which view it came from.
sequence_contents numbered_sequence(std::int16_t views, bool mirrored, std::int16_t frames) {
    sequence_contents contents{};
    contents.head.views = views;
    contents.head.flags = mirrored ? sequence_flag_mirrored_views : 0;
    contents.frames.resize(std::size_t(frames));
    for (std::int16_t frame = 0; frame < frames; ++frame) {
        for (std::int16_t view = 0; view < views; ++view) {
            contents.instance_indexes.push_back(std::int16_t(100 * frame + view));
        }
    }
    return contents;
}

TEST(SequenceViews, EachViewShowsItsOwnInstancesOrTheMirrorOfTheViewOppositeIt) {
    struct Case {
        std::int16_t views;
        bool mirrored;
        std::int32_t view;
        std::int32_t own_views;
        std::int32_t shown_view;  // -1: the view does not exist
        bool mirror_toggled;
    } cases[] = {
        {8, true, 0, 5, 0, false},  {8, true, 4, 5, 4, false},  {8, true, 5, 5, 3, true},
        {8, true, 7, 5, 1, true},   {5, true, 3, 3, 2, true},   {5, true, 4, 3, 1, true},
        {4, true, 3, 3, 1, true},   {2, true, 1, 2, 1, false},  {1, true, 0, 1, 0, false},
        {8, false, 7, 8, 7, false}, {8, true, 8, 5, -1, false}, {8, true, -1, 5, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.views << " views, mirrored " << c.mirrored << ", view " << c.view);
        const sequence_contents contents = numbered_sequence(c.views, c.mirrored, 3);
        EXPECT_EQ(views_with_own_instances(contents.head), c.own_views);
        const std::vector<view_frame> frames = frames_of_view(contents, c.view);
        if (c.shown_view < 0) {
            EXPECT_TRUE(frames.empty());
            continue;
        }
        ASSERT_EQ(frames.size(), 3u);
        for (std::size_t frame = 0; frame < frames.size(); ++frame) {
            EXPECT_EQ(frames[frame].instance_index, 100 * std::int32_t(frame) + c.shown_view) << frame;
            EXPECT_EQ(frames[frame].mirror_toggled, c.mirror_toggled) << frame;
        }
    }
}

// Colour i shows as (i, 255 - i, 7).
color_table graded_table() {
    color_table table{};
    table.count = color_table_capacity;
    for (int index = 0; index < color_table_capacity; ++index) {
        table.colors[index] = {std::uint16_t(index << 8 | 0xFF), std::uint16_t((255 - index) << 8), 7 << 8,
                               0};
    }
    return table;
}

collection_bitmap counted_bitmap(std::int16_t width, std::int16_t height, std::uint16_t first, bool encoded) {
    collection_bitmap picture;
    picture.name = "b";
    picture.width = width;
    picture.height = height;
    picture.run_encoded = encoded;
    for (int index = 0; index < width * height; ++index) {
        picture.pixels.push_back(index % 3 == 1 ? 0 : std::uint16_t(first + index));
    }
    return picture;
}

bitmap_instance instance_of(std::int16_t bitmap, std::int16_t origin_x, std::int16_t origin_y,
                            bool mirrored) {
    bitmap_instance instance{};
    instance.flags = mirrored ? bitmap_instance_flag_mirrored : 0;
    instance.origin_x = origin_x;
    instance.origin_y = origin_y;
    instance.bitmap_index = bitmap;
    return instance;
}

class FrameLayout : public testing::Test {
protected:
    void SetUp() override {
        collection_source source;
        source.color_tables.push_back(graded_table());
        source.bitmaps = {counted_bitmap(4, 3, 10, false), counted_bitmap(6, 5, 40, true)};
        source.bitmap_instances = {instance_of(0, 1, 2, false), instance_of(1, 5, 4, false),
                                   instance_of(0, 1, 2, true)};
        sequence head{};
        head.views = 1;
        // The fourth frame names an instance the collection does not have.
        source.sequences.push_back({"walk", head, std::vector<sequence_frame>(4), {0, 1, 2, 7}});
        const auto bytes = write_collection(source);
        ASSERT_TRUE(bytes.has_value());
        tag = *bytes;
        contents = read_collection_contents(tag);
        ASSERT_TRUE(contents.has_value());
        bitmaps = source.bitmaps;
    }

    std::vector<std::byte> tag;
    std::optional<collection_contents> contents;
    std::vector<collection_bitmap> bitmaps;
};

TEST_F(FrameLayout, EveryOriginFallsOnOnePointOfTheCanvas) {
    const std::optional<view_layout> layout = lay_out_view(*contents, contents->sequences[0], 0);
    ASSERT_TRUE(layout.has_value());
    // Relative to the origin: 4 x 3 at (-1, -2); 6 x 5 at (-5, -4); mirrored 4 x 3 at (-(4 - 1), -2).
    EXPECT_EQ(layout->width, 8);
    EXPECT_EQ(layout->height, 5);
    ASSERT_EQ(layout->frames.size(), 4u);
    const struct {
        std::int32_t bitmap, left, top;
        bool mirrored;
    } expected[] = {{0, 4, 2, false}, {1, 0, 0, false}, {0, 2, 2, true}, {NONE, 0, 0, false}};
    for (std::size_t frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(layout->frames[frame].bitmap_index, expected[frame].bitmap);
        if (expected[frame].bitmap == NONE) continue;
        EXPECT_EQ(layout->frames[frame].left, expected[frame].left);
        EXPECT_EQ(layout->frames[frame].top, expected[frame].top);
        EXPECT_EQ(layout->frames[frame].mirrored, expected[frame].mirrored);
    }
}

TEST_F(FrameLayout, AFrameShowsItsBitmapAtItsPlaceAndNothingElse) {
    const std::optional<view_layout> layout = lay_out_view(*contents, contents->sequences[0], 0);
    ASSERT_TRUE(layout.has_value());
    const rgba_palette palette = palette_of(contents->color_tables[0]);
    const std::optional<collection_view> view = open_collection(tag);
    ASSERT_TRUE(view.has_value());
    for (std::size_t frame = 0; frame < 4; ++frame) {
        SCOPED_TRACE(frame);
        const placed_bitmap& placed = layout->frames[frame];
        std::optional<expanded_bitmap> image;
        if (placed.bitmap_index != NONE) {
            image = expand_collection_bitmap(*view,
                                             contents->bitmap_references[std::size_t(placed.bitmap_index)]);
            ASSERT_TRUE(image.has_value());
        }
        const rgba_picture picture = frame_picture(*layout, frame, image ? &*image : nullptr, palette);
        ASSERT_EQ(picture.pixels.size(), 40u);
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 8; ++x) {
                std::uint16_t index = 0;
                if (placed.bitmap_index != NONE) {
                    const collection_bitmap& source = bitmaps[std::size_t(placed.bitmap_index)];
                    const int column = x - placed.left;
                    const int row = y - placed.top;
                    if (column >= 0 && column < source.width && row >= 0 && row < source.height) {
                        const int stored = placed.mirrored ? source.width - 1 - column : column;
                        index = source.pixels[std::size_t(row * source.width + stored)];
                    }
                }
                const rgba_color shown = picture.pixels[std::size_t(y * 8 + x)];
                if (index == 0) {
                    EXPECT_EQ(shown.alpha, 0) << x << "," << y;
                } else {
                    EXPECT_EQ(shown.red, index) << x << "," << y;
                    EXPECT_EQ(shown.green, 255 - index) << x << "," << y;
                    EXPECT_EQ(shown.blue, 7);
                    EXPECT_EQ(shown.alpha, 255);
                }
            }
        }
    }
}

TEST(SpritePicture, TintMixesEachComponentWithTheTintByTheColoursLuminance) {
    struct Case {
        rgb_color color;
        picture_tint tint;
        rgba_color shown;
    } cases[] = {
        // No tint: the high bytes.
        {{0x12FF, 0xAB00, 0x0101, 0}, {}, {0x12, 0xAB, 0x01, 255}},
        // Red under a full green tint: luminance 26214, strength 102, green 65535 x 102 / 65536.
        {{65535, 0, 0, 0}, {{0, 65535, 0, 0}, 256}, {0, 101, 0, 255}},
        // White under half a black tint: each component 65535 x 128 / 65536.
        {{65535, 65535, 65535, 0}, {{0, 0, 0, 0}, 128}, {127, 127, 127, 255}},
        // White under a full white tint goes past 255 and stays there.
        {{65535, 65535, 65535, 0}, {{65535, 65535, 65535, 0}, 256}, {255, 255, 255, 255}},
    };
    for (const Case& c : cases) {
        const rgba_color shown = tinted_color(c.color, c.tint);
        EXPECT_EQ(shown.red, c.shown.red);
        EXPECT_EQ(shown.green, c.shown.green);
        EXPECT_EQ(shown.blue, c.shown.blue);
        EXPECT_EQ(shown.alpha, c.shown.alpha);
    }
    const rgba_palette palette = palette_of(graded_table());
    EXPECT_EQ(palette[0].alpha, 0);
    EXPECT_EQ(palette[200].red, 200);
}

}  // namespace
