#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_fixtures.h"

namespace {

using namespace tag_fixtures;

constexpr tag_code ogre_subgroup = make_tag("ogre");

// A foundation file with two monster tags side by side, so a read past the end
// of the first would reach the second.
class MonolithicPrecedence : public DirectoryTest {
protected:
    void SetUp() override {
        DirectoryTest::SetUp();
        folder.write_file("tags/small install",
                          monolithic_file(3, {{"Ogre", monsters, ogre_subgroup, "ogre bytes"},
                                              {"Troll", monsters, make_tag("trol"), "troll bytes"}}));
        ASSERT_TRUE(open_directory());
        ogre = tag_find(monsters, ogre_subgroup);
        ASSERT_NE(ogre, NONE);
        ASSERT_EQ(tag_get_file_type(ogre), 3);
    }

    std::string read_all(tag_handle handle) {
        std::string data(static_cast<std::size_t>(std::max(tag_get_size(handle), 0)), '\0');
        EXPECT_TRUE(tag_file_read(handle, 0, static_cast<std::int32_t>(data.size()), data.data()));
        return data;
    }

    tag_handle ogre = NONE;
};

TEST_F(MonolithicPrecedence, LocalTagOfTheSameNameHidesTheMonolithicOne) {
    const tag_handle local = tag_file_create(monsters, "ogre", 1);
    ASSERT_NE(local, NONE);
    EXPECT_EQ(tag_get_subgroup(local), ogre_subgroup);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), local);
    EXPECT_EQ(tag_get_size(ogre), NONE) << "the monolithic tag is hidden";

    ASSERT_TRUE(tag_file_delete(local));
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), ogre) << "visible again";
}

TEST_F(MonolithicPrecedence, DeletingAMonolithicTagChangesNothing) {
    EXPECT_FALSE(tag_file_delete(ogre));
    EXPECT_NE(log_text().find("can't delete 'Ogre' because it is not a local tag."), std::string::npos);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), ogre);
}

TEST_F(MonolithicPrecedence, ReadsStopAtTheEndOfTheTag) {
    EXPECT_EQ(read_all(ogre), "ogre bytes");
    char buffer[12];
    EXPECT_FALSE(tag_file_read(ogre, 0, 11, buffer)) << "the next tag's bytes are not this tag's";
    EXPECT_FALSE(tag_file_read_ahead(ogre, 5, 6, buffer));
}

TEST_F(MonolithicPrecedence, FailedReadsNameTheTag) {
    std::filesystem::resize_file(folder.path() / "tags" / "small install", 100);
    char buffer[4];
    EXPECT_FALSE(tag_file_read(ogre, 0, 4, buffer));
    EXPECT_NE(log_text().find("file_read_from_position() failed in tag_file_read() for 'Ogre'"), std::string::npos);

    tag_handle imp = tag_file_create(monsters, "Imp", 1);
    ASSERT_TRUE(tag_file_write(imp, 0, 4, "imp!"));
    tag_file_close_local();
    ASSERT_TRUE(std::filesystem::remove(folder.path() / local_tag_path(monsters, "Imp")));
    EXPECT_FALSE(tag_file_read(imp, 0, 4, buffer));
    EXPECT_NE(log_text().find("single_file_read() failed in tag_file_read() for 'Imp'"), std::string::npos);
}

TEST_F(MonolithicPrecedence, WritingMakesALocalCopyThatKeepsTheTagsIdentity) {
    tag_handle handle = ogre;
    ASSERT_TRUE(tag_file_write(handle, 0, 4, "OGRE"));
    EXPECT_NE(handle, ogre);
    EXPECT_EQ(tag_get_file_type(handle), 0);
    EXPECT_EQ(tag_get_subgroup(handle), ogre_subgroup);
    EXPECT_EQ(tag_get_user_data(handle), 0x12345678u);
    EXPECT_EQ(tag_get_destination(handle), 2);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), handle);
    EXPECT_EQ(read_all(handle), "OGRE bytes");
    EXPECT_EQ(folder.read_file("local/monsters/Ogre").substr(64), "OGRE bytes");
}

TEST_F(MonolithicPrecedence, ReplacingMonolithicDataMakesALocalTag) {
    tag_handle handle = ogre;
    ASSERT_TRUE(tag_replace_data(handle, "new", 3));
    EXPECT_EQ(tag_get_file_type(handle), 0);
    EXPECT_EQ(tag_get_subgroup(handle), ogre_subgroup);
    EXPECT_EQ(tag_get_user_data(handle), 0x12345678u);
    EXPECT_EQ(read_all(handle), "new");
}

TEST_F(MonolithicPrecedence, CopyKeepsTheOriginalSubgroupWhenAnotherTagSharesTheName) {
    // Another monolithic tag of the group answers to the same name under
    // another subgroup; the copy still hides the tag it was made from.
    tag_header twin = local_header(monsters, make_tag("twin"));
    std::strcpy(twin.name, "OGRE");
    twin.file_type = 3;
    twin.file_index = 0;
    twin.offset = tag_get_data_offset(ogre);
    twin.size = 0;
    ASSERT_NE(tag_header_add(&twin), NONE);

    tag_handle handle = ogre;
    ASSERT_TRUE(copy_tag_to_local(handle));
    EXPECT_EQ(tag_get_subgroup(handle), ogre_subgroup);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), handle);
}

