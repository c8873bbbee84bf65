#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/byte_swap.h"
#include "core/tag_code.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/group_registry.h"
#include "definitions/local_physics_definitions.h"
#include "definitions/sound_definitions.h"
#include "tag_files/tag_groups.h"

namespace {

using namespace definitions;

struct expected_row {
    const char* group;
    int16_t dialog;
    uint32_t flags;
    uint32_t size;
};

const expected_row expected_rows[] = {
    {"amso", 138, 2, 64},  {"arti", 201, 2, 168}, {"anim", 147, 0, 1024}, {"conn", 144, 2, 32},
    {"core", 145, 2, 384}, {"font", 198, 2, 0},   {"form", 204, 0, 40},   {"inte", 146, 0, 256},
    {"ligh", 162, 2, 64},  {"phys", 179, 2, 64},  {"lpgr", 177, 2, 128},  {"meef", 166, 2, 36},
    {"medi", 192, 2, 256}, {"mesh", 188, 2, 0},   {"meli", 168, 2, 64},   {"mons", 154, 2, 1024},
    {"obje", 149, 2, 64},  {"obpc", 190, 2, 256}, {"part", 153, 2, 128},  {"prgr", 141, 2, 512},
    {"proj", 173, 2, 256}, {"scen", 195, 0, 128}, {"soli", 151, 0, 256},  {"soun", 169, 2, 64},
    {"stli", 187, 2, 0},   {"temp", 187, 2, 0},   {"text", 187, 2, 0},    {"unit", 165, 0, 128},
    {"wind", 137, 2, 128}, {".256", 0, 3, 0},     {"ditl", 0, 1, 0},      {"bina", 0, 1, 0},
    {"geom", 0, 1, 0},     {"mode", 0, 3, 0},     {"pref", 0, 1, 0},      {"prel", 0, 1, 0},
    {"reco", 0, 1, 0},     {"reva", 0, 1, 0},     {"save", 0, 1, 0},
};

TEST(GroupRegistry, RowsInOrderWithTheirFormsFlagsAndSizes) {
    const auto rows = tag_group_registry();
    ASSERT_EQ(rows.size(), std::size(expected_rows));
    for (size_t index = 0; index < rows.size(); ++index) {
        const expected_row& expected = expected_rows[index];
        const TagGroupEntry& row = rows[index];
        SCOPED_TRACE(expected.group);
        EXPECT_EQ(row.group_tag, tag_code_from_text(expected.group));
        EXPECT_EQ(row.editor_dialog, expected.dialog);
        EXPECT_EQ(row.flags, expected.flags);
        EXPECT_EQ(row.definition_size, expected.size);
        EXPECT_EQ(find_group(row.group_tag), &row);
        // A default comes with its codes and user data; shown groups have forms.
        EXPECT_EQ(row.default_definition != nullptr, expected.size != 0);
        EXPECT_EQ(row.get_user_data != nullptr, expected.size != 0);
        EXPECT_EQ(row.byte_swap_codes.empty(), expected.size == 0);
        EXPECT_EQ(has_editor(row.group_tag), expected.dialog != 0);
        EXPECT_EQ(is_hidden(row.group_tag), (expected.flags & TAG_GROUP_HIDDEN) != 0);
        EXPECT_EQ(has_editor(row.group_tag), !is_hidden(row.group_tag));
        EXPECT_EQ(get_definition_size(row.group_tag), expected.size);
        if (expected.size != 0) {
            const byte_swap_walk_result walk = byte_swap_measure(row.byte_swap_codes);
            EXPECT_TRUE(walk.valid);
            EXPECT_EQ(walk.bytes_covered, int64_t{expected.size});
            ASSERT_NE(row.description, nullptr);
            EXPECT_EQ(row.description->size, expected.size);
            EXPECT_EQ(get_default_definition(row.group_tag), row.default_definition);
            EXPECT_EQ(get_user_data_function(row.group_tag), row.get_user_data);
        }
    }
}

TEST(GroupRegistry, UnknownGroupHasNothing) {
    const tag_code unknown = make_tag("zzzz");
    EXPECT_EQ(find_group(unknown), nullptr);
    EXPECT_FALSE(has_editor(unknown));
    EXPECT_FALSE(is_hidden(unknown));
    EXPECT_FALSE(keeps_tag_list(unknown));
    EXPECT_EQ(get_default_definition(unknown), nullptr);
    EXPECT_EQ(get_user_data_function(unknown), nullptr);
    EXPECT_EQ(get_definition_size(unknown), 0u);
    EXPECT_TRUE(default_record_in_file_order(unknown).empty());
}

TEST(GroupRegistry, EveryGroupTheTagFileSystemKnowsHasARowAndRevaOnlyARow) {
    std::set<tag_code> table_groups;
    for (const group_definition* group = tag_group_next(nullptr); group; group = tag_group_next(group)) {
        table_groups.insert(group->group_tag);
        EXPECT_NE(find_group(group->group_tag), nullptr) << group->folder_name;
    }
    EXPECT_EQ(table_groups.size(), 38u);
    EXPECT_EQ(table_groups.count(make_tag("reva")), 0u);
    ASSERT_NE(find_group(make_tag("reva")), nullptr);
    EXPECT_TRUE(is_hidden(make_tag("reva")));
}

TEST(GroupRegistry, PlainTextGroupsShareOneForm) {
    EXPECT_EQ(find_group(make_tag("stli"))->editor_dialog, 187);
    EXPECT_EQ(find_group(make_tag("temp"))->editor_dialog, 187);
    EXPECT_EQ(find_group(make_tag("text"))->editor_dialog, 187);
    for (const char* group : {"font", "mesh", "stli", "temp", "text"}) {
        EXPECT_TRUE(default_record_in_file_order(tag_code_from_text(group)).empty()) << group;
    }
}

TEST(GroupRegistry, DefaultInFileOrderIsAConvertedCopy) {
    const auto first = default_record_in_file_order(make_tag("soun"));
    const auto second = default_record_in_file_order(make_tag("soun"));
    ASSERT_EQ(first.size(), 64u);
    EXPECT_EQ(first, second) << "the host-order default changed";
    // Loudness 1 and play fraction 65535, big-endian.
    EXPECT_EQ(std::to_integer<int>(first[4]), 0);
    EXPECT_EQ(std::to_integer<int>(first[5]), 1);
    EXPECT_EQ(sound_definition_default.loudness, 1);
    EXPECT_EQ(sound_definition_default.external_frequency_modifier, 256);
}

TEST(GroupRegistry, UserDataComesFromTheHostOrderRecord) {
    collection_reference reference = collection_reference_default;
    reference.collection = make_tag("abcd");
    EXPECT_EQ(get_user_data_function(make_tag("core"))(&reference), static_cast<int32_t>(make_tag("abcd")));

    sound_definition sound = sound_definition_default;
    sound.flags = 64 | 2;
    EXPECT_EQ(get_user_data_function(make_tag("soun"))(&sound), 66);

    for (const TagGroupEntry& row : tag_group_registry()) {
        if (!row.get_user_data || row.group_tag == make_tag("core") || row.group_tag == make_tag("soun")) continue;
        SCOPED_TRACE(tag_code_to_text(row.group_tag));
        EXPECT_EQ(row.get_user_data(row.default_definition), -1);
    }
}

// Bytes that differ from position to position, so that a missed or doubled
// conversion shows.
std::vector<uint8_t> pattern(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t index = 0; index < size; ++index) bytes[index] = static_cast<uint8_t>(index * 7 + 1);
    return bytes;
}

