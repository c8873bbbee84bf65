#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/unprivileged.h"
#include "tag_files/slot_table.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_fixtures.h"

namespace {

using namespace tag_fixtures;

class LocalTags : public DirectoryTest {
protected:
    void SetUp() override {
        DirectoryTest::SetUp();
        ASSERT_TRUE(open_directory());
    }

    tag_handle create_with_data(const char* name, const std::string& data) {
        tag_handle handle = tag_file_create(monsters, name, 1);
        EXPECT_NE(handle, NONE);
        EXPECT_TRUE(tag_file_write(handle, 0, static_cast<std::int32_t>(data.size()), data.data()));
        tag_file_close_local();
        return handle;
    }

    std::string read_all(tag_handle handle) {
        std::string data(static_cast<std::size_t>(std::max(tag_get_size(handle), 0)), '\0');
        EXPECT_TRUE(tag_file_read(handle, 0, static_cast<std::int32_t>(data.size()), data.data()));
        return data;
    }
};

// Reading takes no write access: a tag file that may only be read is read, and
// a reader elsewhere does not shut this one out. Writing it fails and leaves it.
TEST_F(LocalTags, ReadingNeedsNoWriteAccess) {
    const tag_handle handle = create_with_data("Ogre", "0123456789");
    const std::filesystem::path file = folder.path() / "local/monsters/Ogre";
    const std::string before = folder.read_file("local/monsters/Ogre");

    const int other_reader = open(file.c_str(), O_RDONLY);
    ASSERT_GE(other_reader, 0);
    struct flock shared {};
    shared.l_type = F_RDLCK;
    shared.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(other_reader, F_OFD_SETLK, &shared), 0);
    EXPECT_EQ(read_all(handle), "0123456789");
    tag_file_close_local();
    close(other_reader);

    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    const bool held = test_support::run_unprivileged(folder.path(), [handle] {
        char data[10] = {};
        const bool read = tag_file_read(handle, 0, 10, data) && std::string(data, 10) == "0123456789";
        tag_handle written = handle;
        const bool refused = !tag_file_write(written, 0, 3, "abc");
        tag_file_close_local();
        if (!read || !refused) std::fprintf(stderr, "read %d, write refused %d\n", read, refused);
        return read && refused;
    });
    EXPECT_TRUE(held);
    EXPECT_EQ(folder.read_file("local/monsters/Ogre"), before);
}

TEST_F(LocalTags, CreatedTagIsFoundWrittenAndReadBack) {
    const tag_handle handle = tag_file_create(monsters, "Dwarf Lord", 1);
    ASSERT_NE(handle, NONE);
    EXPECT_EQ(tag_get_subgroup(handle), make_tag("dwlo"));
    EXPECT_EQ(tag_find(monsters, make_tag("dwlo")), handle);
    EXPECT_EQ(tag_get_destination(handle), 0);
    EXPECT_EQ(folder.read_file("local/monsters/Dwarf Lord").size(), 64u);

    tag_handle written = handle;
    ASSERT_TRUE(tag_file_write(written, 0, 10, "0123456789"));
    EXPECT_EQ(written, handle) << "a local tag stays where it is";
    EXPECT_EQ(tag_get_size(handle), 10);
    char bytes[4] = {};
    ASSERT_TRUE(tag_file_read(handle, 3, 4, bytes));
    EXPECT_EQ(std::string(bytes, 4), "3456");
    EXPECT_EQ(folder.read_file("local/monsters/Dwarf Lord").substr(64), "0123456789")
        << "the data starts at file position 64";

    ASSERT_TRUE(tag_file_write(written, 2, 3, "abc"));
    EXPECT_EQ(tag_get_size(handle), 10) << "writing never shortens";
    EXPECT_EQ(read_all(handle), "01abc56789");
}

TEST_F(LocalTags, SubgroupsOfSimilarNamesFollowEachOther) {
    const tag_handle lord = tag_file_create(monsters, "Dwarf Lord", 1);
    const tag_handle lo = tag_file_create(monsters, "Dwarf Lo", 1);
    EXPECT_EQ(tag_get_subgroup(lord), make_tag("dwlo"));
    EXPECT_EQ(tag_get_subgroup(lo), make_tag("dwlp"));
}

TEST_F(LocalTags, SubgroupThatWouldBeNoneIsTakenAsUsed) {
    const tag_handle handle = tag_file_create(monsters, "\xff\xff\xff\xff", 1);
    ASSERT_NE(handle, NONE);
    EXPECT_NE(tag_get_subgroup(handle), tag_code(NONE));
}

