// Records through their field descriptions: names where the tables have them,
// stored bits where they do not, and the same bytes back for every record.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "cli/json_writer.h"
#include "cli/record_json.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/model_animation_definitions.h"
#include "definitions/monster_definitions.h"
#include "definitions/object_definitions.h"
#include "definitions/projectile_group_definitions.h"
#include "definitions/record_catalog.h"
#include "definitions/sound_definitions.h"

namespace cli {
namespace {

using definitions::FieldDescription;

class OneTagNames final : public TagNames {
public:
    std::optional<std::string> name_of(tag_code, tag_code subgroup) const override {
        if (subgroup == make_tag("ogre")) return "Ogre";
        return std::nullopt;
    }
    std::optional<tag_code> subgroup_of(tag_code, std::string_view name) const override {
        if (name == "Ogre" || name == "ogre") return make_tag("ogre");
        return std::nullopt;
    }
};

const FieldDescription& field_named(const definitions::RecordDescription& description, std::string_view name) {
    return *std::ranges::find_if(description.fields, [&](const FieldDescription& field) { return field.name == name; });
}

TEST(RecordJson, EveryRecordGivesBackItsBytes) {
    const OneTagNames names;
    for (const definitions::RecordDescription* description : definitions::all_record_descriptions()) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            std::vector<std::byte> record(description->size);
            std::uint32_t state = seed * 2654435761u;
            for (std::byte& byte : record) {
                state = state * 1103515245u + 12345u;
                byte = static_cast<std::byte>(seed % 4 == 0 ? (state >> 16) & 0x81 : state >> 16);
            }
            // An element count stays within its array, as import demands.
            for (const FieldDescription& field : description->fields) {
                if (field.count_capacity < 0) continue;
                std::int16_t count;
                std::memcpy(&count, record.data() + field.offset, sizeof count);
                count = static_cast<std::int16_t>((count & 0x7FFF) % (field.count_capacity + 1));
                std::memcpy(record.data() + field.offset, &count, sizeof count);
            }
            const Json fields = record_to_json(*description, record, names);
            std::vector<std::byte> back(description->size, std::byte{0x5A});
            std::vector<std::string> errors;
            ASSERT_TRUE(record_from_json(*description, fields, back, names, errors))
                << description->name << ": " << (errors.empty() ? "" : errors.front());
            ASSERT_EQ(back, record) << description->name << "\n" << json::write_pretty(fields);
        }
    }
}

TEST(RecordJson, NamesWhereTheTablesHaveThem) {
    const definitions::RecordDescription& monster = definitions::monster_definition_description;
    std::vector<std::byte> record(monster.size);
    const auto put = [&](std::string_view name, auto value) {
        std::memcpy(record.data() + field_named(monster, name).offset, &value, sizeof value);
    };
    put("size", std::int16_t{2});
    put("class", std::int16_t{77});
    put("flags", static_cast<std::uint32_t>(definitions::monster_flag_names[0].value) | 0x80000000u);
    put("collection", make_tag("ogre"));
    put("burned_projectile_group", make_tag("none"));
    const Json fields = record_to_json(monster, record, OneTagNames());
    EXPECT_EQ(json::write_compact(fields["size"]), "\"Giant\"");
    EXPECT_EQ(json::write_compact(fields["class"]), "77");
    EXPECT_EQ(json::write_compact(fields["flags"]),
              "[\"" + std::string(definitions::monster_flag_names[0].name) + "\", 2147483648]");
    EXPECT_EQ(json::write_compact(fields["collection"]), "\"Ogre\"");
    EXPECT_EQ(json::write_compact(fields["burned_projectile_group"]), "{\"code\": \"none\"}");
}

TEST(RecordJson, ImportNamesEveryBadField) {
    const definitions::RecordDescription& monster = definitions::monster_definition_description;
    std::vector<std::byte> record(monster.size);
    Json fields = record_to_json(monster, record, NoTagNames());
    fields["size"] = "Enormous";
    fields["pathfinding_radius"] = 64.5;  // 33024 does not fit 16 bits
    fields["collection"] = "Nobody";
    fields["allied_kill_bonus"] = 1.5;
    fields["terrain_costs"] = Json::array();
    fields["extra"] = nullptr;
    std::vector<std::string> errors;
    EXPECT_FALSE(record_from_json(monster, fields, record, NoTagNames(), errors));
    const std::vector<std::string> expected = {
        "extra: no such field in monster_definition",
        "collection: no tag named \"Nobody\" in collections",
        "allied_kill_bonus: expected a whole number, found 1.5",
        "terrain_costs: expected " + std::to_string(field_named(monster, "terrain_costs").count) +
            " elements, found 0",
        "pathfinding_radius: 64.5 is out of range (-64 to 63.998)",
        "size: \"Enormous\" is not one of \"Small\", \"Man-sized\", \"Giant\"",
    };
    for (const std::string& error : expected) {
        EXPECT_NE(std::ranges::find(errors, error), errors.end()) << error;
    }
    EXPECT_EQ(errors.size(), expected.size());
}