TEST(GroupRegistry, RecordsConvertToFileOrderAndBack) {
    for (const TagGroupEntry& row : tag_group_registry()) {
        if (row.byte_swap_codes.empty()) continue;
        SCOPED_TRACE(tag_code_to_text(row.group_tag));
        std::vector<uint8_t> record = pattern(row.definition_size);
        if (row.group_tag == make_tag("phys")) {
            const int16_t spherical_spring = 2;
            std::memcpy(record.data(), &spherical_spring, sizeof spherical_spring);
        }
        const std::vector<uint8_t> original = record;
        record_to_file_order(row, record.data());
        EXPECT_NE(record, original);
        record_to_host_order(row, record.data());
        EXPECT_EQ(record, original);
    }
}

TEST(GroupRegistry, SubRecordsAreConvertedWhileTheRecordIsInHostOrder) {
    // A spherical spring's parameters are converted by its type, which must still
    // be readable when the record goes out to the file.
    local_physics_definition physics{};
    physics.type = 2;
    std::vector<uint8_t> by_hand(sizeof physics);
    std::memcpy(by_hand.data(), &physics, sizeof physics);
    std::vector<uint8_t> converted = by_hand;
    for (size_t index = 4; index < by_hand.size(); ++index) by_hand[index] = converted[index] = uint8_t(index);

    convert_physics_parameters(by_hand.data());
    byte_swap_data("local_physics_definition", by_hand.data(), 64, 1, local_physics_definition_codes);
    record_to_file_order(*find_group(make_tag("phys")), converted.data());
    EXPECT_EQ(converted, by_hand);
}

}  // namespace
