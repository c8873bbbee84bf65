// The reference index over working folders written by the tool's own writers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/demo_collection.h"
#include "cli_runner.h"
#include "cli/tag_creation.h"
#include "core/error_manager.h"
#include "definitions/group_registry.h"
#include "definitions/monster_definitions.h"
#include "definitions/projectile_definitions.h"
#include "definitions/projectile_group_definitions.h"
#include "media/collection_format.h"
#include "media/collection_writer.h"
#include "media/reference_index.h"
#include "support/open_tag_files.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace {

using definitions::FieldDescription;
using definitions::FieldKind;
using definitions::RecordDescription;
using references::ReferenceIndex;

class ReferenceIndexTest : public test_support::OpenTagFilesTest {
protected:
    // A tag of the group holding record (host order) in file order.
    static tag_handle write(tag_code group, const std::string& name, std::vector<std::byte> record) {
        tag_handle handle = cli::create_tag_from_default(group, name);
        EXPECT_NE(handle, NONE) << name;
        if (const definitions::TagGroupEntry* row = definitions::find_group(group); row && record.size() == row->definition_size) {
            definitions::record_to_file_order(*row, record.data());
        }
        EXPECT_TRUE(tag_replace_data(handle, record.data(), static_cast<std::int32_t>(record.size())));
        tag_file_close_local();
        return handle;
    }

    static std::vector<std::byte> default_record(tag_code group) {
        const definitions::TagGroupEntry* row = definitions::find_group(group);
        const auto* bytes = static_cast<const std::byte*>(row->default_definition);
        return {bytes, bytes + row->definition_size};
    }

    template <typename Record>
    static std::vector<std::byte> bytes_of(const Record& record) {
        std::vector<std::byte> bytes(sizeof record);
        std::memcpy(bytes.data(), &record, sizeof record);
        return bytes;
    }

    static std::size_t index_of(const ReferenceIndex& index, tag_handle handle) {
        const auto found = index.find(tag_get_group(handle), tag_get_subgroup(handle));
        EXPECT_TRUE(found.has_value());
        return found.value_or(0);
    }

    static std::multiset<std::string> used_fields(const ReferenceIndex& index, std::size_t tag) {
        std::multiset<std::string> fields;
        for (const references::Reference* use : index.uses(tag)) fields.insert(use->field);
        return fields;
    }

};

void store(std::vector<std::byte>& record, std::uint32_t offset, std::uint32_t width, std::int64_t value) {
    if (width == 2) {
        const auto word = static_cast<std::int16_t>(value);
        std::memcpy(record.data() + offset, &word, 2);
    } else {
        const auto word = static_cast<std::uint32_t>(value);
        std::memcpy(record.data() + offset, &word, 4);
    }
}

// Puts a reference to the group's target into every reference field, each array
// holding one element, and notes the field's name and group.
void fill_references(const RecordDescription& description, std::uint32_t base, const std::string& prefix,
                     std::vector<std::byte>& record, const std::map<tag_code, tag_code>& targets,
                     std::map<std::string, tag_code>& expected) {
    for (const FieldDescription& field : description.fields) {
        const std::uint32_t offset = base + field.offset;
        const std::string path = prefix + field.name + (field.count > 1 ? "[0]" : "");
        if (field.count_capacity >= 1) store(record, offset, field.width, 1);
        if (field.kind == FieldKind::tag_reference) {
            store(record, offset, field.width, targets.at(field.reference_group));
            expected[path] = field.reference_group;
        } else if (field.kind == FieldKind::record_array && field.element) {
            fill_references(*field.element, offset, path + ".", record, targets, expected);
        }
    }
}

void referenced_groups(const RecordDescription& description, std::set<tag_code>& groups) {
    for (const FieldDescription& field : description.fields) {
        if (field.kind == FieldKind::tag_reference) groups.insert(field.reference_group);
        if (field.kind == FieldKind::record_array && field.element) referenced_groups(*field.element, groups);
    }
}