// The JSON of one field after a round trip of the record through JSON, which
// must give back the same bytes.
std::string exported_field(const definitions::RecordDescription& description,
                           const std::vector<std::byte>& record, std::string_view name) {
    const Json fields = record_to_json(description, record, NoTagNames());
    std::vector<std::byte> back(description.size);
    std::vector<std::string> errors;
    EXPECT_TRUE(record_from_json(description, fields, back, NoTagNames(), errors)) << errors.front();
    EXPECT_EQ(back, record);
    return json::write_compact(*find_member(fields, name));
}

// Imports the record's own JSON with one field replaced; the first error, or
// "stored N" with the field's 16-bit word.
std::string imported_word(const definitions::RecordDescription& description, std::string_view name,
                          Json value) {
    std::vector<std::byte> record(description.size);
    Json fields = record_to_json(description, record, NoTagNames());
    fields[std::string(name)] = std::move(value);
    std::vector<std::string> errors;
    if (!record_from_json(description, fields, record, NoTagNames(), errors)) {
        return errors.front();
    }
    std::uint16_t word;
    std::memcpy(&word, record.data() + field_named(description, name).offset, sizeof word);
    return "stored " + std::to_string(word);
}

TEST(RecordJson, RepeatedAndCaseVariantNamesEachLeadToTheirOwnValue) {
    const definitions::RecordDescription& local_group =
        definitions::local_projectile_group_definition_description;
    std::vector<std::byte> record(local_group.size);
    const std::uint32_t flags = 0x200 | 0x2000 | 0x4000 | 0x80000 | 0x100000;
    std::memcpy(record.data() + field_named(local_group, "flags").offset, &flags, sizeof flags);
    EXPECT_EQ(exported_field(local_group, record, "flags"),
              "[\"Affects Transparency\", \"Affects Transparency (2)\", \"Affects Target Number (2)\", "
              "\"Affects Horizontal Scale (2)\", \"Affects Vertical Scale (2)\"]");

    const definitions::RecordDescription& scenery = definitions::scenery_definition_description;
    const std::size_t scoring = field_named(scenery, "netgame_scoring_type").offset;
    std::vector<std::byte> scenery_record(scenery.size);
    for (const auto& [stored, name] :
         {std::pair<std::int16_t, const char*>{13, "\"None\""}, {-1, "\"NONE\""}}) {
        std::memcpy(scenery_record.data() + scoring, &stored, sizeof stored);
        EXPECT_EQ(exported_field(scenery, scenery_record, "netgame_scoring_type"), name);
    }
    EXPECT_EQ(imported_word(scenery, "netgame_scoring_type", Json("None")), "stored 13");
    EXPECT_EQ(imported_word(scenery, "netgame_scoring_type", Json("body count")), "stored 0")
        << "case is ignored where only one name fits";
    EXPECT_EQ(imported_word(scenery, "netgame_scoring_type", Json("none"))
                  .find("netgame_scoring_type: \"none\" is not one of"),
              0u)
        << "\"none\" could be either";
}

TEST(RecordJson, HealingFractionIsTheLowByteWithTheHighByteKeptApart) {
    const definitions::RecordDescription& monster = definitions::monster_definition_description;
    std::vector<std::byte> record(monster.size);
    const std::uint16_t word = 0x0123;
    std::memcpy(record.data() + field_named(monster, "healing_fraction").offset, &word, sizeof word);
    EXPECT_EQ(exported_field(monster, record, "healing_fraction"), "0.137");
    EXPECT_EQ(exported_field(monster, record, "healing_fraction_high_byte"), "1");
    EXPECT_EQ(imported_word(monster, "healing_fraction", Json(0.5)), "stored 128");
    EXPECT_EQ(imported_word(monster, "healing_fraction", Json(1.2)),
              "healing_fraction: 1.2 is out of range (0 to 1)");
}

TEST(RecordJson, ElementCountsStayWithinTheirArrays) {
    struct Case {
        const definitions::RecordDescription& description;
        const char* field;
        std::int64_t capacity;
    };
    const Case cases[] = {
        {definitions::monster_definition_description, "attack_count", 4},
        {definitions::projectile_group_definition_description, "part_count", 15},
        {definitions::model_animation_definition_description, "frame_count", 31},
        {definitions::collection_reference_description, "permutation_count", 5},
        {definitions::sound_list_description, "count", 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_EQ(imported_word(c.description, c.field, Json(c.capacity)),
                  "stored " + std::to_string(c.capacity));
        for (const std::int64_t beyond : {c.capacity + 1, std::int64_t{-3}}) {
            EXPECT_EQ(imported_word(c.description, c.field, Json(beyond)),
                      std::string(c.field) + ": " + std::to_string(beyond) + " is out of range (0 to " +
                          std::to_string(c.capacity) + ")");
        }
    }
}

}  // namespace
}  // namespace cli
