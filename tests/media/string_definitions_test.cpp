#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "core/tag_code.h"
#include "media/string_definitions.h"
#include "support/working_folder.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

namespace {

using strings = std::vector<std::string>;

TEST(StringDefinitions, TextsCutByTheirGroupsRule) {
    const struct Case {
        tag_code group;
        std::string data;
        strings expected;
    } cases[] = {
        {string_list_group, "a\r\n\rb", {"a", "b"}},
        {template_group, "a\r\n\rb", {"a", "b"}},
        {string_list_group, "\r\rfirst\nsecond\r\n", {"first", "second"}},
        {string_list_group, std::string("one\0two", 7), {"one", "two"}},
        {string_list_group, "", {}},
        {string_list_group, "\r\n", {}},
        {dialog_string_list_group, "a\r\nb", {"a", "", "b"}},
        {dialog_string_list_group, "", {""}},
        {dialog_string_list_group, "\r", {"", ""}},
        {dialog_string_list_group, std::string("x\0y", 3), {"x", "y"}},
        // A style code is one unit, "|r" becomes a line break inside the string.
        {dialog_string_list_group, "line|rbreak\rnext", {"line\r\nbreak", "next"}},
        {dialog_string_list_group, "|R|b|c\rz", {"|R|b|c", "z"}},
        {dialog_string_list_group, "bar|\rz", {"bar|", "z"}},
        {dialog_string_list_group, "|r", {"\r\n"}},
        {text_group, "all\rof\nit", {"all\rof\nit"}},
        {text_group, std::string("up to\0here", 10), {"up to"}},
        {make_tag("mons"), "a\rb", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(strings_of_text(c.group, c.data), c.expected) << tag_code_to_text(c.group) << " " << c.data;
    }
}

TEST(StringDefinitions, CuttingInPlaceZeroesEachTerminator) {
    std::string text("a\r\n\rb", 6);
    const std::vector<char*> cut = cut_strings(string_list_group, text);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], text.data());
    EXPECT_EQ(cut[1], text.data() + 4);
    EXPECT_EQ(text, std::string("a\0\0\0b\0", 6));

    std::string unterminated = "a\rb";
    EXPECT_TRUE(cut_strings(string_list_group, unterminated).empty());
}

class StringListTest : public ::testing::Test {
protected:
    void SetUp() override {
        initialize_error_manager("tests");
        tag_files_initialize();
        ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    }
    void TearDown() override {
        unload_string_lists();
        tag_files_close();
    }

    static tag_code create(tag_code group, const char* name, const std::string& data) {
        tag_handle handle = tag_file_create(group, name, 1);
        EXPECT_NE(handle, NONE) << name;
        if (!data.empty()) {
            EXPECT_TRUE(tag_file_write(handle, 0, static_cast<int32_t>(data.size()), data.data()));
        }
        tag_file_close_local();
        return tag_get_subgroup(handle);
    }

    static strings loaded(int32_t list) {
        strings result;
        for (int32_t index = 0; index < get_string_count(list); ++index) result.emplace_back(get_string(list, index));
        return result;
    }

    test_support::WorkingFolder folder;
};

TEST_F(StringListTest, LoadsEachGroupsStringsOnce) {
    const tag_code names = create(string_list_group, "names", "a\r\n\rb");
    const tag_code dialog = create(dialog_string_list_group, "dialog", "a\r\nb");
    const tag_code story = create(text_group, "story", "Once\rupon");

    const int32_t names_list = load_string_list(string_list_group, names, false);
    const int32_t dialog_list = load_string_list(dialog_string_list_group, dialog, true);
    const int32_t story_list = load_string_list(text_group, story, false);
    ASSERT_NE(names_list, NONE);
    ASSERT_NE(dialog_list, NONE);
    ASSERT_NE(story_list, NONE);
    EXPECT_EQ(loaded(names_list), (strings{"a", "b"}));
    EXPECT_EQ(loaded(dialog_list), (strings{"a", "", "b"}));
    EXPECT_EQ(loaded(story_list), strings{"Once\rupon"});

    // Loaded once: a change of the tag is not seen by a second load.
    tag_handle handle = tag_find(string_list_group, names);
    ASSERT_TRUE(tag_replace_data(handle, "changed", 7));
    EXPECT_EQ(load_string_list(string_list_group, names, false), names_list);
    EXPECT_EQ(loaded(names_list), (strings{"a", "b"}));
    EXPECT_EQ(error_text(), "");
}

TEST_F(StringListTest, IndexesOutsideTheListGiveTheEmptyString) {
    const int32_t list = load_string_list(string_list_group, create(string_list_group, "names", "a\rb"), false);
    ASSERT_NE(list, NONE);
    EXPECT_STREQ(get_string(list, 1), "b");
    EXPECT_STREQ(get_string(list, 2), "");
    EXPECT_STREQ(get_string(list, -1), "");
    EXPECT_STREQ(get_string(list + 1, 0), "");
    EXPECT_STREQ(get_string(NONE, 0), "");
}

TEST_F(StringListTest, MissingTagIsReportedAndLoadsNothing) {
    EXPECT_EQ(load_string_list(string_list_group, NONE, false), NONE);
    EXPECT_EQ(error_text(), "");
    EXPECT_EQ(load_string_list(string_list_group, make_tag("gone"), false), NONE);
    EXPECT_EQ(pending_error_kind(), error_file_read);
    EXPECT_NE(error_text().find("couldn't read tag header for string 'gone'."), std::string_view::npos)
        << error_text();
    EXPECT_STREQ(get_string(0, 0), "");
}

TEST_F(StringListTest, UnreadableDataIsReported) {
    const tag_code names = create(string_list_group, "names", "a\rb");
    // The header promises more data than the file holds.
    const tag_handle handle = tag_find(string_list_group, names);
    ASSERT_NE(tag_local_file_name(handle), nullptr);
    std::filesystem::resize_file(folder.path() / "local" / "string lists" / tag_local_file_name(handle), 64);
    EXPECT_EQ(load_string_list(string_list_group, names, false), NONE);
    EXPECT_NE(error_text().find("couldn't read string data for names."), std::string_view::npos) << error_text();
}

TEST_F(StringListTest, ReadsTheStringsOfAVisibleTagAfresh) {
    const tag_code names = create(string_list_group, "names", "one\rtwo");
    EXPECT_EQ(read_tag_strings(string_list_group, names), (strings{"one", "two"}));
    tag_handle handle = tag_find(string_list_group, names);
    ASSERT_TRUE(tag_replace_data(handle, "three\r", 6));
    EXPECT_EQ(read_tag_strings(string_list_group, names), strings{"three"});
    EXPECT_EQ(read_tag_strings(string_list_group, make_tag("gone")), std::nullopt);
}

}  // namespace