TEST_F(ReferenceIndexTest, EveryDescribedReferenceOfEveryGroupIsFoundAndResolved) {
    std::set<tag_code> groups;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (row.description) referenced_groups(*row.description, groups);
    }
    ASSERT_FALSE(groups.empty());
    std::map<tag_code, tag_code> targets;
    for (const tag_code group : groups) {
        const tag_handle target = write(group, "Target", {});
        targets[group] = tag_get_subgroup(target);
    }

    std::map<tag_code, std::map<std::string, tag_code>> expected;
    std::map<tag_code, tag_code> users;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (!row.description || !row.default_definition || row.definition_size != row.description->size) continue;
        std::map<std::string, tag_code> fields;
        std::vector<std::byte> record = default_record(row.group_tag);
        fill_references(*row.description, 0, "", record, targets, fields);
        if (fields.empty()) continue;
        users[row.group_tag] = tag_get_subgroup(write(row.group_tag, "User", record));
        expected[row.group_tag] = fields;
    }
    ASSERT_GE(expected.size(), 10u);

    const ReferenceIndex index(references::visible_tags());
    for (const auto& [group, fields] : expected) {
        const auto user = index.find(group, users.at(group));
        ASSERT_TRUE(user.has_value());
        std::map<std::string, tag_code> found;
        for (const references::Reference* use : index.uses(*user)) {
            found[use->field] = use->group;
            ASSERT_TRUE(use->to.has_value()) << use->field;
            EXPECT_EQ(index.tags()[*use->to].name, "Target") << use->field;
            EXPECT_EQ(index.tags()[*use->to].group, use->group) << use->field;
        }
        EXPECT_EQ(found, fields) << index.tags()[*user].name << " of " << std::string(tag_group_get_folder_name(group));
    }
}

constexpr tag_code monsters = make_tag("mons");
constexpr tag_code projectiles = make_tag("proj");
constexpr tag_code projectile_groups = make_tag("prgr");

TEST_F(ReferenceIndexTest, MissingWrongGroupSequenceCountAndShortRecordEachReportedOnceWithTheField) {
    const std::optional<std::vector<std::byte>> collection_data = write_collection(cli::demo_collection());
    ASSERT_TRUE(collection_data.has_value());
    tag_handle collection = cli::create_tag_from_default(collection_group_tag, "Figure");
    ASSERT_TRUE(tag_replace_data(collection, collection_data->data(), static_cast<std::int32_t>(collection_data->size())));
    tag_file_close_local();
    const tag_handle arrow = write(projectiles, "Arrow", default_record(projectiles));

    definitions::monster_definition monster = definitions::monster_definition_default;
    monster.collection = static_cast<std::int32_t>(tag_get_subgroup(collection));
    monster.sequences[0] = 1;  // the demo collection's second and last sequence
    monster.sequences[1] = 2;
    monster.attack_count = 1;
    monster.attacks[0].projectile = static_cast<std::int32_t>(make_tag("nope"));
    monster.attacks[1].projectile = static_cast<std::int32_t>(make_tag("gone"));  // beyond the count
    monster.burned_projectile_group = static_cast<std::int32_t>(tag_get_subgroup(arrow));
    write(monsters, "Dwarf", bytes_of(monster));
    monster = definitions::monster_definition_default;
    monster.attack_count = 5;
    write(monsters, "Crowd", bytes_of(monster));
    write(monsters, "Stub", std::vector<std::byte>(10));

    const ReferenceIndex index(references::visible_tags());
    std::map<std::string, std::vector<std::string>> problems;
    for (const references::Problem& problem : index.problems()) {
        problems[index.tags()[problem.tag].name].push_back(problem.field + ": " + problem.message);
    }
    EXPECT_EQ(problems["Dwarf"], (std::vector<std::string>{
                                     "sequences[1]: sequence 2 beyond the 2 sequences of collections/Figure",
                                     "burned_projectile_group: missing projectile groups arro (a projectiles tag "
                                     "has that code)",
                                     "attacks[0].projectile: missing projectiles nope",
                                 }));
    EXPECT_EQ(problems["Crowd"], std::vector<std::string>{"attack_count: count 5 beyond its capacity 4"});
    EXPECT_EQ(problems["Stub"], std::vector<std::string>{": 10 bytes, shorter than the " +
                                                         std::to_string(sizeof(definitions::monster_definition)) +
                                                         "-byte record of its group"});
    EXPECT_EQ(problems.size(), 3u);

    tag_files_close();
    const cli_test::CliRun check = cli_test::run_cli({"check", "--group", "mons"});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.out.find("monsters/Dwarf: attacks[0].projectile: missing projectiles nope\n"), std::string::npos)
        << check.out;
    EXPECT_EQ(cli_test::run_cli({"check", "--group", "proj"}).status, 0);
    const cli_test::CliRun refs = cli_test::run_cli({"refs", "monsters/Dwarf"});
    EXPECT_EQ(refs.status, 0);
    // Aligned columns: each as wide as its widest cell.
    EXPECT_NE(refs.out.find("uses:\n"
                            "  collection               collections        Figure\n"
                            "  burned_projectile_group  projectile groups  missing arro\n"
                            "  attacks[0].projectile    projectiles        missing nope\n"),
              std::string::npos)
        << refs.out;
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
}