TEST_F(LocalTags, CreatingANameAgainReplacesTheTagUnderItsSubgroup) {
    const tag_handle first = create_with_data("Ogre", "old data");
    const tag_code subgroup = tag_get_subgroup(first);
    const tag_handle second = tag_file_create(monsters, "OGRE", 1);
    ASSERT_NE(second, NONE);
    EXPECT_EQ(tag_get_subgroup(second), subgroup);
    EXPECT_EQ(tag_count_of_group(monsters), 1);
    EXPECT_EQ(tag_get_size(second), 0);
    EXPECT_EQ(tag_get_name(first), std::string("<unknown>"));
    EXPECT_TRUE(folder.read_file("local/monsters/Ogre").empty()) << "the old file is gone";
}

TEST_F(LocalTags, NamesAreMadeValidAndEmptyNamesRefused) {
    const tag_handle colon = tag_file_create(monsters, "a:b", 1);
    ASSERT_NE(colon, NONE);
    EXPECT_STREQ(tag_get_name(colon), "a_b");
    EXPECT_EQ(folder.read_file("local/monsters/a_b").size(), 64u);

    EXPECT_EQ(tag_file_create(monsters, "   ", 1), NONE);
    EXPECT_NE(log_text().find("couldn't create local tag file"), std::string::npos);
    EXPECT_EQ(tag_file_create(monsters, "", 1), NONE);
    EXPECT_EQ(tag_count_of_group(monsters), 1);
}

TEST_F(LocalTags, ReadsAndWritesStayInsideTheData) {
    tag_handle handle = create_with_data("Ogre", "0123456789");
    char buffer[16];
    EXPECT_TRUE(tag_file_read(handle, 10, 0, buffer));
    EXPECT_FALSE(tag_file_read(handle, 8, 3, buffer)) << "past the end";
    EXPECT_FALSE(tag_file_read(handle, -1, 2, buffer));
    EXPECT_FALSE(tag_file_read(handle, 0, -2, buffer));
    EXPECT_FALSE(tag_file_read(handle, INT_MAX, 2, buffer)) << "position + size must not wrap";
    EXPECT_FALSE(tag_file_read_ahead(handle, 9, 2, buffer));
    EXPECT_FALSE(tag_file_write(handle, -1, 2, "ab"));
    EXPECT_FALSE(tag_file_write(handle, INT_MAX - 1, 2, "ab"));
    EXPECT_EQ(tag_get_size(handle), 10);
}

TEST_F(LocalTags, InvalidHandlesActAsHiddenTags) {
    tag_handle deleted = create_with_data("Gone", "xyz");
    const tag_handle kept = create_with_data("Kept", "abc");
    ASSERT_TRUE(tag_file_delete(deleted));
    const tag_handle reused = tag_file_create(monsters, "Reused", 1);
    ASSERT_EQ(slot_handle_index(reused), slot_handle_index(deleted));

    const std::vector<tag_handle> invalid{
        NONE, deleted, make_slot_handle(0x7FFF, slot_handle_identifier(kept)),
        make_slot_handle(slot_handle_index(kept) + 5, slot_handle_identifier(kept))};
    for (tag_handle handle : invalid) {
        SCOPED_TRACE(handle);
        tag_info info;
        char buffer[4];
        EXPECT_FALSE(tag_get_info(handle, &info));
        EXPECT_STREQ(tag_get_name(handle), "<unknown>");
        EXPECT_EQ(tag_get_size(handle), NONE);
        EXPECT_EQ(tag_get_group(handle), tag_code(NONE));
        EXPECT_EQ(tag_get_version(handle), -1);
        EXPECT_EQ(tag_get_data_offset(handle), NONE);
        EXPECT_FALSE(tag_file_read(handle, 0, 1, buffer));
        EXPECT_FALSE(tag_file_read_ahead(handle, 0, 1, buffer));
        tag_handle target = handle;
        EXPECT_FALSE(tag_file_write(target, 0, 1, "x"));
        EXPECT_FALSE(tag_replace_data(target, "x", 1));
        EXPECT_FALSE(tag_rename(target, "Other"));
        EXPECT_FALSE(tag_file_delete(handle));
        EXPECT_FALSE(copy_tag_to_local(target));
    }
    EXPECT_EQ(tag_count_of_group(monsters), 2);
}

