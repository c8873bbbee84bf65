#include "definitions/local_physics_definitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>
#include <cstring>
#include <string>

#include "definitions/stored_bytes.h"

namespace {

using namespace definitions;

TEST(LocalPhysicsDefinitions, CodesCoverEachBlockExactly) {
    EXPECT_EQ(test_support::coverage_fault(local_physics_definition_codes, sizeof(local_physics_definition)), "");
    for (int16_t type = 0; type < local_physics_type_count; ++type) {
        const RecordDescription* parameters = local_physics_parameters_description(type);
        ASSERT_NE(parameters, nullptr) << type;
        EXPECT_EQ(test_support::coverage_fault(parameters->codes, sizeof(local_physics_parameters)), "") << type;
    }
}

TEST(LocalPhysicsDefinitions, ParameterBlocksAreLabelledByTheirTypeName) {
    for (int16_t type = 0; type < local_physics_type_count; ++type) {
        std::string label = local_physics_type_names[type].name;
        for (char& character : label) character = static_cast<char>(std::tolower(character));
        EXPECT_EQ(local_physics_parameters_description(type)->name, label + " physics");
    }
}

local_physics_definition patterned_record(int16_t type) {
    local_physics_definition record{};
    record.type = type;
    for (size_t index = 0; index < sizeof record.parameters.bytes; ++index) {
        record.parameters.bytes[index] = static_cast<uint8_t>(index + 1);
    }
    return record;
}

// Block bytes after conversion, for the pattern 1, 2, 3, ... and the widths given in order.
std::array<uint8_t, 60> swapped_pattern(std::initializer_list<int> widths) {
    std::array<uint8_t, 60> bytes{};
    for (size_t index = 0; index < bytes.size(); ++index) bytes[index] = static_cast<uint8_t>(index + 1);
    size_t offset = 0;
    for (int width : widths) {
        if (width < 0) {
            std::reverse(bytes.begin() + offset, bytes.begin() + offset - width);
            offset += -width;
        } else {
            offset += width;
        }
    }
    return bytes;
}

TEST(LocalPhysicsDefinitions, ParametersAreConvertedByTheRecordsType) {
    struct conversion {
        int16_t type;
        std::array<uint8_t, 60> expected;
    };
    const conversion conversions[] = {
        {linear_physics, swapped_pattern({-4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4, -4})},
        {cylindrical_physics, swapped_pattern({-4, -2, -2, -2, -2, -4, -4, -4})},
        {spherical_spring_physics, swapped_pattern({-4, -2, -2, -4})},
        {point_attractor_physics, swapped_pattern({-4, -4, -4, -4, -2})},
        {converging_physics, swapped_pattern({-4, -2, -2, -2, -2})},
        {explosive_gas_physics, swapped_pattern({-4, -4, -4, -4, -4, -4, -4, -2})},
        {-1, swapped_pattern({})},
        {6, swapped_pattern({})},
    };
    for (const conversion& entry : conversions) {
        local_physics_definition record = patterned_record(entry.type);
        convert_physics_parameters(&record);
        EXPECT_EQ(std::memcmp(record.parameters.bytes, entry.expected.data(), entry.expected.size()), 0)
            << "type " << entry.type;
        EXPECT_EQ(record.type, entry.type);
    }
}

TEST(LocalPhysicsDefinitions, DefaultIsAllZero) {
    EXPECT_EQ(test_support::file_order_differences(&local_physics_definition_default, sizeof(local_physics_definition),
                                                   local_physics_definition_codes, {}),
              "");
}

}  // namespace