TEST_F(ReferenceIndexTest, UsedByFollowsARenameAndADelete) {
    const tag_handle burst = write(projectile_groups, "Burst", default_record(projectile_groups));
    definitions::monster_definition monster = definitions::monster_definition_default;
    monster.burned_projectile_group = static_cast<std::int32_t>(tag_get_subgroup(burst));
    monster.dying_projectile_group = static_cast<std::int32_t>(tag_get_subgroup(burst));
    tag_handle dwarf = write(monsters, "Dwarf", bytes_of(monster));

    auto users = [&] {
        const ReferenceIndex index(references::visible_tags());
        std::vector<std::string> rows;
        for (const references::Reference* user : index.used_by(index_of(index, tag_find(projectile_groups, tag_get_subgroup(burst))))) {
            rows.push_back(index.tags()[user->from].name + " " + user->field);
        }
        return rows;
    };
    EXPECT_EQ(users(), (std::vector<std::string>{"Dwarf burned_projectile_group", "Dwarf dying_projectile_group"}));
    ASSERT_TRUE(tag_rename(dwarf, "Ogre"));
    EXPECT_EQ(users(), (std::vector<std::string>{"Ogre burned_projectile_group", "Ogre dying_projectile_group"}));
    ASSERT_TRUE(tag_file_delete(dwarf));
    EXPECT_EQ(users(), std::vector<std::string>{});

    tag_files_close();
    const cli_test::CliRun refs = cli_test::run_cli({"refs", "prgr/burst", "--json"});
    EXPECT_EQ(refs.status, 0);
    EXPECT_NE(refs.out.find("\"used_by\": []"), std::string::npos) << refs.out;
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
}

TEST_F(ReferenceIndexTest, PluginWithReferencesAddsExactlyTheLocalTagsOfTheChain) {
    definitions::projectile_definition projectile = definitions::projectile_definition_default;
    const tag_handle spark = write(projectiles, "Spark", bytes_of(projectile));
    write(projectiles, "Unrelated", bytes_of(projectile));
    definitions::projectile_group_definition group = definitions::projectile_group_definition_default;
    group.part_count = 1;
    group.parts[0].projectile = static_cast<std::int32_t>(tag_get_subgroup(spark));
    const tag_handle burst = write(projectile_groups, "Burst", bytes_of(group));
    projectile.detonation_projectile_group = static_cast<std::int32_t>(tag_get_subgroup(burst));
    const tag_handle bolt = write(projectiles, "Bolt", bytes_of(projectile));
    definitions::monster_definition monster = definitions::monster_definition_default;
    monster.attack_count = 1;
    monster.attacks[0].projectile = static_cast<std::int32_t>(tag_get_subgroup(bolt));
    write(monsters, "Dwarf", bytes_of(monster));

    tag_files_close();
    const cli_test::CliRun build = cli_test::run_cli({"build-plugin", "Chain", "--with-references", "mons/dwarf"});
    EXPECT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.out, "added projectiles/Bolt (monsters/Dwarf attacks[0].projectile)\n"
                         "added projectile groups/Burst (projectiles/Bolt detonation_projectile_group)\n"
                         "added projectiles/Spark (projectile groups/Burst parts[0].projectile)\n"
                         "wrote plugins/Chain (4 tags)\n");
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
}

}  // namespace

