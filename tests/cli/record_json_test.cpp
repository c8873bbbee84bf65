// Records through their field descriptions: names where the tables have them,
// stored bits where they do not, and the same bytes back for every record.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "cli/json_writer.h"
#include "cli/record_json.h"
#include "definitions/monster_definitions.h"
#include "definitions/record_catalog.h"

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
            const json::Value fields = record_to_json(*description, record, names);
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
    const json::Value json = record_to_json(monster, record, OneTagNames());
    const json::Object& fields = json.as_object();
    EXPECT_EQ(json::write_compact(*fields.find("size")), "\"Giant\"");
    EXPECT_EQ(json::write_compact(*fields.find("class")), "77");
    EXPECT_EQ(json::write_compact(*fields.find("flags")),
              "[\"" + std::string(definitions::monster_flag_names[0].name) + "\", 2147483648]");
    EXPECT_EQ(json::write_compact(*fields.find("collection")), "\"Ogre\"");
    EXPECT_EQ(json::write_compact(*fields.find("burned_projectile_group")), "{\"code\": \"none\"}");
}

TEST(RecordJson, ImportNamesEveryBadField) {
    const definitions::RecordDescription& monster = definitions::monster_definition_description;
    std::vector<std::byte> record(monster.size);
    json::Object fields = record_to_json(monster, record, NoTagNames()).as_object();
    fields.set("size", json::Value("Enormous"));
    fields.set("pathfinding_radius", json::Value(json::Number{"64.5"}));  // 33024 does not fit 16 bits
    fields.set("collection", json::Value("Nobody"));
    fields.set("allied_kill_bonus", json::Value(json::Number{"1.5"}));
    fields.set("terrain_costs", json::Value(json::Array{}));
    fields.set("extra", json::Value(nullptr));
    std::vector<std::string> errors;
    EXPECT_FALSE(record_from_json(monster, json::Value(std::move(fields)), record, NoTagNames(), errors));
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

}  // namespace
}  // namespace cli
