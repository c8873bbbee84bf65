#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "monolithic_fixtures.h"
#include "tag_files/monolithic_file.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/monolithic_loading.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_data.h"

namespace {

using namespace monolithic_fixtures;
using tag_fixtures::monsters;
using tag_fixtures::pattern;

const tag_fixtures::monolithic_tag ogre{"Ogre", monsters, make_tag("ogre"), pattern(300, 1)};
const tag_fixtures::monolithic_tag wolf{"Wolf", monsters, make_tag("wolf"), pattern(40, 2)};

file_contents plugin_with(std::vector<tag_fixtures::monolithic_tag> tags) {
    file_contents contents;
    contents.tags = std::move(tags);
    return contents;
}

file_contents patch_numbered(std::int16_t number, std::vector<tag_fixtures::monolithic_tag> tags,
                             std::uint32_t checksum = 0) {
    file_contents contents;
    contents.type = 2;
    contents.plugin_flags = number;
    contents.checksum = checksum;
    contents.tags = std::move(tags);
    return contents;
}

std::string read_tag(tag_handle handle) {
    std::string data(static_cast<std::size_t>(tag_get_size(handle)), '\0');
    EXPECT_TRUE(tag_file_read(handle, 0, static_cast<std::int32_t>(data.size()), data.data()));
    return data;
}

std::vector<std::string> plugin_names() {
    std::vector<std::string> names;
    for (std::int32_t index = 0; index < get_plugin_list(nullptr); ++index) {
        plugin_info info;
        if (get_plugin_info(index, &info)) names.emplace_back(info.name);
    }
    return names;
}

class MonolithicLoading : public MonolithicTest {};

TEST_F(MonolithicLoading, PluginLoadsUnderTheNameTheFileHasNow) {
    write_plugin("Renamed Later", monolithic_bytes(plugin_with({ogre, wolf})));
    write_plugin("bad:name", monolithic_bytes(plugin_with({wolf})));
    restart();
    EXPECT_EQ(plugin_names(), std::vector<std::string>{"Renamed Later"});
    EXPECT_EQ(occurrences_in_log("has a bad name"), 1);

    const std::int16_t list[] = {0};
    ASSERT_TRUE(tag_files_open(false, list, 1, NONE));
    const tag_handle handle = tag_find(monsters, make_tag("ogre"));
    ASSERT_NE(handle, NONE);
    EXPECT_EQ(tag_get_file_type(handle), 1);
    EXPECT_EQ(read_tag(handle), ogre.data);
    EXPECT_EQ(find_loaded_file("renamed later", 0), tag_header_of(handle)->file_index);
}

TEST_F(MonolithicLoading, HostileHeadersAreRefusedWithTheirMessage) {
    struct Case {
        const char* what;
        std::size_t position;  // in the header, or in the tag header of that index
        int tag;                // -1: the monolithic header
        std::uint64_t value;
        int width;
        const char* message;
    };
    const Case cases[] = {
        {"negative entry point count", 100, -1, 0xFFFF, 2, "had a bad header"},
        {"entry points beyond the file", 100, -1, 0x7FFF, 2, "couldn't read tags from the monolithic file"},
        {"tag headers past the end", 102, -1, 8, 2, "couldn't read tags from the monolithic file"},
        {"negative tag count", 102, -1, 0xFFFB, 2, "had a bad header"},
        {"10000 tags", 102, -1, 10000, 2, "had a bad header"},
        {"tag headers beyond the file", 102, -1, 40, 2, "had a bad header"},
        {"file size differs from length", 112, -1, 5000, 4, "had a bad header"},
        {"negative file size", 112, -1, 0x80000000, 4, "had a bad header"},
        {"wrong signature", 124, -1, make_tag("dng1"), 4, "had a bad header"},
        {"offset and size overflow 32 bits", 44, 0, 0x7FFFFFF0, 4, "found an invalid tag"},
        {"data before the data section", 44, 0, 100, 4, "found an invalid tag"},
        {"negative size", 48, 0, 0xFFFFFFFF, 4, "found an invalid tag"},
        {"size past the end", 48, 1, 41, 4, "found an invalid tag"},
        {"wrong tag signature", 60, 0, make_tag("klv3"), 4, "found an invalid tag"},
        {"colon in a tag name", 4, 0, ':', 1, "found an invalid tag"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = monolithic_bytes(plugin_with({ogre, wolf}));
        put_field(bytes, (c.tag >= 0 ? tag_header_position(bytes, c.tag) : 0) + c.position, c.value, c.width);
        write_plugin("Hostile", bytes);
        restart();
        EXPECT_TRUE(plugin_names().empty());
        EXPECT_EQ(occurrences_in_log(c.message), 1);
        ASSERT_TRUE(open_directory());
        EXPECT_EQ(tag_find(monsters, make_tag("wolf")), NONE);
    }
}

TEST_F(MonolithicLoading, UnterminatedTagNameAndShortHeaderAreRefused) {
    std::string bytes = monolithic_bytes(plugin_with({ogre}));
    for (std::size_t index = 0; index < 32; ++index) bytes[tag_header_position(bytes, 0) + 4 + index] = 'x';
    write_plugin("Unterminated", bytes);
    write_plugin("Short", std::string(100, 'k'));
    restart();
    EXPECT_TRUE(plugin_names().empty());
    EXPECT_EQ(occurrences_in_log("found an invalid tag"), 1);
    EXPECT_EQ(occurrences_in_log("has no header"), 1);
}

// What start-up could not load is named, once each; a foundation file that is
// simply not there is no refusal.
TEST_F(MonolithicLoading, RefusedFilesAreNamedWithTheirFolder) {
    folder.write_file("tags/small install", monolithic_bytes(file_contents{3, 0, 0, {}, {ogre}}).substr(0, 60));
    folder.write_file("tags/medium install", monolithic_bytes(file_contents{3, 0, 0, {}, {wolf}}));
    write_plugin("Short", std::string(100, 'k'));
    write_plugin("Good", monolithic_bytes(plugin_with({wolf})));
    restart();
    ASSERT_TRUE(open_directory());
    ASSERT_TRUE(open_directory());
    EXPECT_EQ(refused_monolithic_files(), (std::vector<std::string>{"plugins/Short", "tags/small install"}));
    EXPECT_NE(tag_find(monsters, make_tag("wolf")), NONE);

    folder.write_file("tags/small install", monolithic_bytes(file_contents{3, 0, 0, {}, {ogre}}));
    folder.write_file("plugins/Short", monolithic_bytes(plugin_with({ogre})));
    restart();
    ASSERT_TRUE(open_directory());
    EXPECT_TRUE(refused_monolithic_files().empty());
}

TEST_F(MonolithicLoading, TagOneByteOverTwelveMegabytesRefusesTheWholeFile) {
    const tag_fixtures::monolithic_tag large{"Large", monsters, make_tag("larg"), std::string(12582913, 'L')};
    write_plugin("Large", monolithic_bytes(plugin_with({wolf, large})));
    restart();
    EXPECT_TRUE(plugin_names().empty());
    EXPECT_EQ(occurrences_in_log("found an invalid tag in the monolithic file 'plugins\\Large'"), 1);
}

TEST_F(MonolithicLoading, PatchLevelStopsAtTheFirstMissingNumber) {
    write_plugin("Patch Two", monolithic_bytes(patch_numbered(2, {ogre})));
    write_plugin("Patch Four", monolithic_bytes(patch_numbered(4, {wolf})));
    restart();
    EXPECT_EQ(highest_patch_level(), 2);
    EXPECT_FALSE(tag_files_open(false, nullptr, 0, 4));
    ASSERT_TRUE(open_directory());
    EXPECT_EQ(tag_get_file_type(tag_find(monsters, make_tag("ogre"))), 2);
    EXPECT_EQ(tag_find(monsters, make_tag("wolf")), NONE);
}

TEST_F(MonolithicLoading, TwoPatchesOfOneNumberLoadAndTheLaterRowWins) {
    const tag_fixtures::monolithic_tag first{"Ogre", monsters, make_tag("ogre"), "first"};
    const tag_fixtures::monolithic_tag second{"Ogre", monsters, make_tag("ogre"), "second"};
    write_plugin("A", monolithic_bytes(patch_numbered(2, {first, wolf}, 0x1000)));
    write_plugin("B", monolithic_bytes(patch_numbered(2, {second}, 0x0011)));
    folder.write_file("tags/small install", monolithic_bytes(file_contents{3, 0, 0x2200000, {}, {}}));
    restart();
    ASSERT_TRUE(open_directory());
    const std::vector<std::string> names = plugin_names();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(read_tag(tag_find(monsters, make_tag("ogre"))), names[1] == "A" ? "first" : "second");
    EXPECT_NE(tag_find(monsters, make_tag("wolf")), NONE);
    EXPECT_EQ(tag_files_checksum(), 0x101u ^ 0x2200000u ^ 0x1000u ^ 0x0011u);
    EXPECT_EQ(recompute_tag_files_checksum(), 0x101u ^ 0x2200000u ^ 0x1000u ^ 0x0011u);
}

TEST_F(MonolithicLoading, MapOfAFoundationFileIsOfferedOnceFromIt) {
    file_contents foundation{3, 0, 0, {{make_tag("map1"), 7, "Map One", "The First Map"}}, {}};
    file_contents plugin = plugin_with({});
    plugin.entry_points = {{make_tag("map1"), 8, "MAP ONE", "Other"}, {make_tag("map2"), 9, "Map Two", "Second"}};
    folder.write_file("tags/small install", monolithic_bytes(foundation));
    write_plugin("Maps", monolithic_bytes(plugin));
    restart();
    ASSERT_TRUE(open_directory());
    entry_point_item items[entry_point_table_capacity];
    const std::int32_t count = get_entry_point_list(items);
    ASSERT_EQ(count, 2);
    // The plugins folder is scanned before the foundation files load, so the
    // plugin's rows come first in slot order.
    EXPECT_STREQ(items[0].description, "Second");
    EXPECT_EQ(items[0].plugin_index, 0);
    EXPECT_STREQ(items[1].name, "Map One");
    EXPECT_EQ(items[1].plugin_index, -1);
    EXPECT_EQ(items[1].user_data, 7u);
}

TEST_F(MonolithicLoading, PatchMapsRankByTheirPatchNumber) {
    file_contents foundation{3, 0, 0, {{make_tag("map1"), 7, "Map One", "The First Map"}}, {}};
    file_contents patch = patch_numbered(2, {});
    patch.entry_points = {{make_tag("map1"), 8, "map one", "Patched"}, {make_tag("map2"), 9, "Map Two", "Second"}};
    file_contents plugin = plugin_with({});
    plugin.entry_points = {{make_tag("map2"), 10, "MAP TWO", "Plugin's"}};
    folder.write_file("tags/small install", monolithic_bytes(foundation));
    write_plugin("Patch", monolithic_bytes(patch));
    write_plugin("Plugin", monolithic_bytes(plugin));
    restart();
    ASSERT_TRUE(open_directory());
    const std::vector<std::string> names = plugin_names();
    ASSERT_EQ(names.size(), 2u);
    const std::int16_t patch_row = names[0] == "Patch" ? 0 : 1;

    entry_point_item items[entry_point_table_capacity];
    const std::int32_t count = get_entry_point_list(items);
    ASSERT_EQ(count, 2) << "the patch's maps beat the foundation file's and the plugin's";
    for (std::int32_t index = 0; index < count; ++index) EXPECT_EQ(items[index].plugin_index, patch_row);
    std::vector<std::uint32_t> user_data{items[0].user_data, items[1].user_data};
    std::sort(user_data.begin(), user_data.end());
    EXPECT_EQ(user_data, (std::vector<std::uint32_t>{8, 9}));
}

TEST_F(MonolithicLoading, SecondInitializationStartsOverWithEmptyTables) {
    file_contents plugin = plugin_with({ogre});
    plugin.entry_points = {{make_tag("map1"), 8, "Map One", "First"}};
    write_plugin("Maps", monolithic_bytes(plugin));
    restart();
    tag_files_initialize();
    EXPECT_EQ(plugin_names(), std::vector<std::string>{"Maps"});
    ASSERT_TRUE(open_directory());
    entry_point_item items[entry_point_table_capacity];
    ASSERT_EQ(get_entry_point_list(items), 1);
    EXPECT_STREQ(items[0].name, "Map One");
}

TEST_F(MonolithicLoading, ExtraPluginLoadsOnceAndUnloadsUncoveringHiddenTags) {
    const tag_fixtures::monolithic_tag replacement{"Ogre", monsters, make_tag("ogre"), "replacement"};
    folder.write_file("tags/small install", monolithic_bytes(file_contents{3, 0, 0, {}, {ogre}}));
    write_plugin("Extra", monolithic_bytes(plugin_with({replacement})));
    restart();
    ASSERT_TRUE(open_directory());
    ASSERT_TRUE(load_extra_plugin(0));
    ASSERT_TRUE(load_extra_plugin(0));
    EXPECT_EQ(read_tag(tag_find(monsters, make_tag("ogre"))), "replacement");
    unload_extra_plugin();
    EXPECT_EQ(read_tag(tag_find(monsters, make_tag("ogre"))), ogre.data);
    EXPECT_EQ(find_loaded_file("Extra", 0), NONE);
    EXPECT_FALSE(load_extra_plugin(1));
}

TEST_F(MonolithicLoading, FullLoadedFileTableSkipsTheRestOfThePlugins) {
    std::vector<std::int16_t> list;
    for (int index = 0; index < 40; ++index) write_plugin("P" + std::to_string(index), monolithic_bytes(plugin_with({ogre})));
    restart();
    ASSERT_EQ(get_plugin_list(nullptr), 40);
    for (std::int16_t index = 0; index < 40; ++index) list.push_back(index);
    EXPECT_FALSE(tag_files_open(false, list.data(), 40, NONE));
    for (std::int32_t index = 0; index < loaded_file_capacity; ++index) EXPECT_NE(loaded_file_header(index), nullptr);
}

TEST_F(MonolithicLoading, FullPluginTableSkipsTheRestOfTheFolder) {
    const std::string bytes = monolithic_bytes(plugin_with({}));
    for (int index = 0; index < plugin_table_capacity + 3; ++index) write_plugin("P" + std::to_string(index), bytes);
    restart();
    EXPECT_EQ(get_plugin_list(nullptr), plugin_table_capacity);
    plugin_info info;
    EXPECT_TRUE(get_plugin_info(plugin_table_capacity - 1, &info));
    EXPECT_FALSE(get_plugin_info(plugin_table_capacity, &info));
    EXPECT_FALSE(get_plugin_info(-1, &info));
}

}  // namespace
