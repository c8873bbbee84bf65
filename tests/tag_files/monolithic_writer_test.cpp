#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "crc_reference.h"
#include "monolithic_fixtures.h"
#include "core/file_layer.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_data.h"

namespace {

using namespace monolithic_fixtures;
using tag_fixtures::monsters;
using tag_fixtures::pattern;
using tag_fixtures::projectiles;
using tag_fixtures::string_lists;

constexpr tag_code preferences = make_tag("pref");

class MonolithicWriting : public MonolithicTest {
protected:
    void add_local(tag_code group, const std::string& name, const std::string& data, std::int8_t destination = 0,
                   std::uint32_t user_data = 0) {
        tag_header header = tag_fixtures::local_header(group, subgroup_from_name(name));
        header.destination = destination;
        header.user_data = user_data;
        write_local_tag(group, name, header, data);
    }

    std::vector<std::string> files_in(const std::string& folder_name) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path() / folder_name)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    std::string read_tag(tag_handle handle) {
        std::string data(static_cast<std::size_t>(tag_get_size(handle)), '\0');
        EXPECT_TRUE(tag_file_read(handle, 0, static_cast<std::int32_t>(data.size()), data.data()));
        return data;
    }
};

TEST_F(MonolithicWriting, PluginReadsBackWithTheSameHeadersDataAndChecksums) {
    const std::string ogre = pattern(300, 1);
    const std::string arrow = pattern(2 * monolithic_transfer_buffer_size + 1, 2);  // three chunks
    add_local(monsters, "Ogre", ogre, 1, 0x55);
    add_local(projectiles, "Arrow", arrow, 2, 0x66);
    add_local(preferences, "Settings", "never packaged");
    ASSERT_TRUE(open_directory());
    const tag_header original_ogre = *tag_header_of(tag_find(monsters, make_tag("ogre")));
    const tag_header original_arrow = *tag_header_of(tag_find(projectiles, make_tag("arro")));
    ASSERT_TRUE(build_plugin("Round Trip", "example.org/plugin", false, 6, nullptr, nullptr));

    const std::string file = folder.read_file("plugins/Round Trip");
    const std::size_t data_start = 128 + 2 * 64;
    ASSERT_EQ(file.size(), data_start + ogre.size() + arrow.size());
    EXPECT_EQ(get_field(file, 0, 2), 1u);
    EXPECT_EQ(get_field(file, 2, 2), 6u);
    EXPECT_EQ(std::string(file.c_str() + 4), "Round Trip");
    EXPECT_EQ(std::string(file.c_str() + 36), "example.org/plugin");
    EXPECT_EQ(get_field(file, 100, 2), 0u);
    EXPECT_EQ(get_field(file, 102, 2), 2u) << "the preferences tag is left out";
    EXPECT_EQ(get_field(file, 104, 4), crc_reference::bitwise_register(0xFFFFFFFFu, ogre + arrow));
    EXPECT_EQ(get_field(file, 108, 4), 1u) << "monsters mark the file";
    EXPECT_EQ(get_field(file, 112, 4), file.size());
    std::string header = file.substr(0, 128);
    put_field(header, 116, 0, 4);
    EXPECT_EQ(get_field(file, 116, 4), crc_reference::bitwise_register(0xFFFFFFFFu, header));
    EXPECT_EQ(get_field(file, 124, 4), make_tag("dng2"));
    EXPECT_EQ(get_field(file, tag_header_position(file, 0) + 44, 4), data_start);
    EXPECT_EQ(get_field(file, tag_header_position(file, 1) + 44, 4), data_start + ogre.size());
    EXPECT_EQ(file.substr(data_start), ogre + arrow);

    std::filesystem::remove_all(folder.path() / "local");
    restart();
    const std::int16_t list[] = {0};
    ASSERT_TRUE(tag_files_open(false, list, 1, NONE));
    for (const tag_header* original : {&original_ogre, &original_arrow}) {
        const tag_handle handle = tag_find(original->group_tag, original->subgroup_tag);
        ASSERT_NE(handle, NONE);
        tag_header expected = *original;
        tag_header loaded = *tag_header_of(handle);
        EXPECT_EQ(loaded.file_type, 1);
        EXPECT_EQ(loaded.file_index, 0);
        for (tag_header* header : {&expected, &loaded}) {
            header->identifier = 0;
            header->file_type = 0;
            header->offset = 0;
            header->file_index = 0;
        }
        EXPECT_EQ(std::memcmp(&expected, &loaded, sizeof loaded), 0) << original->name;
    }
    EXPECT_EQ(read_tag(tag_find(monsters, make_tag("ogre"))), ogre);
    EXPECT_EQ(read_tag(tag_find(projectiles, make_tag("arro"))), arrow);
}

