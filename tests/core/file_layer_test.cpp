#include "core/file_layer.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "core/error_manager.h"
#include "core/memory.h"
#include "support/working_folder.h"

namespace {

file_reference file_at(std::string_view folder, std::string_view name) {
    file_reference reference;
    file_reference_initialize(reference, working_folder_root);
    if (!folder.empty()) file_reference_append_folder(reference, folder);
    file_reference_set_name(reference, name);
    return reference;
}

file_reference folder_at(std::string_view path) {
    file_reference reference;
    file_reference_initialize(reference, working_folder_root);
    file_reference_append_folder(reference, path);
    return reference;
}

struct name_case {
    const char* path;
    bool names_file;
    int parts;
    const char* expected;
};

class FileReferenceGetName : public testing::TestWithParam<name_case> {};

TEST_P(FileReferenceGetName, BuildsTheTextOfTheAskedParts) {
    const name_case& example = GetParam();
    file_reference reference;
    file_reference_initialize(reference, working_folder_root);
    std::strcpy(reference.path, example.path);
    reference.flags = example.names_file ? file_reference_names_file : 0;
    EXPECT_EQ(file_reference_get_name(reference, example.parts), example.expected);
}

void PrintTo(const name_case& example, std::ostream* out) { *out << example.path << " parts " << example.parts; }

INSTANTIATE_TEST_SUITE_P(Examples, FileReferenceGetName,
                         testing::Values(name_case{"tags\\small install", true, 6, "small install"},
                                         name_case{"a.b.c", true, 2, "a.b"},
                                         name_case{"a.b.c", true, 4, "c"},
                                         name_case{"a.b.c", true, 6, "a.b.c"},
                                         name_case{"local\\sounds\\boom.wav", true, 7, "local\\sounds\\boom.wav"},
                                         name_case{"local\\sounds\\boom.wav", true, 1, "local\\sounds"},
                                         name_case{"local\\sounds\\boom.wav", true, 3, "local\\sounds\\boom"},
                                         name_case{"local\\sounds\\boom", true, 6, "boom"},
                                         name_case{"local\\sounds", false, 1, "local\\sounds"},
                                         name_case{"local\\sounds", false, 7, "local\\sounds"}));

TEST(FileReference, PathsAreCutAt255Characters) {
    const std::string long_folder(255, 'f');
    file_reference reference = folder_at(long_folder);
    EXPECT_EQ(std::string(reference.path), long_folder);
    file_reference_append_folder(reference, "more");
    EXPECT_EQ(std::string(reference.path), long_folder);

    file_reference near_full = folder_at(std::string(250, 'g'));
    file_reference_set_name(near_full, "name-too-long");
    EXPECT_EQ(std::string(near_full.path), std::string(250, 'g') + "\\name");
}

TEST(FileReference, SetNameReplacesTheFileNameAndPathsUseSlashesAtTheSystem) {
    file_reference reference = file_at("local\\monsters", "ogre");
    EXPECT_EQ(std::string(reference.path), "local\\monsters\\ogre");
    file_reference_set_name(reference, "troll");
    EXPECT_EQ(std::string(reference.path), "local\\monsters\\troll");
    EXPECT_EQ(file_reference_full_path(reference), "local\\monsters\\troll");
    EXPECT_EQ(file_reference_system_path(reference), "local/monsters/troll");
    EXPECT_EQ(reference.handle, -1);
}

TEST(SearchRoots, WorkingFolderIsAlwaysAvailableAndNoDiscIsFoundWithoutItsVolume) {
    EXPECT_TRUE(search_root_available(working_folder_root));
    set_search_root_label(game_disc_root, "kelvo2-not-mounted-anywhere");
    EXPECT_FALSE(search_root_available(game_disc_root));
    file_reference on_disc;
    file_reference_initialize(on_disc, game_disc_root);
    file_reference_set_name(on_disc, "small install");
    EXPECT_EQ(file_reference_full_path(on_disc), "?:\\small install");
    EXPECT_EQ(file_reference_system_path(on_disc), "") << "nothing is touched on a missing disc";
    EXPECT_FALSE(file_exists(on_disc));
}

TEST(SearchRoots, DiscIsTheMountPointWhoseLastComponentMatchesTheLabel) {
    const std::string table = "/dev/sda1 / ext4 rw 0 0\n"
                              "/dev/sr0 /media/user/Other iso9660 ro 0 0\n"
                              "/dev/sr1 /media/user/KELVO\\0402 iso9660 ro 0 0\n"
                              "/dev/sr2 /mnt/KELVO2 udf ro 0 0\n";
    EXPECT_EQ(mount_point_with_label(table, "kelvo2"), "/mnt/KELVO2");
    EXPECT_EQ(mount_point_with_label(table, "Kelvo 2"), "/media/user/KELVO 2");
    EXPECT_EQ(mount_point_with_label(table, "missing"), std::nullopt);
    EXPECT_EQ(mount_point_with_label(table, ""), std::nullopt);
}

class FileLayer : public testing::Test {
protected:
    void SetUp() override { file_last_error(); }
    test_support::WorkingFolder folder;
};

TEST_F(FileLayer, WritesReadsAndMovesWithinAFile) {
    file_reference reference = file_at("", "data");
    ASSERT_TRUE(create_file_or_folder(reference));
    ASSERT_TRUE(open_file(reference, open_for_reading | open_for_writing));
    EXPECT_TRUE(write_file(reference, 10, "0123456789"));
    EXPECT_EQ(get_file_position(reference), 10);
    EXPECT_EQ(get_file_length(reference), 10);
    char buffer[8] = {};
    EXPECT_TRUE(file_read_from_position(reference, 2, 3, buffer));
    EXPECT_STREQ(buffer, "234");
    EXPECT_TRUE(file_write_at_position(reference, 8, 4, "abcd"));
    EXPECT_EQ(get_file_length(reference), 12);
    EXPECT_TRUE(set_file_length(reference, 4));
    EXPECT_EQ(get_file_length(reference), 4);
    EXPECT_EQ(get_file_position(reference), 4);
    EXPECT_TRUE(close_file(reference));
    EXPECT_EQ(reference.handle, -1);
    EXPECT_EQ(folder.read_file("data"), "0123");
    EXPECT_EQ(file_last_error(), error_none);
}

TEST_F(FileLayer, ReadingPastTheEndFailsAndTheLastErrorResetsWhenAsked) {
    folder.write_file("short", "abc");
    file_reference reference = file_at("", "short");
    ASSERT_TRUE(open_file(reference, open_for_reading));
    char buffer[8] = {};
    EXPECT_FALSE(read_file(reference, 5, buffer));
    EXPECT_STREQ(buffer, "abc") << "the bytes that were there are read";
    EXPECT_EQ(file_last_error(), error_file_read);
    EXPECT_EQ(file_last_error(), error_none);
    EXPECT_FALSE(write_file(reference, 1, "x")) << "opened for reading only";
    EXPECT_EQ(file_last_error(), error_file_write);
    close_file(reference);
    EXPECT_FALSE(close_file(reference));
    EXPECT_EQ(file_last_error(), error_file_general);
}

TEST_F(FileLayer, OpenAtEndStartsAtTheLengthAndMissingFilesFailToOpen) {
    folder.write_file("log", "12345");
    file_reference reference = file_at("", "log");
    ASSERT_TRUE(open_file(reference, open_for_writing | open_at_end));
    EXPECT_EQ(get_file_position(reference), 5);
    close_file(reference);
    file_reference missing = file_at("", "missing");
    EXPECT_FALSE(open_file(missing, open_for_reading));
    EXPECT_EQ(file_last_error(), error_file_open);
    file_reference a_folder = folder_at("sub");
    ASSERT_TRUE(create_file_or_folder(a_folder));
    EXPECT_FALSE(open_file(a_folder, open_for_reading));
    EXPECT_EQ(file_last_error(), error_file_open);
}

TEST_F(FileLayer, WriteAccessIsNotSharedWithinTheProcess) {
    folder.write_file("shared", "keep");
    file_reference reader = file_at("", "shared");
    file_reference second_reader = reader;
    file_reference writer = reader;
    ASSERT_TRUE(open_file(reader, open_for_reading));
    EXPECT_TRUE(open_file(second_reader, open_for_reading)) << "readers share";
    EXPECT_FALSE(open_file(writer, open_for_writing));
    EXPECT_EQ(file_last_error(), error_file_open);
    EXPECT_FALSE(create_file_or_folder(writer)) << "an open file is not emptied";
    EXPECT_EQ(file_last_error(), error_file_create);
    EXPECT_FALSE(delete_file_or_folder(writer));
    EXPECT_EQ(file_last_error(), error_file_general);
    EXPECT_EQ(folder.read_file("shared"), "keep");
    close_file(reader);
    close_file(second_reader);

    ASSERT_TRUE(open_file(writer, open_for_writing));
    EXPECT_FALSE(open_file(reader, open_for_reading));
    EXPECT_EQ(file_last_error(), error_file_open);
    close_file(writer);
    EXPECT_TRUE(open_file(reader, open_for_reading)) << "closing releases the file";
    close_file(reader);
}

TEST_F(FileLayer, WriteAccessIsNotSharedWithAnotherProcess) {
    folder.write_file("kelvo2", "");
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        file_reference held = file_at("", "kelvo2");
        const char opened = open_file(held, open_for_reading) ? 'y' : 'n';
        (void)!write(ready[1], &opened, 1);
        char ignored;
        (void)!read(release[0], &ignored, 1);
        _exit(0);
    }
    char opened = 0;
    ASSERT_EQ(read(ready[0], &opened, 1), 1);
    EXPECT_EQ(opened, 'y');
    file_reference writer = file_at("", "kelvo2");
    EXPECT_FALSE(open_file(writer, open_for_writing));
    EXPECT_EQ(file_last_error(), error_file_open);
    file_reference reader = file_at("", "kelvo2");
    EXPECT_TRUE(open_file(reader, open_for_reading));
    close_file(reader);
    (void)!write(release[1], "x", 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(open_file(writer, open_for_writing)) << "the other process has ended";
    close_file(writer);
    for (int descriptor : {ready[0], ready[1], release[0], release[1]}) close(descriptor);
}

TEST_F(FileLayer, CreatesDeletesAndRenames) {
    file_reference sub = folder_at("local");
    EXPECT_TRUE(create_file_or_folder(sub));
    EXPECT_TRUE(file_exists(sub));
    EXPECT_FALSE(create_file_or_folder(sub));
    EXPECT_EQ(file_last_error(), error_file_create);

    folder.write_file("local/ogre", "old contents");
    file_reference tag = file_at("local", "ogre");
    EXPECT_TRUE(create_file_or_folder(tag));
    EXPECT_EQ(folder.read_file("local/ogre"), "") << "creating empties an existing file";

    folder.write_file("local/troll", "taken");
    EXPECT_FALSE(rename_file(tag, "troll")) << "never replaces another file";
    EXPECT_EQ(std::string(tag.path), "local\\ogre");
    EXPECT_TRUE(rename_file(tag, "giant"));
    EXPECT_EQ(std::string(tag.path), "local\\giant");
    EXPECT_TRUE(file_exists(tag));
    EXPECT_FALSE(delete_file_or_folder(sub)) << "a folder must be empty";
    EXPECT_TRUE(delete_file_or_folder(tag));
    EXPECT_FALSE(file_exists(tag));
    EXPECT_EQ(file_last_error(), error_file_general);
}

TEST_F(FileLayer, LoadsWholeFiles) {
    folder.write_file("tags/small install", std::string("\0\1\2whole", 8));
    file_reference reference = file_at("tags", "small install");
    int64_t length = -1;
    void* block = load_whole_file(reference, length);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(length, 8);
    EXPECT_EQ(memory_size(block), 8u);
    EXPECT_EQ(std::memcmp(block, "\0\1\2whole", 8), 0);
    EXPECT_EQ(reference.handle, -1);
    dispose_pointer(block);

    file_reference missing = file_at("tags", "absent");
    EXPECT_EQ(load_whole_file(missing, length), nullptr);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(file_last_error(), error_file_open);
}

std::set<std::string> listed_paths(bool recursive, const file_reference& start) {
    std::set<std::string> paths;
    begin_folder_listing(recursive, start);
    file_reference file;
    while (next_file_in_listing(file)) {
        EXPECT_TRUE(file.flags & file_reference_names_file);
        paths.insert(file.path);
    }
    return paths;
}

TEST_F(FileLayer, ListsFilesOfAFolderAndOnRequestItsSubFolders) {
    folder.write_file("plugins/a", "");
    folder.write_file("plugins/b", "");
    folder.write_file("plugins/inner/c", "");
    folder.write_file("plugins/inner/deeper/d", "");
    std::filesystem::create_directories(folder.path() / "plugins/empty");
    EXPECT_EQ(listed_paths(false, folder_at("plugins")), (std::set<std::string>{"plugins\\a", "plugins\\b"}));
    EXPECT_EQ(listed_paths(true, folder_at("plugins")),
              (std::set<std::string>{"plugins\\a", "plugins\\b", "plugins\\inner\\c", "plugins\\inner\\deeper\\d"}));
    EXPECT_TRUE(listed_paths(false, folder_at("absent")).empty());
}

TEST_F(FileLayer, RecursiveListingStopsAtEightLevels) {
    std::string path = "top";
    std::set<std::string> expected;
    for (int level = 1; level <= 10; ++level) {
        folder.write_file(path + "/file", "");
        std::string reference_path = path;
        std::replace(reference_path.begin(), reference_path.end(), '/', '\\');
        if (level <= 8) expected.insert(reference_path + "\\file");
        path += "/level";
    }
    EXPECT_EQ(listed_paths(true, folder_at("top")), expected);
}

TEST_F(FileLayer, StartingAListingAbandonsTheOneUnderWay) {
    folder.write_file("one/x", "");
    folder.write_file("two/y", "");
    begin_folder_listing(false, folder_at("one"));
    begin_folder_listing(false, folder_at("two"));
    file_reference file;
    ASSERT_TRUE(next_file_in_listing(file));
    EXPECT_STREQ(file.path, "two\\y");
    EXPECT_FALSE(next_file_in_listing(file));
}

TEST_F(FileLayer, ReplacingAFileKeepsTheOldContentsUntilTheNewOnesAreComplete) {
    folder.write_file("tags/medium install", "old");
    const file_reference target = file_at("tags", "medium install");
    const std::string replacement = "new contents";
    EXPECT_TRUE(replace_file_atomically(target, std::as_bytes(std::span{replacement})));
    EXPECT_EQ(folder.read_file("tags/medium install"), replacement);

    EXPECT_FALSE(replace_file_atomically(target, [](file_reference& temporary) {
        EXPECT_EQ(get_file_position(temporary), 0);
        EXPECT_TRUE(is_temporary_file_name(file_reference_get_name(temporary, name_part_name | name_part_extension)));
        EXPECT_EQ(listed_paths(false, folder_at("tags")), std::set<std::string>{"tags\\medium install"})
            << "listings pass over files being written";
        return write_file(temporary, 4, "half") && false;
    }));
    EXPECT_EQ(folder.read_file("tags/medium install"), replacement);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path() / "tags"),
                            std::filesystem::directory_iterator()),
              1)
        << "the unfinished file is removed";

    file_reference writer = target;
    ASSERT_TRUE(open_file(writer, open_for_writing));
    EXPECT_FALSE(replace_file_atomically(target, std::as_bytes(std::span{replacement})));
    EXPECT_EQ(file_last_error(), error_file_open);
    close_file(writer);
}

}  // namespace
