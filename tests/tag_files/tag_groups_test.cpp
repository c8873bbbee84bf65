#include <gtest/gtest.h>

#include <string>

#include "tag_files/tag_groups.h"

namespace {

TEST(TagGroups, TableHoldsTheThirtyEightGroupsInScanOrder) {
    EXPECT_EQ(tag_group_count(), 38);
    const char* names[tag_group_table_size];
    tag_group_get_folder_names(names);
    EXPECT_STREQ(names[0], "ambient sounds");
    EXPECT_STREQ(names[15], "meshes");
    EXPECT_STREQ(names[37], "formations");

    int rows = 0;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        EXPECT_STREQ(row->folder_name, names[rows]);
        EXPECT_EQ(tag_group_get_definition(row->group_tag), row);
        ++rows;
    }
    EXPECT_EQ(rows, 38);
}

TEST(TagGroups, RowsCarryFlagsVersionsAndDestinations) {
    const group_definition* collections = tag_group_get_definition(make_tag(".256"));
    ASSERT_NE(collections, nullptr);
    EXPECT_EQ(collections->flags, group_flag_marks_file);
    EXPECT_EQ(collections->version, 4);
    EXPECT_EQ(collections->default_destination, 2);

    const group_definition* saved_games = tag_group_get_definition(make_tag("save"));
    ASSERT_NE(saved_games, nullptr);
    EXPECT_EQ(saved_games->flags, group_flag_outside_local | group_flag_numbered);
    EXPECT_STREQ(saved_games->folder_name, "saved games");

    EXPECT_EQ(tag_group_get_version(make_tag("mesh")), 11);
    EXPECT_EQ(tag_group_get_definition(make_tag("geom"))->default_destination, 1);
    EXPECT_EQ(tag_group_get_definition(make_tag("font"))->default_destination, 3);
}

TEST(TagGroups, UnknownCodesHaveNoRow) {
    EXPECT_EQ(tag_group_get_definition(make_tag("xxxx")), nullptr);
    EXPECT_STREQ(tag_group_get_folder_name(make_tag("xxxx")), "<invalid group>");
    EXPECT_EQ(tag_group_get_version(make_tag("xxxx")), -1);
}

TEST(TagGroups, GameModeGroupsAreTheSix) {
    int count = 0;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        if (tag_group_is_game_mode_group(row->group_tag)) ++count;
    }
    EXPECT_EQ(count, 6);
    EXPECT_TRUE(tag_group_is_game_mode_group(make_tag("pref")));
    EXPECT_FALSE(tag_group_is_game_mode_group(make_tag("mons")));
}

}  // namespace
