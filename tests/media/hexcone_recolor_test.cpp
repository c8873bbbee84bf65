#include "media/hexcone_recolor.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr rgb_color red{65535, 0, 0, 0};
constexpr rgb_color green{0, 65535, 0, 0};

::testing::AssertionResult near_color(const rgb_color& actual, const rgb_color& expected, int tolerance = 2) {
    if (std::abs(actual.red - expected.red) <= tolerance && std::abs(actual.green - expected.green) <= tolerance &&
        std::abs(actual.blue - expected.blue) <= tolerance && actual.flags == expected.flags) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << actual.red << ", " << actual.green << ", " << actual.blue
                                         << ", flags " << actual.flags << ") expected (" << expected.red << ", "
                                         << expected.green << ", " << expected.blue << ", flags " << expected.flags << ")";
}

hue_change region(std::uint8_t first_member_byte, std::int16_t base_hue) {
    hue_change change{};
    change.member_mask[0] = first_member_byte;
    change.base_hue = base_hue;
    return change;
}

TEST(Hexcone, RgbToHsvOfKnownColours) {
    struct Case {
        rgb_color color;
        hsv_color expected;
    } cases[] = {
        {red, {0, 65535, 65535}},
        {green, {21845, 65535, 65535}},   // a third of a turn, truncated
        {{0, 0, 65535, 0}, {43690, 65535, 65535}},
        {{65535, 65535, 0, 0}, {10922, 65535, 65535}},
        {{65535, 0, 65535, 0}, {54613, 65535, 65535}},
        {{32768, 32768, 32768, 0}, {0, 0, 32768}},
        {{0, 0, 0, 0}, {0, 0, 0}},
        {{65535, 32767, 32767, 0}, {0, 32768, 65535}},
    };
    for (const Case& test : cases) {
        const hsv_color result = rgb_to_hsv(test.color);
        EXPECT_EQ(result.hue, test.expected.hue) << test.color.red << "," << test.color.green << "," << test.color.blue;
        EXPECT_EQ(result.saturation, test.expected.saturation);
        EXPECT_EQ(result.value, test.expected.value);
    }
}

TEST(Hexcone, HsvToRgbCoversEverySectorAndKeepsFlags) {
    struct Case {
        hsv_color color;
        rgb_color expected;
    } cases[] = {
        {{0, 65535, 65535}, {65535, 0, 0, 7}},
        {{10923, 65535, 65535}, {65535, 65535, 0, 7}},
        {{21846, 65535, 65535}, {0, 65535, 0, 7}},
        {{32768, 65535, 65535}, {0, 65535, 65535, 7}},
        {{43691, 65535, 65535}, {0, 0, 65535, 7}},
        {{54614, 65535, 65535}, {65535, 0, 65535, 7}},
        {{12345, 0, 40000}, {40000, 40000, 40000, 7}},
    };
    for (const Case& test : cases) {
        // Hues a third of a turn apart cannot all fall on whole units.
        EXPECT_TRUE(near_color(hsv_to_rgb(test.color, 7), test.expected, 6)) << test.color.hue;
    }
}

TEST(Hexcone, MemberMaskOfAWrappingHueRange) {
    color_table table{};
    const std::uint16_t hues[] = {0, 4000, 6000, 30000, 59000, 61000, 65000};
    for (int index = 0; index < 7; ++index) {
        table.colors[index] = hsv_to_rgb({hues[index], 65535, 65535}, 0);
    }
    table.colors[7] = {40000, 40000, 40000, 0};          // grey: no saturation
    table.colors[8] = hsv_to_rgb({62000, 1000, 65535}, 0);  // in range, saturation too low
    const auto mask = hue_change_member_mask(table, 60000, 5000, 2000);
    // Members: hues 0, 4000, 61000, 65000 (colours 0, 1, 5, 6). Colours 9..255
    // are black and have no saturation.
    EXPECT_EQ(mask[0], 0b01100011);
    EXPECT_EQ(mask[1], 0);
    const auto plain = hue_change_member_mask(table, 5000, 60000, 0);
    EXPECT_EQ(plain[0], 0b00011100);  // 6000, 30000, 59000
}

TEST(Hexcone, RecolouringMovesHueAndScalesSaturationAndValue) {
    color_table table{};
    table.colors[0] = {65535, 0, 0, 3};
    table.colors[1] = hsv_to_rgb({4000, 65535, 32768}, 0);
    table.colors[2] = {1000, 2000, 3000, 0};  // not a member
    const hsv_color member = rgb_to_hsv(table.colors[1]);
    const hue_change changes[] = {region(0b011, 0)};

    color_table plain = table;
    recolor_color_table(plain, changes, std::span<const rgb_color>(&green, 1));
    // Full saturation and value are products of 65535 by 65535: unsigned, and just below full.
    EXPECT_TRUE(near_color(plain.colors[0], {0, 65535, 0, 3}));
    const hsv_color moved = rgb_to_hsv(plain.colors[1]);
    EXPECT_NEAR(moved.hue, 21845 + member.hue, 3);
    EXPECT_NEAR(moved.saturation, 65534, 2);
    EXPECT_NEAR(moved.value, member.value, 2);
    EXPECT_EQ(plain.colors[2].red, 1000);

    color_table reversed = table;
    const rgb_color reversed_green{0, 65535, 0, rgb_color_flag_is_reversed};
    recolor_color_table(reversed, changes, std::span<const rgb_color>(&reversed_green, 1));
    EXPECT_NEAR(rgb_to_hsv(reversed.colors[1]).hue, 21845 - member.hue, 3);

    // 63000 + (about 4000 - 0) wraps past a full turn.
    color_table wrapped = table;
    const rgb_color late_hue = hsv_to_rgb({63000, 65535, 65535}, 0);
    recolor_color_table(wrapped, changes, std::span<const rgb_color>(&late_hue, 1));
    EXPECT_NEAR(rgb_to_hsv(wrapped.colors[1]).hue, (63000 + member.hue) - 65536, 3);
}

TEST(Hexcone, UnusedPermutationColourLeavesItsRegionAlone) {
    color_table table{};
    table.colors[0] = {65535, 0, 0, 0};
    table.colors[1] = {0, 0, 65535, 0};
    // Base hue 43690 (blue) is stored as the signed -21846.
    const hue_change changes[] = {region(0b01, 0), region(0b10, std::int16_t(-21846))};
    const rgb_color permutation[] = {{0, 65535, 0, rgb_color_flag_is_unused}, green};
    recolor_color_table(table, changes, permutation);
    EXPECT_TRUE(near_color(table.colors[0], {65535, 0, 0, 0}, 0));
    EXPECT_TRUE(near_color(table.colors[1], {0, 65535, 0, 0}));
}

TEST(Hexcone, OnlyTheFirstEightHueChangesAreRecoloured) {
    color_table table{};
    std::vector<hue_change> changes;
    std::vector<rgb_color> permutation(9, green);
    for (int index = 0; index < 9; ++index) {
        table.colors[index] = red;
        hue_change change{};
        change.member_mask[index / 8] = std::uint8_t(1u << (index % 8));
        changes.push_back(change);
    }
    recolor_color_table(table, changes, permutation);
    for (int index = 0; index < 8; ++index) {
        EXPECT_TRUE(near_color(table.colors[index], {0, 65535, 0, 0})) << index;
    }
    EXPECT_TRUE(near_color(table.colors[8], red, 0));
}

}  // namespace