TEST_F(LocalTags, QueriesSelectVisibleTagsByAnyField) {
    const tag_handle ogre = create_with_data("Ogre", "12345");
    const tag_handle troll = create_with_data("Troll", "1");
    tag_handle other = tag_file_create(projectiles, "Arrow", 3);

    tag_info query;
    tag_query_initialize(&query);
    tag_handle found[4];
    EXPECT_EQ(tag_query(&query, nullptr, -1), 3);
    EXPECT_EQ(tag_query(&query, found, 2), 2);

    std::strcpy(query.name, "oGRE");
    ASSERT_EQ(tag_query(&query, found, -1), 1);
    EXPECT_EQ(found[0], ogre);

    tag_query_initialize(&query);
    query.version = 2;
    ASSERT_EQ(tag_query(&query, found, -1), 1) << "version is at least";
    EXPECT_EQ(found[0], other);

    tag_query_initialize(&query);
    query.size = 1;
    query.file_type = 0;
    ASSERT_EQ(tag_query(&query, found, -1), 1);
    EXPECT_EQ(found[0], troll);

    tag_handle group[tag_group_list_limit];
    EXPECT_EQ(tag_list_of_group(monsters, group), 2);
    EXPECT_EQ(tag_get_nth_of_group(monsters, 1), troll);
    EXPECT_EQ(tag_get_nth_of_group(monsters, 2), NONE);
    EXPECT_EQ(tag_get_nth_of_group(monsters, -1), NONE);
}

TEST_F(LocalTags, RenameMovesTheFileAndRefusesClashes) {
    tag_handle ogre = create_with_data("Ogre", "ogre data");
    create_with_data("Troll", "troll");
    folder.write_file("local/monsters/Untracked", "not a tag");

    EXPECT_FALSE(tag_rename(ogre, "OGRE")) << "the tag itself has that name ignoring case";
    EXPECT_FALSE(tag_rename(ogre, "troll"));
    EXPECT_FALSE(tag_rename(ogre, "Untracked")) << "another file is never replaced";
    EXPECT_EQ(folder.read_file("local/monsters/Untracked"), "not a tag");

    ASSERT_TRUE(tag_rename(ogre, "Big:Ogre"));
    EXPECT_STREQ(tag_get_name(ogre), "Big_Ogre");
    EXPECT_TRUE(folder.read_file("local/monsters/Ogre").empty());
    EXPECT_EQ(folder.read_file("local/monsters/Big_Ogre").substr(64), "ogre data");
    EXPECT_EQ(read_all(ogre), "ogre data");
}

TEST_F(LocalTags, InfoChangesReachTheFile) {
    tag_handle ogre = create_with_data("Ogre", "data");
    EXPECT_FALSE(tag_set_destination(ogre, 5)) << "a tag with destination 5 would not be found again";
    ASSERT_TRUE(tag_set_destination(ogre, 4));
    ASSERT_TRUE(tag_set_user_data(ogre, 0xCAFEF00D));
    ASSERT_TRUE(tag_set_version(ogre, 7));

    ASSERT_TRUE(open_directory());
    const tag_handle again = tag_find(monsters, make_tag("ogre"));
    ASSERT_NE(again, NONE);
    EXPECT_EQ(tag_get_destination(again), 4);
    EXPECT_EQ(tag_get_user_data(again), 0xCAFEF00Du);
    EXPECT_EQ(tag_get_version(again), 7);
    EXPECT_EQ(read_all(again), "data");
}

TEST_F(LocalTags, ReplacingTheDataKeepsTheTagsIdentity) {
    tag_handle ogre = create_with_data("Ogre", "a long piece of data");
    ASSERT_TRUE(tag_set_user_data(ogre, 42));
    const tag_handle before = ogre;
    ASSERT_TRUE(tag_replace_data(ogre, "short", 5));
    EXPECT_EQ(ogre, before);
    EXPECT_EQ(tag_get_size(ogre), 5);
    EXPECT_EQ(tag_get_user_data(ogre), 42u);
    EXPECT_EQ(read_all(ogre), "short");
    EXPECT_EQ(folder.read_file("local/monsters/Ogre").size(), 69u);
}

TEST_F(LocalTags, DeleteRemovesFileAndTag) {
    const tag_handle ogre = create_with_data("Ogre", "data");
    ASSERT_TRUE(tag_file_delete(ogre));
    EXPECT_EQ(tag_find(monsters, make_tag("ogre")), NONE);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "local/monsters/Ogre"));
}

}  // namespace
