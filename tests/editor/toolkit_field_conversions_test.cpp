#include "editor/toolkit/field_conversions.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

namespace {

using toolkit::NumberFormat;
using toolkit::ParseStatus;

struct SaveCase {
    const char* name;
    NumberFormat format;
    const char* text;
    int64_t stored;
};

NumberFormat flag_number_format() {
    NumberFormat format = toolkit::integer_format({2, true});
    format.display_offset = 1;
    format.clamp_minimum = -1;
    format.clamp_maximum = 8;
    return format;
}

NumberFormat through_short_format() {
    NumberFormat format = toolkit::integer_format({4, true});
    format.control = toolkit::Storage{2, true};
    return format;
}

TEST(ToolkitFieldConversions, EnteredTextIsStoredAsTheKindSays) {
    const std::vector<SaveCase> cases = {
        {"fraction above one clamps", toolkit::fraction_format(), "1.2", 65535},
        {"negative fraction clamps", toolkit::fraction_format(), "-0.1", 0},
        {"fraction rounds", toolkit::fraction_format(), "0.5", 32768},
        {"byte fraction half rounds away", toolkit::byte_fraction_format(), "0.5", 128},
        {"byte fraction in a word", toolkit::byte_fraction_format(2), "1", 255},
        {"short fixed truncates", toolkit::short_fixed_format(), "-1.999", -511},
        {"short fixed positive", toolkit::short_fixed_format(), "1.999", 511},
        {"fixed truncates tiny", toolkit::fixed_format(5), "0.00001", 0},
        {"fixed negative", toolkit::fixed_format(2), "-0.6", -39321},
        {"angle quarter", toolkit::angle_format(), "90", 16384},
        {"angle full turn wraps", toolkit::angle_format(), "360", 0},
        {"angle negative wraps", toolkit::angle_format(), "-90", 49152},
        {"angle truncates", toolkit::angle_format(), "1", 182},
        {"angular speed", toolkit::angular_speed_format(), "90", 546},
        {"angular speed full turns stay large", toolkit::angular_speed_format(), "360", 2184},
        {"angular speed clamps high", toolkit::angular_speed_format(), "20000", 65535},
        {"world distance", toolkit::world_distance_format(), "2", 1024},
        {"world distance rounds half away", toolkit::world_distance_format(), "-0.0029296875", -2},
        {"long world distance", toolkit::world_distance_format(4), "1000", 512000},
        {"ticks round", toolkit::game_ticks_format(), "0.05", 2},
        {"ticks negative half away", toolkit::game_ticks_format(), "-0.05", -2},
        {"long ticks", toolkit::game_ticks_format(4), "3600", 108000},
        {"spaces and plus sign", toolkit::world_distance_format(), "  +1.5 ", 768},
        {"exponent", toolkit::world_distance_format(), "1e1", 5120},
        {"signed byte", toolkit::integer_format({1, true}), "-1", -1},
        {"unsigned byte", toolkit::integer_format({1, false}), "255", 255},
        {"flag number shown plus one", flag_number_format(), "0", -1},
        {"flag number clamps high", flag_number_format(), "20", 8},
        {"flag number clamps low", flag_number_format(), "-7", -1},
        {"flag number huge clamps", flag_number_format(), "99999999999999999999", 8},
        {"32-bit through 16-bit control", through_short_format(), "-1", -1},
        {"real saved as parsed", toolkit::real_format(2), "1.255", std::bit_cast<uint32_t>(1.255f)},
    };
    for (const SaveCase& c : cases) {
        const toolkit::ParseResult result = toolkit::parse_stored(c.format, c.text);
        EXPECT_TRUE(result.ok()) << c.name << ": " << result.message;
        EXPECT_EQ(result.stored, c.stored) << c.name;
    }
}

struct ShowCase {
    const char* name;
    NumberFormat format;
    int64_t stored;
    const char* text;
};

TEST(ToolkitFieldConversions, StoredValuesAreShownInTheKindsFormat) {
    const std::vector<ShowCase> cases = {
        {"angle quarter", toolkit::angle_format(), 16384, "90"},
        {"angle deep encirclement", toolkit::angle_format(), 21845, "120"},
        {"angular speed", toolkit::angular_speed_format(), 546, "90"},
        {"fixed two decimals", toolkit::fixed_format(2), -39321, "-0.60"},
        {"fixed five decimals", toolkit::fixed_format(5), 65536, "1.00000"},
        {"fixed tiny negative shows zero", toolkit::fixed_format(2), -1, "0.00"},
        {"world distance", toolkit::world_distance_format(), 51, "0.100"},
        {"world distance negative", toolkit::world_distance_format(), -2, "-0.004"},
        {"ticks", toolkit::game_ticks_format(), 30, "1.000"},
        {"long ticks", toolkit::game_ticks_format(4), 108000, "3600.000"},
        {"short fixed", toolkit::short_fixed_format(), 384, "1.500"},
        {"fraction", toolkit::fraction_format(), 6553, "0.100"},
        {"fraction one", toolkit::fraction_format(), 65535, "1.000"},
        {"byte fraction", toolkit::byte_fraction_format(), 204, "0.800"},
        {"byte fraction uses the low byte of a word", toolkit::byte_fraction_format(2), 0x1233, "0.200"},
        {"signed short", toolkit::integer_format({2, true}), -5, "-5"},
        {"flag number plus one", flag_number_format(), 0, "1"},
        {"32-bit through 16-bit control", through_short_format(), 70000, "4464"},
        // 1.255f is 1.2549999952..., which rounds down although its product with 100
        // is 125.5 in single precision.
        {"real two decimals", toolkit::real_format(2), std::bit_cast<uint32_t>(1.255f), "1.25"},
        // 655359 / 65536 is 9.9999847..., although its product with 10^5 is 999998.5 in
        // single precision.
        {"fixed upper bound of a range", toolkit::fixed_format(5), 655359, "9.99998"},
        // 429076612 / 65536 is 6547.18951...; in single precision it is 6547.18945.
        {"large fixed rounds the exact value", toolkit::fixed_format(3), 429076612, "6547.190"},
        {"real six decimals", toolkit::real_format(6), std::bit_cast<uint32_t>(0.0001f), "0.000100"},
        {"real negative", toolkit::real_format(3), std::bit_cast<uint32_t>(-2.5f), "-2.500"},
    };
    for (const ShowCase& c : cases) EXPECT_EQ(toolkit::format_stored(c.format, c.stored), c.text) << c.name;
}

TEST(ToolkitFieldConversions, TextThatIsNoNumberGivesTheStandardMessage) {
    const std::vector<std::pair<NumberFormat, const char*>> decimals = {
        {toolkit::world_distance_format(), ""},      {toolkit::world_distance_format(), "abc"},
        {toolkit::fraction_format(), "1.2.3"},        {toolkit::fixed_format(5), "1,5"},
        {toolkit::angle_format(), "inf"},             {toolkit::real_format(3), "nan"},
        {toolkit::short_fixed_format(), "-"},         {toolkit::game_ticks_format(), "2 3"},
    };
    for (const auto& [format, text] : decimals) {
        const toolkit::ParseResult result = toolkit::parse_stored(format, text);
        EXPECT_EQ(result.status, ParseStatus::not_a_number) << text;
        EXPECT_EQ(result.message, "Please enter a number.") << text;
    }
    for (const char* text : {"", "1.5", "12a", "- 3", "0x10"}) {
        const toolkit::ParseResult result = toolkit::parse_stored(toolkit::integer_format({2, true}), text);
        EXPECT_EQ(result.status, ParseStatus::not_a_number) << text;
        EXPECT_EQ(result.message, "Please enter an integer.") << text;
    }
}

TEST(ToolkitFieldConversions, ValuesThatDoNotFitAreRefusedNamingTheRange) {
    const std::vector<std::tuple<NumberFormat, const char*, const char*>> cases = {
        {toolkit::world_distance_format(), "70", "Please enter a number between -64.000 and 63.998."},
        {toolkit::world_distance_format(), "-64.001", "Please enter a number between -64.000 and 63.998."},
        {toolkit::game_ticks_format(), "1100", "Please enter a number between -1092.266 and 1092.233."},
        {toolkit::short_fixed_format(), "128", "Please enter a number between -128.000 and 127.996."},
        {toolkit::fixed_format(5), "40000", "Please enter a number between -32768.00000 and 32767.99998."},
        {toolkit::world_distance_format(), "1e39", "Please enter a number between -64.000 and 63.998."},
        {toolkit::integer_format({1, false}), "300", "Please enter an integer between 0 and 255."},
        {toolkit::integer_format({1, true}), "-129", "Please enter an integer between -128 and 127."},
        {toolkit::integer_format({2, true}), "99999999999999999999999",
         "Please enter an integer between -32768 and 32767."},
        {through_short_format(), "40000", "Please enter an integer between -32768 and 32767."},
        {toolkit::angular_speed_format(), "-5", "Please enter a number between 0 and 10799."},
    };
    for (const auto& [format, text, message] : cases) {
        const toolkit::ParseResult result = toolkit::parse_stored(format, text);
        EXPECT_EQ(result.status, ParseStatus::out_of_range) << text;
        EXPECT_EQ(result.message, message) << text;
    }
    // The bounds a message names are themselves accepted.
    EXPECT_TRUE(toolkit::parse_stored(toolkit::world_distance_format(), "63.998").ok());
    EXPECT_TRUE(toolkit::parse_stored(toolkit::short_fixed_format(), "127.996").ok());
    EXPECT_TRUE(toolkit::parse_stored(toolkit::game_ticks_format(), "-1092.266").ok());
}

TEST(ToolkitFieldConversions, RangeDeltaCountsTheValuesOfTheRange) {
    const toolkit::Storage delta16{2, true};
    EXPECT_EQ(toolkit::range_delta(1024, 1024, delta16).delta, 0);
    EXPECT_EQ(toolkit::range_delta(1024, 1536, delta16).delta, 513);
    EXPECT_EQ(toolkit::range_delta(5, 2, delta16).delta, -2);
    EXPECT_EQ(toolkit::range_upper(1024, 513), 1536);
    EXPECT_EQ(toolkit::range_upper(1024, 0), 1024);
    EXPECT_EQ(toolkit::range_upper(5, -2), 2);

    const toolkit::DeltaResult too_wide = toolkit::range_delta(-32768, 32767, delta16);
    EXPECT_FALSE(too_wide.ok);
    EXPECT_EQ(too_wide.upper_minimum, -65537);
    EXPECT_EQ(too_wide.upper_maximum, -2);

    const toolkit::DeltaResult full_fraction = toolkit::range_delta(0, 65535, {2, false});
    EXPECT_FALSE(full_fraction.ok);
    EXPECT_EQ(toolkit::range_message(toolkit::fraction_format(), 0, full_fraction.upper_maximum),
              "Please enter a number between 0.000 and 0.999.");
}

TEST(ToolkitFieldConversions, StorageWrapsToItsWidth) {
    EXPECT_EQ((toolkit::Storage{2, true}.wrap(70000)), 4464);
    EXPECT_EQ((toolkit::Storage{2, true}.wrap(40000)), -25536);
    EXPECT_EQ((toolkit::Storage{1, false}.wrap(-1)), 255);
    EXPECT_EQ((toolkit::Storage{4, true}.wrap(0xFFFFFFFF)), -1);
}

}  // namespace
