#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "core/tag_code.h"
#include "definitions/tag_name_list.h"
#include "support/open_tag_files.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_header.h"

namespace {

using definitions::TagNameList;
using definitions::TagNameLists;

class TagNameListTest : public test_support::OpenTagFilesTest {
protected:
    static void create(tag_code group, const char* name) {
        ASSERT_NE(tag_file_create(group, name, 1), NONE) << name;
        tag_file_close_local();
    }

    static std::vector<std::string> names(const TagNameList& list) {
        std::vector<std::string> result;
        for (const auto& entry : list.entries) result.push_back(entry.name);
        return result;
    }

    TagNameLists lists;
};

TEST_F(TagNameListTest, NoTagFirstThenNamesInByteOrderWithTheirSubgroups) {
    const tag_code sounds = make_tag("soun");
    for (const char* name : {"wolf howl", "Wolf", "arrow", "arrow hit", "Zebra"}) create(sounds, name);

    lists.rebuild_tag_list(sounds, false);
    const TagNameList* list = lists.find_tag_list(sounds);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->group_tag, sounds);
    EXPECT_EQ(names(*list), (std::vector<std::string>{"No Tag", "Wolf", "Zebra", "arrow", "arrow hit", "wolf howl"}));
    EXPECT_EQ(list->entries[0].subgroup, -1);
    for (size_t index = 1; index < list->entries.size(); ++index) {
        const auto& entry = list->entries[index];
        EXPECT_EQ(static_cast<tag_code>(entry.subgroup),
                  tag_get_subgroup(tag_find(sounds, static_cast<tag_code>(entry.subgroup))))
            << entry.name;
        EXPECT_STREQ(tag_get_name(tag_find(sounds, static_cast<tag_code>(entry.subgroup))), entry.name.c_str());
    }
}

TEST_F(TagNameListTest, RebuildFollowsTheDirectoryAndKeepsTheSameList) {
    const tag_code sounds = make_tag("soun");
    lists.rebuild_tag_list(sounds, false);
    const TagNameList* list = lists.find_tag_list(sounds);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(names(*list), std::vector<std::string>{"No Tag"});

    create(sounds, "thunder");
    lists.rebuild_tag_list(sounds, false);
    EXPECT_EQ(lists.find_tag_list(sounds), list);
    EXPECT_EQ(names(*list), (std::vector<std::string>{"No Tag", "thunder"}));
}

TEST_F(TagNameListTest, OnlyListedGroupsUnlessForced) {
    const tag_code formations = make_tag("form");  // shown, no list
    const tag_code unknown = make_tag("zzzz");
    lists.rebuild_tag_list(formations, false);
    lists.rebuild_tag_list(unknown, false);
    EXPECT_EQ(lists.find_tag_list(formations), nullptr);
    EXPECT_EQ(lists.find_tag_list(unknown), nullptr);

    create(formations, "wedge");
    lists.rebuild_tag_list(formations, true);
    ASSERT_NE(lists.find_tag_list(formations), nullptr);
    EXPECT_EQ(names(*lists.find_tag_list(formations)), (std::vector<std::string>{"No Tag", "wedge"}));
}

TEST_F(TagNameListTest, AtMostTheDirectorysLimitOfTagsPerGroup) {
    // Written straight into the local folder: creating them one by one through the
    // directory would make this test slow.
    const tag_code collections = make_tag(".256");
    for (int index = 0; index < tag_group_list_limit + 3; ++index) {
        tag_header header{};
        const std::string name = "c" + std::to_string(10000 + index);
        std::strncpy(header.name, name.c_str(), tag_name_maximum_length);
        header.group_tag = collections;
        header.subgroup_tag = make_tag('c', char(index >> 16), char(index >> 8), char(index));
        header.offset = local_tag_data_offset;
        header.version = 1;
        header.destination = tag_destination_none;
        header.file_index = -1;
        header.signature = tag_header_signature;
        byte_swap_tag_headers(&header, 1);
        folder.write_file(std::string("local/") + tag_group_get_folder_name(collections) + "/" + name,
                          std::string(reinterpret_cast<const char*>(&header), sizeof header));
    }
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    ASSERT_EQ(tag_count_of_group(collections), tag_group_list_limit);
    lists.rebuild_tag_list(collections, false);
    ASSERT_NE(lists.find_tag_list(collections), nullptr);
    EXPECT_EQ(lists.find_tag_list(collections)->entries.size(), size_t{tag_group_list_limit} + 1);
}

}  // namespace
