// The JSON reader takes what users write and refuses the rest with a position;
// the writer prints the same text for the same value.

#include <gtest/gtest.h>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/utf8_text.h"

namespace cli {
namespace {

TEST(Json, WriterSortsMembersAndEscapesToAscii) {
    json::Object object;
    object.set("zebra", json::Value::integer(-1));
    object.set("alpha", json::Value(json::Array{json::Value(true), json::Value(nullptr)}));
    object.set("text", json::Value(bytes_to_text(std::string("a\"\\\n\x01\xE9\0", 7))));
    const json::Value value(std::move(object));
    EXPECT_EQ(json::write_compact(value),
              "{\"alpha\": [true, null], \"text\": \"a\\\"\\\\\\n\\u0001\\u00e9\\u0000\", \"zebra\": -1}");
    EXPECT_EQ(json::write_pretty(value),
              "{\n  \"alpha\": [\n    true,\n    null\n  ],\n  \"text\": \"a\\\"\\\\\\n\\u0001\\u00e9\\u0000\",\n"
              "  \"zebra\": -1\n}");
    const json::ReadResult back = json::read(json::write_pretty(value));
    ASSERT_TRUE(back.value) << back.error;
    EXPECT_EQ(*back.value, value);
    EXPECT_EQ(text_to_bytes(back.value->as_object().find("text")->as_string()), std::string("a\"\\\n\x01\xE9\0", 7));
}

TEST(Json, ReaderDecodesEscapesAndUtf8) {
    const json::ReadResult read = json::read(" {\"a\": \"\\u00e9\\ud83d\\ude00\xC3\xA9\", \"b\": -1.5e3} ");
    ASSERT_TRUE(read.value) << read.error;
    EXPECT_EQ(read.value->as_object().find("a")->as_string(), "\xC3\xA9\xF0\x9F\x98\x80\xC3\xA9");
    EXPECT_EQ(read.value->as_object().find("b")->as_number().text, "-1.5e3");
    EXPECT_FALSE(text_to_bytes(read.value->as_object().find("a")->as_string())) << "an emoji is no byte";
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

}  // namespace
}  // namespace cli