TEST_F(MonolithicPrecedence, CopyIsRefusedWhenALocalTagHasTheName) {
    ASSERT_NE(tag_file_create(monsters, "Ogre Two", 1), NONE);
    // A monolithic tag under another subgroup whose name a local tag already has.
    tag_header shadow = local_header(monsters, make_tag("shad"));
    std::strcpy(shadow.name, "ogre two");
    shadow.file_type = 3;
    shadow.file_index = 0;
    shadow.offset = tag_get_data_offset(ogre);
    shadow.size = 1;
    tag_handle added = tag_header_add(&shadow);
    ASSERT_NE(added, NONE);
    EXPECT_FALSE(copy_tag_to_local(added));
    EXPECT_NE(log_text().find("because a local tag already has the same name."), std::string::npos);
    EXPECT_EQ(tag_find(monsters, make_tag("shad")), added);
    EXPECT_EQ(tag_count_of_group(monsters), 4);
}

TEST_F(MonolithicPrecedence, LaterFilesAndLocalTagsWin) {
    tag_header later = local_header(monsters, ogre_subgroup);
    std::strcpy(later.name, "Later");
    later.file_type = 1;
    later.file_index = 1;
    const tag_handle from_later_file = tag_header_add(&later);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), from_later_file);

    tag_header earlier = later;
    earlier.file_index = 0;
    const tag_handle from_earlier_file = tag_header_add(&earlier);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), from_later_file) << "slot order does not beat load order";

    tag_header local = local_header(monsters, ogre_subgroup);
    std::strcpy(local.name, "Local");
    const tag_handle local_tag = tag_header_add(&local);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), local_tag);
    const tag_handle second_local = tag_header_add(&local);
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), second_local) << "among local tags the highest slot wins";

    ASSERT_TRUE(tag_header_remove(second_local));
    ASSERT_TRUE(tag_header_remove(local_tag));
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), from_later_file);
    ASSERT_TRUE(tag_header_remove(from_later_file));
    EXPECT_EQ(tag_find(monsters, ogre_subgroup), ogre) << "file 0 in an earlier slot wins over file 0 later";
    EXPECT_EQ(tag_get_size(from_earlier_file), NONE);
}

// A foundation file with one tag larger than several read-ahead windows.
class ReadAhead : public DirectoryTest {
protected:
    void SetUp() override {
        DirectoryTest::SetUp();
        data = pattern(3 * read_ahead_buffer_size + 100, 7);
        folder.write_file("tags/small install",
                          monolithic_file(3, {{"Small", monsters, make_tag("smal"), "tiny"},
                                              {"Big", monsters, make_tag("big "), data}}));
        ASSERT_TRUE(open_directory());
        big = tag_find(monsters, make_tag("big "));
        small = tag_find(monsters, make_tag("smal"));
        ASSERT_NE(big, NONE);
    }

    std::string read_ahead(tag_handle handle, std::int32_t position, std::int32_t size) {
        std::string bytes(static_cast<std::size_t>(size), '\0');
        EXPECT_TRUE(tag_file_read_ahead(handle, position, size, bytes.data()));
        return bytes;
    }

    std::string data;
    tag_handle big = NONE;
    tag_handle small = NONE;
};

TEST_F(ReadAhead, SequentialSmallReadsReturnTheTagsBytes) {
    std::string assembled;
    for (std::int32_t position = 0; position < static_cast<std::int32_t>(data.size()); position += 1000) {
        const std::int32_t size = std::min<std::int32_t>(1000, static_cast<std::int32_t>(data.size()) - position);
        assembled += read_ahead(big, position, size);
    }
    EXPECT_EQ(assembled, data);
}

TEST_F(ReadAhead, ReadsStraddlingTheWindowEndJoinBothWindows) {
    EXPECT_EQ(read_ahead(big, 0, 10), data.substr(0, 10));
    const std::int32_t straddle = read_ahead_buffer_size - 6;
    EXPECT_EQ(read_ahead(big, straddle, 20), data.substr(straddle, 20));
    EXPECT_EQ(read_ahead(big, straddle + 20, 30), data.substr(straddle + 20, 30));
}

TEST_F(ReadAhead, BackwardOtherTagAndLargeReadsAreServedToo) {
    EXPECT_EQ(read_ahead(big, 20000, 100), data.substr(20000, 100));
    EXPECT_EQ(read_ahead(big, 10, 100), data.substr(10, 100)) << "before the window";
    EXPECT_EQ(read_ahead(small, 0, 4), "tiny");
    EXPECT_EQ(read_ahead(big, 5, read_ahead_buffer_size + 1), data.substr(5, read_ahead_buffer_size + 1));
    const std::int32_t last = static_cast<std::int32_t>(data.size()) - 50;
    EXPECT_EQ(read_ahead(big, last, 50), data.substr(last)) << "the window is cut at the file's end";
}

}  // namespace