namespace {

// What an index says of each tag, by group and subgroup rather than by index.
std::map<std::pair<tag_code, tag_code>, std::vector<std::string>> index_view(const ReferenceIndex& index) {
    std::map<std::pair<tag_code, tag_code>, std::vector<std::string>> view;
    const auto key_text = [&](std::size_t tag) {
        return printable_code_text(index.tags()[tag].group) + "/" + printable_code_text(index.tags()[tag].subgroup);
    };
    for (std::size_t tag = 0; tag < index.tags().size(); ++tag) {
        std::vector<std::string>& lines = view[{index.tags()[tag].group, index.tags()[tag].subgroup}];
        lines.push_back("name " + index.tags()[tag].name);
        for (const references::Reference* use : index.uses(tag))
            lines.push_back("uses " + use->field + " " + (use->to ? key_text(*use->to) : "missing"));
        for (const references::Reference* user : index.used_by(tag))
            lines.push_back("used by " + key_text(user->from) + " " + user->field);
        for (const references::Problem* problem : index.problems_of(tag))
            lines.push_back("problem " + problem->field + ": " + problem->message);
    }
    return view;
}

}  // namespace

TEST_F(ReferenceIndexTest, ChangedTagByTagAnIndexSaysWhatABuiltOneSays) {
    const std::optional<std::vector<std::byte>> collection_data = write_collection(cli::demo_collection());
    ASSERT_TRUE(collection_data.has_value());
    tag_handle collection = cli::create_tag_from_default(collection_group_tag, "Figure");
    ASSERT_TRUE(tag_replace_data(collection, collection_data->data(), static_cast<std::int32_t>(collection_data->size())));
    tag_file_close_local();
    const tag_handle arrow = write(projectiles, "Arrow", default_record(projectiles));
    const tag_handle volley = write(projectile_groups, "Volley", default_record(projectile_groups));
    definitions::monster_definition monster = definitions::monster_definition_default;
    monster.collection = static_cast<std::int32_t>(tag_get_subgroup(collection));
    monster.sequences[0] = 1;
    monster.attack_count = 1;
    monster.attacks[0].projectile = static_cast<std::int32_t>(tag_get_subgroup(arrow));
    monster.burned_projectile_group = static_cast<std::int32_t>(tag_get_subgroup(volley));
    write(monsters, "Dwarf", bytes_of(monster));
    monster.attacks[0].projectile = static_cast<std::int32_t>(tag_get_subgroup(volley));  // of another group
    write(monsters, "Giant", bytes_of(monster));
    std::vector<references::TagEntry> all = references::visible_tags();
    const auto entry = [&](const std::string& name) {
        return *std::ranges::find(all, name, &references::TagEntry::name);
    };

    // Starting without the arrow and the collection, the changes arrive one by one.
    std::vector<references::TagEntry> now;
    for (const references::TagEntry& tag : all)
        if (tag.name != "Arrow" && tag.name != "Figure") now.push_back(tag);
    ReferenceIndex index(now);
    const auto expect_as_built = [&](const char* after) {
        EXPECT_EQ(index_view(index), index_view(ReferenceIndex(now))) << "after " << after;
    };
    const auto update = [&](references::TagEntry changed) {
        index.update(changed);
        const auto same = std::ranges::find_if(now, [&](const references::TagEntry& tag) {
            return tag.group == changed.group && tag.subgroup == changed.subgroup;
        });
        if (same == now.end()) now.push_back(changed); else *same = changed;
    };
    const auto remove = [&](const std::string& name) {
        const auto gone = std::ranges::find(now, name, &references::TagEntry::name);
        index.remove(gone->group, gone->subgroup);
        *gone = now.back();
        now.pop_back();
    };
    update(entry("Arrow"));
    expect_as_built("the arrow came");
    update(entry("Figure"));
    expect_as_built("the collection came");
    references::TagEntry shorter = entry("Figure");
    shorter.data.resize(shorter.data.size() / 2);
    update(shorter);
    expect_as_built("the collection was damaged");
    update(entry("Figure"));
    remove("Arrow");
    expect_as_built("the arrow went");
    remove("Dwarf");
    expect_as_built("a monster went, the last tag taking its place");
    references::TagEntry renamed = entry("Volley");
    renamed.name = "Salvo";
    update(renamed);
    expect_as_built("the group was renamed");
    remove("Salvo");
    remove("Figure");
    expect_as_built("two went");
}