TEST_F(MonolithicWriting, PluginOfNoTagsIsAHeaderAlone) {
    ASSERT_TRUE(open_directory());
    ASSERT_TRUE(build_plugin("Empty", "", false, -1, nullptr, nullptr));
    const std::string file = folder.read_file("plugins/Empty");
    ASSERT_EQ(file.size(), 128u);
    EXPECT_EQ(get_field(file, 104, 4), 0xFFFFFFFFu);
    restart();
    EXPECT_EQ(get_plugin_list(nullptr), 1) << "the empty plugin is valid";
}

TEST_F(MonolithicWriting, MeshEntryPointDescriptionComesFromItsStringList) {
    struct Case {
        const char* mesh;
        std::size_t mesh_size;
        const char* string_list;  // nullptr: none
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"Line End", 1024, "Lend", "Long Name\r\nmore", "Long Name"},
        {"New Line", 1024, "Newl", "Other Name\nmore", "Other Name"},
        {"At Nul", 1024, "Nult", std::string("Cut\0here", 8), "Cut"},
        {"Very Long", 1024, "Vlon", std::string(100, 'v'), std::string(63, 'v')},
        {"Short Mesh", 1023, "Shor", "Never Used", "Short Mesh"},
        {"No List", 1024, nullptr, "", "No List"},
    };
    for (const Case& c : cases) {
        std::string mesh = pattern(c.mesh_size, 3);
        const tag_code list_code = c.string_list ? subgroup_from_name(c.string_list) : make_tag("none");
        put_field(mesh, 140, list_code, 4);
        add_local(meshes, c.mesh, mesh, 0, 0x99);
        if (c.string_list) add_local(string_lists, c.string_list, c.text);
    }
    ASSERT_TRUE(open_directory());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mesh);
        const tag_handle handle = tag_find(meshes, subgroup_from_name(c.mesh));
        stored_entry_point entry_point;
        ASSERT_EQ(build_entry_points(&handle, 1, &entry_point), 1);
        EXPECT_EQ(entry_point.description, c.expected);
        EXPECT_STREQ(entry_point.name, c.mesh);
        EXPECT_EQ(entry_point.user_data, 0x99u);
    }
    const tag_handle not_a_mesh = tag_find(string_lists, subgroup_from_name("Lend"));
    stored_entry_point unused;
    EXPECT_EQ(build_entry_points(&not_a_mesh, 1, &unused), 0);
}

TEST_F(MonolithicWriting, PluginOffersTheMapsOfItsMeshTags) {
    std::string mesh = pattern(1024, 6);
    put_field(mesh, 140, subgroup_from_name("Title"), 4);
    add_local(meshes, "Island", mesh, 0, 0x77);
    add_local(string_lists, "Title", "The Island\r\nsecond line");
    add_local(monsters, "Ogre", "not a map");
    ASSERT_TRUE(open_directory());
    ASSERT_TRUE(build_plugin("Maps", "", false, -1, nullptr, nullptr));
    const std::string file = folder.read_file("plugins/Maps");
    EXPECT_EQ(get_field(file, 100, 2), 1u);
    EXPECT_EQ(get_field(file, 128, 4), subgroup_from_name("Island"));
    EXPECT_EQ(get_field(file, 140, 4), 0x77u);

    std::filesystem::remove_all(folder.path() / "local");
    restart();
    ASSERT_TRUE(open_directory());
    entry_point_item items[entry_point_table_capacity];
    ASSERT_EQ(get_entry_point_list(items), 1);
    EXPECT_STREQ(items[0].name, "Island");
    EXPECT_STREQ(items[0].description, "The Island");
    EXPECT_EQ(items[0].plugin_index, 0);
}

