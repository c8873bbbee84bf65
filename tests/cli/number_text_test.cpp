// Stored integers shown in their field kind's unit, and back.

#include <gtest/gtest.h>

#include <bit>

#include "cli/number_text.h"

namespace cli {
namespace {

struct ScaledCase {
    std::int64_t stored;
    Scale scale;
    const char* text;
};

TEST(NumberText, ShortestDecimalThatTurnsBackIntoTheStoredValue) {
    const ScaledCase cases[] = {
        {512, {1, 512}, "1"},                 // world units
        {1, {1, 512}, "0.002"},
        {-768, {1, 512}, "-1.5"},
        {1, {1, 30}, "0.03"},                 // seconds of game ticks
        {45, {1, 30}, "1.5"},
        {65535, {1, 65535}, "1"},             // fraction
        {32768, {1, 65535}, "0.5"},
        {204, {1, 255}, "0.8"},               // byte fraction
        {16384, {360, 65536}, "90"},          // degrees
        {-1, {360, 65536}, "-0.005"},
        {546, {10800, 65536}, "90"},          // degrees per second
        {0x18000, {1, 65536}, "1.5"},         // 16.16
        {1, {1, 65536}, "0.00002"},
        {2147483647, {1, 65536}, "32767.99998"},
        {0, {1, 30}, "0"},
    };
    for (const ScaledCase& example : cases) {
        EXPECT_EQ(format_scaled(example.stored, example.scale), example.text) << example.stored;
        const ParsedNumber parsed = parse_scaled(example.text, example.scale);
        EXPECT_EQ(parsed.status, NumberStatus::ok);
        EXPECT_EQ(parsed.stored, example.stored) << example.text;
    }
    // Every 16-bit value of every unit survives the trip.
    for (const Scale scale : {Scale{1, 512}, Scale{1, 30}, Scale{1, 65535}, Scale{1, 255}, Scale{10800, 65536}}) {
        for (std::int64_t stored = -32768; stored < 65536; stored += 7) {
            ASSERT_EQ(parse_scaled(format_scaled(stored, scale), scale).stored, stored)
                << stored << " as " << format_scaled(stored, scale);
        }
    }
}

TEST(NumberText, EnteredNumbersRoundToTheNearestStoredValue) {
    EXPECT_EQ(parse_scaled("0.5", {1, 65535}).stored, 32768);  // 32767.5, halves away from zero
    EXPECT_EQ(parse_scaled("-0.5", {1, 65535}).stored, -32768);
    EXPECT_EQ(parse_scaled("1.3", {1, 512}).stored, 666);
    EXPECT_EQ(parse_scaled("2e2", {1, 1}).stored, 200);
    EXPECT_EQ(parse_scaled("1e-40", {1, 65536}).stored, 0);
    EXPECT_EQ(parse_scaled("1e30", {1, 1}).status, NumberStatus::out_of_range);
    EXPECT_EQ(parse_scaled("1.00000000000000000000001", {1, 1}).status, NumberStatus::too_many_digits);
    for (const char* text : {"", "-", "01", "1.", ".5", "1e", "+1", "0x10", "1 "}) {
        EXPECT_EQ(parse_scaled(text, {1, 1}).status, NumberStatus::not_a_number) << text;
    }
    EXPECT_TRUE(is_whole_number("1.50e1"));
    EXPECT_TRUE(is_whole_number("0.0"));
    EXPECT_FALSE(is_whole_number("1.5"));
}

TEST(NumberText, FloatsKeepTheirBits) {
    for (const float value : {0.1f, -3.5e-20f, 1.17549435e-38f, 3.4028235e38f, 1.0f / 3.0f, -0.0f}) {
        const std::string text = format_float(value);
        const std::optional<float> back = parse_float(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(std::bit_cast<std::uint32_t>(*back), std::bit_cast<std::uint32_t>(value)) << text;
    }
    EXPECT_EQ(format_float(1e20f), "1e20");
    EXPECT_FALSE(parse_float("1e39"));
    EXPECT_FALSE(parse_float("nan"));
}

}  // namespace
}  // namespace cli
