#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_fixtures.h"

namespace {

using namespace tag_fixtures;

class LocalTagScan : public DirectoryTest {
protected:
    std::string read_all(tag_handle handle) {
        std::string data(static_cast<std::size_t>(std::max(tag_get_size(handle), 0)), '\0');
        EXPECT_TRUE(tag_file_read(handle, 0, static_cast<std::int32_t>(data.size()), data.data()));
        return data;
    }
};

struct validity_case {
    const char* what;
    std::function<void(tag_header&)> change;
    bool listed;
};

TEST_F(LocalTagScan, OnlyValidLocalTagFilesAreListed) {
    const validity_case cases[] = {
        {"valid", [](tag_header&) {}, true},
        {"destination none", [](tag_header& header) { header.destination = -1; }, true},
        {"destination 4", [](tag_header& header) { header.destination = 4; }, true},
        {"destination 5", [](tag_header& header) { header.destination = 5; }, false},
        {"another group", [](tag_header& header) { header.group_tag = projectiles; }, false},
        {"offset 63", [](tag_header& header) { header.offset = 63; }, false},
        {"file index 0", [](tag_header& header) { header.file_index = 0; }, false},
        {"file type 3", [](tag_header& header) { header.file_type = 3; }, false},
        {"signature", [](tag_header& header) { header.signature = make_tag("klv1"); }, false},
    };
    tag_code subgroup = make_tag("aaaa");
    for (const validity_case& tested : cases) {
        tag_header header = local_header(monsters, ++subgroup);
        tested.change(header);
        header.flags = 1;  // a stored hidden flag means nothing
        write_local_tag(monsters, tested.what, header, "data");
    }
    folder.write_file("local/monsters/short", std::string(63, '\0'));
    folder.write_file("local/monsters/bad:name", local_tag_file(local_header(monsters, make_tag("bbbb")), ""));
    ASSERT_TRUE(open_directory());

    subgroup = make_tag("aaaa");
    for (const validity_case& tested : cases) {
        SCOPED_TRACE(tested.what);
        const tag_handle handle = tag_find(monsters, ++subgroup);
        EXPECT_EQ(handle != NONE, tested.listed);
        if (handle != NONE) {
            EXPECT_STREQ(tag_get_name(handle), tested.what);
            EXPECT_EQ(tag_get_size(handle), 4) << "size comes from the file length";
        }
    }
    EXPECT_EQ(tag_count_of_group(monsters), 3);
}

TEST_F(LocalTagScan, NamesAreCutAndTrimmedButTheFileIsStillReached) {
    const std::string long_name = "A name that is longer than thirty-one characters";
    write_local_tag(monsters, long_name, local_header(monsters, make_tag("long")), "long");
    write_local_tag(monsters, "Ogre. .", local_header(monsters, make_tag("ogre")), "ogre");
    ASSERT_TRUE(open_directory());

    tag_handle cut = tag_find(monsters, make_tag("long"));
    ASSERT_NE(cut, NONE);
    EXPECT_EQ(std::string(tag_get_name(cut)), long_name.substr(0, 31));
    EXPECT_EQ(read_all(cut), "long");
    ASSERT_TRUE(tag_file_write(cut, 4, 1, "!"));
    EXPECT_EQ(folder.read_file(local_tag_path(monsters, long_name)).substr(64), "long!");

    const tag_handle trimmed = tag_find(monsters, make_tag("ogre"));
    ASSERT_NE(trimmed, NONE);
    EXPECT_STREQ(tag_get_name(trimmed), "Ogre");
    EXPECT_EQ(read_all(trimmed), "ogre");
}

TEST_F(LocalTagScan, NamesDifferingOnlyInCaseAreBothScanned) {
    write_local_tag(monsters, "Ogre", local_header(monsters, make_tag("ogr1")), "upper");
    write_local_tag(monsters, "ogre", local_header(monsters, make_tag("ogr2")), "lower");
    write_local_tag(monsters, "Troll", local_header(monsters, make_tag("trol")), "first");
    write_local_tag(monsters, "TROLL", local_header(monsters, make_tag("trol")), "second");
    ASSERT_TRUE(open_directory());

    EXPECT_EQ(read_all(tag_find(monsters, make_tag("ogr1"))), "upper");
    EXPECT_EQ(read_all(tag_find(monsters, make_tag("ogr2"))), "lower");

    // Same subgroup: one is visible, and it reads its own file; deleting it
    // uncovers the other, which reads its own file too.
    const tag_handle visible = tag_find(monsters, make_tag("trol"));
    ASSERT_NE(visible, NONE);
    const std::string visible_name = tag_get_name(visible);
    EXPECT_EQ(read_all(visible), visible_name == "Troll" ? "first" : "second");
    ASSERT_TRUE(tag_file_delete(visible));
    EXPECT_TRUE(folder.read_file(local_tag_path(monsters, visible_name)).empty());
    const tag_handle uncovered = tag_find(monsters, make_tag("trol"));
    ASSERT_NE(uncovered, NONE);
    EXPECT_NE(std::string(tag_get_name(uncovered)), visible_name);
    EXPECT_EQ(read_all(uncovered), visible_name == "Troll" ? "second" : "first");
}

TEST_F(LocalTagScan, CreatingANameReplacesEveryCaseVariant) {
    write_local_tag(monsters, "Troll", local_header(monsters, make_tag("trol")), "first");
    write_local_tag(monsters, "TROLL", local_header(monsters, make_tag("trol")), "second");
    ASSERT_TRUE(open_directory());
    const tag_handle created = tag_file_create(monsters, "troll", 1);
    ASSERT_NE(created, NONE);
    EXPECT_EQ(tag_get_subgroup(created), make_tag("trol"));
    EXPECT_EQ(tag_find(monsters, make_tag("trol")), created);
    EXPECT_EQ(tag_count_of_group(monsters), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / local_tag_path(monsters, "Troll")));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / local_tag_path(monsters, "TROLL")));
}

TEST_F(LocalTagScan, NumberedGroupsGetUniqueSubgroups) {
    write_local_tag(recordings, "first", local_header(recordings, 7), "1");
    write_local_tag(recordings, "second", local_header(recordings, 7), "2");
    ASSERT_TRUE(open_directory());
    EXPECT_EQ(tag_count_of_group(recordings), 2);
    EXPECT_NE(tag_find(recordings, 7), NONE);
    EXPECT_NE(tag_find(recordings, 8), NONE);
}

TEST_F(LocalTagScan, LeftoverTemporaryFilesAreNotTags) {
    write_local_tag(monsters, ".~tessary-abc123", local_header(monsters, make_tag("temp")), "half");
    ASSERT_TRUE(open_directory());
    EXPECT_EQ(tag_count_of_group(monsters), 0);
}

TEST_F(LocalTagScan, GameModeTakesOnlyTheGameModeGroups) {
    write_local_tag(monsters, "Ogre", local_header(monsters, make_tag("ogre")), "");
    write_local_tag(string_lists, "Names", local_header(string_lists, make_tag("name")), "");
    ASSERT_TRUE(tag_files_open(true, nullptr, 0, NONE));
    EXPECT_EQ(tag_count_of_group(monsters), 0);
    EXPECT_EQ(tag_count_of_group(string_lists), 1);
}

}  // namespace