TEST_F(MonolithicWriting, FailedBuildLeavesThePreviousFileAsItWas) {
    add_local(monsters, "Ogre", pattern(1000, 4));
    add_local(projectiles, "Arrow", pattern(700000, 5));
    ASSERT_TRUE(open_directory());
    ASSERT_TRUE(build_plugin("Keep", "", false, -1, nullptr, nullptr));
    const std::string before = folder.read_file("plugins/Keep");

    std::filesystem::remove(folder.path() / "local/projectiles/Arrow");  // fails after the first tag is copied
    EXPECT_FALSE(build_plugin("Keep", "", false, -1, nullptr, nullptr));
    EXPECT_EQ(folder.read_file("plugins/Keep"), before);
    EXPECT_FALSE(build_plugin("Never", "", false, -1, nullptr, nullptr));
    EXPECT_EQ(files_in("plugins"), std::vector<std::string>{"Keep"}) << "no partial or temporary file remains";
}

TEST_F(MonolithicWriting, WhatReadersWouldRejectIsRefusedWithAMessage) {
    add_local(monsters, "Limit", std::string(maximum_monolithic_tag_size, 'a'));
    add_local(projectiles, "Over", std::string(maximum_monolithic_tag_size + 1, 'b'));
    ASSERT_TRUE(open_directory());
    const tag_handle limit = tag_find(monsters, make_tag("limi"));
    const tag_handle over = tag_find(projectiles, make_tag("over"));

    const tag_handle list_over[] = {over, 0};
    EXPECT_FALSE(build_plugin("Over", "", false, -1, tag_in_list, const_cast<tag_handle*>(list_over)));
    EXPECT_EQ(occurrences_in_log("tag 'Over' is too large for new monolithic file 'Over'"), 1);

    file_reference file;
    file_reference_initialize(file, working_folder_root);
    file_reference_set_name(file, "plugins\\Many");
    const std::vector<tag_handle> many(10000, limit);
    EXPECT_FALSE(write_monolithic_file(file, "", 1, -1, many.data(), 10000));
    EXPECT_EQ(occurrences_in_log("too many tags (10000) for new monolithic file 'Many'"), 1);
    const std::vector<tag_handle> huge(171, limit);
    EXPECT_FALSE(write_monolithic_file(file, "", 1, -1, huge.data(), 171));
    EXPECT_EQ(occurrences_in_log("new monolithic file 'Many' would be larger than 2147483647 bytes"), 1);

    EXPECT_FALSE(build_plugin(" . ", "", false, -1, nullptr, nullptr));
    EXPECT_EQ(occurrences_in_log("is not a valid file name"), 1);
    EXPECT_TRUE(files_in("plugins").empty());

    const tag_handle list_limit[] = {limit, 0};
    EXPECT_TRUE(build_plugin("Limit", "", false, -1, tag_in_list, const_cast<tag_handle*>(list_limit)));
}

TEST_F(MonolithicWriting, RebuildReplacesFoundationFilesTheDirectoryHoldsOpen) {
    add_local(monsters, "Ogre", "small", 0);
    add_local(projectiles, "Arrow", "large", 2);
    add_local(preferences, "Settings", "never packaged", 0);
    ASSERT_TRUE(open_directory());
    ASSERT_TRUE(rebuild_foundation_files());
    EXPECT_EQ(get_field(folder.read_file("tags/small install"), 102, 2), 1u);
    EXPECT_EQ(get_field(folder.read_file("tags/large install"), 102, 2), 1u);
    EXPECT_EQ(folder.read_file("tags/international large install").size(), 128u);

    std::filesystem::remove_all(folder.path() / "local");
    restart();
    ASSERT_TRUE(open_directory());
    EXPECT_TRUE(tag_files_foundation_present());
    const tag_handle ogre = tag_find(monsters, make_tag("ogre"));
    EXPECT_EQ(tag_get_file_type(ogre), 3);
    ASSERT_TRUE(rebuild_foundation_files()) << "no local tags now: every file is rewritten empty";
    EXPECT_EQ(folder.read_file("tags/small install").size(), 128u);
    EXPECT_EQ(read_tag(ogre), "small") << "the open file keeps its contents";
}

}  // namespace
