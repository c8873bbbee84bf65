// The text groups through tessary-cli: export and import as UTF-8 text, the
// group text dump and the strings of a list.

#include <gtest/gtest.h>

#include <set>

#include "cli_runner.h"

namespace cli_test {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Game bytes shown as '?' in the editor: control bytes other than TAB, LF and
// CR, the Mac no-break space, and Mac OS Roman characters Windows-1252 lacks.
const std::set<unsigned> bytes_without_display_character = {
    0,    1,    2,    3,    4,    5,    6,    7,    8,    11,   12,   14,   15,   16,   17,   18,   19,   20,
    21,   22,   23,   24,   25,   26,   27,   28,   29,   30,   31,   0xAD, 0xB0, 0xB2, 0xB3, 0xB6, 0xB7, 0xB8,
    0xB9, 0xBA, 0xBD, 0xC3, 0xC5, 0xC6, 0xCA, 0xD7, 0xDA, 0xDE, 0xDF, 0xF0, 0xF5, 0xF9, 0xFA, 0xFB, 0xFD, 0xFE,
    0xFF,
};

TEST_F(CliTest, EveryByteWithADisplayCharacterRoundTripsThroughText) {
    std::string data;
    for (unsigned byte = 0; byte < 256; ++byte) {
        if (!bytes_without_display_character.contains(byte)) data += static_cast<char>(byte);
    }
    ASSERT_EQ(data.size(), 201u);
    for (const char* group : {"stli", "temp", "text"}) {
        const std::string tag = std::string(group) + "/all";
        ok({"new", group, "all"});
        folder.write_file("all.bin", data);
        ok({"import", tag, "all.bin", "--raw"});
        ok({"export", tag, "--text", "-o", "all.txt"});
        folder.write_file("all.bin", "");
        ok({"import", tag, "all.bin", "--raw"});
        const std::string imported = ok({"import", tag, "all.txt", "--text"});
        EXPECT_TRUE(contains(imported, "imported 201 bytes")) << imported;
        EXPECT_EQ(to_string(raw(tag)), data) << group;
    }
}

TEST_F(CliTest, TextIsUtf8WithLfLineEndsAndTheTagMacRomanWithCr) {
    ok({"new", "text", "story"});
    folder.write_file("story.txt", "Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D\n\xC2\xA4 \xE2\x80\x93 \xC3\x9C\tend\n");
    ok({"import", "text/story", "story.txt", "--text"});
    EXPECT_EQ(to_string(raw("text/story")), "Caf\x8E \xD2quoted\xD3\r\xDB \xD0 \x86\tend\r");
    EXPECT_EQ(ok({"export", "text/story", "--text"}), folder.read_file("story.txt"));

    // Every system's line ends are line ends; LINE SEPARATOR is the tag's LF byte.
    const struct {
        const char* text;
        const char* data;
    } line_ends[] = {
        {"a\r\nb\r\n", "a\rb\r"},
        {"a\rb\r", "a\rb\r"},
        {"a\r\r\nb\n\rc", "a\r\rb\r\rc"},
        {"a\xE2\x80\xA8" "b", "a\nb"},
    };
    for (const auto& c : line_ends) {
        folder.write_file("ends.txt", c.text);
        ok({"import", "text/story", "ends.txt", "--text"});
        EXPECT_EQ(to_string(raw("text/story")), c.data) << c.text;
    }
    EXPECT_EQ(ok({"export", "text/story", "--text"}), "a\xE2\x80\xA8" "b");
    folder.write_file("ends.txt", "x\ry\r\n\xE2\x82\xAC");
    const CliRun refused = cli({"import", "text/story", "ends.txt", "--text"});
    EXPECT_TRUE(contains(refused.err, "line 3, column 1")) << refused.err;

    // A byte the editor shows as '?' is exported as '?', with a warning.
    folder.write_file("control.bin", std::string("a\x01" "b", 3));
    ok({"import", "text/story", "control.bin", "--raw"});
    const CliRun exported = cli({"export", "text/story", "--text"});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, "a?b");
    EXPECT_TRUE(contains(exported.err, "at byte 1")) << exported.err;
}

TEST_F(CliTest, TextImportRefusesWhatTheGameCannotShowAndWritesNothing) {
    ok({"new", "stli", "names"});
    folder.write_file("names.txt", "kept\n");
    ok({"import", "stli/names", "names.txt", "--text"});
    const struct Case {
        std::string text;
        std::string where;
    } cases[] = {
        {"first\nsecond \xE2\x82\xAC\n", "line 2, column 8"},  // the euro sign
        {"\xE6\x97\xA5", "line 1, column 1"},
        {"ok\x01", "line 1, column 3"},
        {"bad \xC3(", "line 1, column 5"},  // not UTF-8
    };
    for (const Case& c : cases) {
        folder.write_file("bad.txt", c.text);
        const CliRun refused = cli({"import", "stli/names", "bad.txt", "--text"});
        EXPECT_EQ(refused.status, 1) << c.text;
        EXPECT_TRUE(contains(refused.err, c.where)) << refused.err;
        EXPECT_EQ(to_string(raw("stli/names")), "kept\r");
    }
    ok({"new", "mons", "Ogre"});
    const CliRun not_text = cli({"export", "mons/Ogre", "--text"});
    EXPECT_EQ(not_text.status, 1);
    EXPECT_TRUE(contains(not_text.err, "only for string lists, templates and texts")) << not_text.err;
    EXPECT_EQ(cli({"import", "mons/Ogre", "names.txt", "--text"}).status, 1);
}

TEST_F(CliTest, DumpTextWritesTheGroupsTagsAsTheEditorDoes) {
    for (const char* name : {"Gamma", "alpha", "Beta"}) ok({"new", "mons", name});
    const std::string wrote = ok({"dump-text", "monsters"});
    EXPECT_TRUE(contains(wrote, "monsters.txt (3 tags)")) << wrote;
    // In slot order, which is the order the local folder was scanned in.
    const std::string dump = folder.read_file("monsters.txt");
    std::multiset<std::string> lines;
    for (std::size_t start = 0, end; (end = dump.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.insert(dump.substr(start, end - start));
    }
    EXPECT_EQ(lines, (std::multiset<std::string>{"Beta\tbeta", "Gamma\tgamm", "alpha\talph"})) << dump;
    EXPECT_TRUE(dump.ends_with("\r\n")) << dump;
}

TEST_F(CliTest, StringsListsWhatTheGameReads) {
    ok({"new", "stli", "names"});
    folder.write_file("names.bin", "a\r\n\rb");
    ok({"import", "stli/names", "names.bin", "--raw"});
    EXPECT_EQ(ok({"strings", "stli/names"}), "0\ta\n1\tb\n");
    EXPECT_EQ(cli({"strings", "mons/none"}).status, 1);
}

}  // namespace
}  // namespace cli_test
