// A local physics tag as a document: its parameter block given by the fields of the
// record's type, and by its bytes for a type outside the six models.

#include <gtest/gtest.h>

#include <cstring>

#include "cli/json_writer.h"
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

const Json& parameters_of(const Json& document) { return document["fields"]["parameters"]; }

TEST(PhysicsDocument, ParametersAreTheFieldsOfTheStoredType) {
    const NoTagNames names;
    const std::vector<std::byte> data = converging_tag();
    const Json document = tag_data_to_document(physics, data, names);
    const Json& parameters = parameters_of(document);
    EXPECT_EQ(parameters["flags"].at(0), "Diverge");
    EXPECT_EQ(json::number_text(parameters["initial_angular_velocity_lower"]), "3");
    EXPECT_EQ(json::number_text(parameters["initial_angular_velocity_delta"]), "5");
    EXPECT_EQ(json::number_text(parameters["minimum_phi"]), "90");
    EXPECT_EQ(json::number_text(parameters["phi_delta"]), "45");

    std::vector<std::string> errors;
    EXPECT_EQ(tag_data_from_document(physics, document, names, errors), data);
    EXPECT_TRUE(errors.empty()) << errors.front();

    // An edited field reaches its place in the block, big-endian.
    Json edited = document;
    edited["fields"]["parameters"]["phi_delta"] = 180;
    const std::optional<std::vector<std::byte>> back = tag_data_from_document(physics, edited, names, errors);
    ASSERT_TRUE(back) << errors.front();
    EXPECT_EQ((*back)[14], std::byte{0x80});
    EXPECT_EQ((*back)[15], std::byte{0});
}

TEST(PhysicsDocument, UnknownTypeKeepsTheBlockAsBytes) {
    const NoTagNames names;
    std::vector<std::byte> data = converging_tag();
    data[1] = std::byte{7};
    const Json document = tag_data_to_document(physics, data, names);
    const Json& parameters = parameters_of(document);
    ASSERT_TRUE(parameters.is_string());
    EXPECT_EQ(parameters, "0000000100030005400020");
    std::vector<std::string> errors;
    EXPECT_EQ(tag_data_from_document(physics, document, names, errors), data);

    // Fields given for a type without any are refused rather than guessed.
    Json edited = document;
    edited["fields"]["parameters"] = parameters_of(tag_data_to_document(physics, converging_tag(), names));
    EXPECT_FALSE(tag_data_from_document(physics, edited, names, errors));
    EXPECT_FALSE(errors.empty());
}

}  // namespace
}  // namespace cli
