// The JSON reader takes what users write and refuses the rest with a position;
// the writer prints the same text for the same value.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/number_text.h"
#include "cli/utf8_text.h"

namespace cli {
namespace {

TEST(Json, WriterSortsMembersAndEscapesToAscii) {
    Json value = Json::object();
    value["zebra"] = -1;
    value["alpha"] = Json::array({true, nullptr});
    value["text"] = bytes_to_text(std::string("a\"\\\n\x01\xE9\0", 7));
    EXPECT_EQ(json::write_compact(value),
              "{\"alpha\": [true, null], \"text\": \"a\\\"\\\\\\n\\u0001\\u00e9\\u0000\", \"zebra\": -1}");
    EXPECT_EQ(json::write_pretty(value),
              "{\n  \"alpha\": [\n    true,\n    null\n  ],\n  \"text\": \"a\\\"\\\\\\n\\u0001\\u00e9\\u0000\",\n"
              "  \"zebra\": -1\n}");
    const json::ReadResult back = json::read(json::write_pretty(value));
    ASSERT_TRUE(back.value) << back.error;
    EXPECT_EQ(*back.value, value);
    EXPECT_EQ(text_to_bytes(back.value->at("text").get<std::string>()), std::string("a\"\\\n\x01\xE9\0", 7));
}

TEST(Json, ReaderDecodesEscapesAndUtf8) {
    const json::ReadResult read = json::read(" {\"a\": \"\\u00e9\\ud83d\\ude00\xC3\xA9\", \"b\": -1.5e3} ");
    ASSERT_TRUE(read.value) << read.error;
    EXPECT_EQ(read.value->at("a"), "\xC3\xA9\xF0\x9F\x98\x80\xC3\xA9");
    EXPECT_EQ(read.value->at("b"), -1.5e3);
    EXPECT_FALSE(text_to_bytes(read.value->at("a").get<std::string>())) << "an emoji is no byte";
}

TEST(Json, ReaderRefusesMalformedTextWithItsPosition) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "line 1, column 1: unexpected end of text"},
        {"{\"a\": 1,\n \"a\": 2}", "line 2, column 2: member \"a\" appears twice"},
        {"[1, 2", "line 1, column 6: expected ',' or ']'"},
        {"{\"a\" 1}", "line 1, column 6: expected ':' after the member name"},
        {"[01]", "line 1, column 3: expected ',' or ']'"},
        {"\"\xC3\"", "line 1, column 2: text is not valid UTF-8"},
        {"\"\xED\xA0\x80\"", "line 1, column 2: text is not valid UTF-8"},
        {"\"\\ud800\"", "line 1, column 8: high surrogate without its low half"},
        {"\"a\tb\"", "line 1, column 3: control character in a string"},
        {"nul", "line 1, column 1: expected a value"},
        {"1 2", "line 1, column 3: unexpected text after the value"},
        {std::string(65, '[') + std::string(65, ']'), "line 1, column 65: values nested too deeply"},
    };
    for (const auto& [text, error] : cases) {
        const json::ReadResult read = json::read(text);
        EXPECT_FALSE(read.value) << text;
        EXPECT_EQ(read.error, error) << text;
    }
    EXPECT_TRUE(json::read(std::string(64, '[') + std::string(64, ']')).value);
}

TEST(Json, ReaderNamesWhatTheParserRefusesInItsOwnWords) {
    const std::pair<std::string, std::string> cases[] = {
        {"[1,]", "line 1, column 4: expected a value"},
        {"{\"a\": 1,}", "line 1, column 9: expected a member name in quotes"},
        {"{\"a\": 1 \"b\"}", "line 1, column 9: expected ',' or '}'"},
        {"[\"\xC3\xA9x\" 1]", "line 1, column 7: expected ',' or ']'"},
        {"\"\\x\"", "line 1, column 3: unknown escape"},
        {"\"abc", "line 1, column 5: unterminated string"},
        {"-", "line 1, column 2: expected digits"},
        {"[1.]", "line 1, column 4: expected digits after the decimal point"},
        {"1e+", "line 1, column 4: expected digits in the exponent"},
        {"{\"a\": tru}", "line 1, column 7: expected a value"},
        {"[1e400]", "line 1, column 2: number out of range"},
        {"\"\\udc00\"", "line 1, column 8: lone low surrogate in \\u escape"},
    };
    for (const auto& [text, error] : cases) {
        const json::ReadResult read = json::read(text);
        EXPECT_FALSE(read.value) << text;
        EXPECT_EQ(read.error, error) << text;
    }
}

TEST(Json, NegativeZeroKeepsItsSign) {
    const json::ReadResult read = json::read("[0, -0, -0.0, {\"a\": -0}]");
    ASSERT_TRUE(read.value) << read.error;
    const Json& values = *read.value;
    EXPECT_FALSE(std::signbit(values[0].get<double>()));
    EXPECT_TRUE(std::signbit(values[1].get<double>()));
    EXPECT_TRUE(std::signbit(values[2].get<double>()));
    EXPECT_TRUE(std::signbit(values[3]["a"].get<double>()));
    EXPECT_EQ(json::write_compact(values), "[0, -0, -0, {\"a\": -0}]");
}

// Every scaled value of 16 bits and a sample of 32 bits, in every unit of the
// record fields: the shortest decimal the unit needs is printed as it is and
// reads back to the same number.
TEST(Json, ScaledNumbersPrintAsTheirShortestDecimal) {
    const Scale scales[] = {{1, 512}, {1, 30}, {1, 256}, {1, 65536}, {1, 65535}, {1, 255}, {360, 65536}, {10800, 65536}};
    std::mt19937 random(31);
    std::uniform_int_distribution<std::int64_t> wide(-(std::int64_t{1} << 31), (std::int64_t{1} << 32) - 1);
    for (const Scale scale : scales) {
        for (std::int64_t index = -70000; index < 90000; ++index) {
            const std::int64_t stored = index < 70000 ? index : wide(random);
            const std::string text = format_scaled(stored, scale);
            const Json number = json_number(text);
            ASSERT_EQ(json::write_compact(number), text) << stored << " / " << scale.denominator;
            const json::ReadResult back = json::read(text);
            ASSERT_TRUE(back.value && *back.value == number) << text;
        }
    }
}

// A sample of every float's bit patterns: the text of a single-precision
// field reads back to the same bits; its plain decimal form replaces the
// exponent form only from 0.00001 up to 0.001.
TEST(Json, SinglePrecisionNumbersReadBackToTheSameBits) {
    for (std::uint64_t bits = 0; bits <= 0xFFFFFFFFu; bits += 65521) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
        if (!std::isnormal(value) && value != 0.0f) continue;
        const std::string shown = format_float(value);
        const std::string written = json::write_compact(json_number(shown));
        const json::ReadResult back = json::read(written);
        ASSERT_TRUE(back.value) << back.error;
        const std::optional<float> read = parse_float(json::number_text(*back.value));
        ASSERT_TRUE(read) << written;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(*read), bits) << written;
        const float magnitude = std::fabs(value);
        if (magnitude < 1e-5f || magnitude >= 1e-3f) {
            ASSERT_EQ(written, shown);
        }
    }
    EXPECT_EQ(json::write_compact(json_number(format_float(0.0005f))), "0.0005");
    EXPECT_EQ(json::write_compact(json_number(format_float(1e20f))), "1e20");
    EXPECT_EQ(json::write_compact(json_number(format_float(100000.0f))), "1e05");
    EXPECT_EQ(json::write_compact(json_number(format_float(1.5e-7f))), "1.5e-07");
}

}  // namespace
}  // namespace cli
