// A local physics tag as a document: its parameter block given by the fields of the
// record's type, and by its bytes for a type outside the six models.

#include <gtest/gtest.h>

#include <cstring>

#include "cli/tag_document.h"
#include "core/byte_swap.h"
#include "definitions/local_physics_definitions.h"

namespace cli {
namespace {

using definitions::local_physics_definition;

constexpr tag_code physics = make_tag("phys");

class NoTagNames final : public TagNames {
public:
    std::optional<std::string> name_of(tag_code, tag_code) const override { return std::nullopt; }
    std::optional<tag_code> subgroup_of(tag_code, std::string_view) const override { return std::nullopt; }
};

// A converging record in file order: "Diverge", 3 to 7, phi 90 and 45 degrees.
std::vector<std::byte> converging_tag() {
    const std::uint8_t bytes[64] = {0, 4, 0, 0, 0, 0, 0, 1, 0, 3, 0, 5, 0x40, 0, 0x20, 0};
    std::vector<std::byte> data(sizeof bytes);
    std::memcpy(data.data(), bytes, sizeof bytes);
    return data;
}

const json::Object& parameters_of(const json::Value& document) {
    return document.as_object().find("fields")->as_object().find("parameters")->as_object();
}

TEST(PhysicsDocument, ParametersAreTheFieldsOfTheStoredType) {
    const NoTagNames names;
    const std::vector<std::byte> data = converging_tag();
    const json::Value document = tag_data_to_document(physics, data, names);
    const json::Object& parameters = parameters_of(document);
    EXPECT_EQ(parameters.find("flags")->as_array().at(0).as_string(), "Diverge");
    EXPECT_EQ(parameters.find("initial_angular_velocity_lower")->as_number().text, "3");
    EXPECT_EQ(parameters.find("initial_angular_velocity_delta")->as_number().text, "5");
    EXPECT_EQ(parameters.find("minimum_phi")->as_number().text, "90");
    EXPECT_EQ(parameters.find("phi_delta")->as_number().text, "45");

    std::vector<std::string> errors;
    EXPECT_EQ(tag_data_from_document(physics, document, names, errors), data);
    EXPECT_TRUE(errors.empty()) << errors.front();

    // An edited field reaches its place in the block, big-endian.
    json::Object edited_parameters = parameters;
    edited_parameters.set("phi_delta", json::Value::integer(180));
    json::Object fields = document.as_object().find("fields")->as_object();
    fields.set("parameters", json::Value(std::move(edited_parameters)));
    json::Object edited = document.as_object();
    edited.set("fields", json::Value(std::move(fields)));
    const std::optional<std::vector<std::byte>> back = tag_data_from_document(physics, json::Value(edited), names, errors);
    ASSERT_TRUE(back) << errors.front();
    EXPECT_EQ((*back)[14], std::byte{0x80});
    EXPECT_EQ((*back)[15], std::byte{0});
}

TEST(PhysicsDocument, UnknownTypeKeepsTheBlockAsBytes) {
    const NoTagNames names;
    std::vector<std::byte> data = converging_tag();
    data[1] = std::byte{7};
    const json::Value document = tag_data_to_document(physics, data, names);
    const json::Value* parameters = document.as_object().find("fields")->as_object().find("parameters");
    ASSERT_TRUE(parameters->is_string());
    EXPECT_EQ(parameters->as_string(), "0000000100030005400020");
    std::vector<std::string> errors;
    EXPECT_EQ(tag_data_from_document(physics, document, names, errors), data);

    // Fields given for a type without any are refused rather than guessed.
    json::Object fields = document.as_object().find("fields")->as_object();
    fields.set("parameters", tag_data_to_document(physics, converging_tag(), names).as_object().find("fields")
                                 ->as_object().find("parameters")->as_object());
    json::Object edited = document.as_object();
    edited.set("fields", json::Value(std::move(fields)));
    EXPECT_FALSE(tag_data_from_document(physics, json::Value(edited), names, errors));
    EXPECT_FALSE(errors.empty());
}

}  // namespace
}  // namespace cli
