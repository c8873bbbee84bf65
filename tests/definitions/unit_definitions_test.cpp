#include "definitions/unit_definitions.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_swap.h"
#include "definitions/stored_bytes.h"

namespace {

using namespace definitions;
using test_support::stored_value;

TEST(UnitDefinitions, CodesCoverEachRecordExactly) {
    EXPECT_EQ(test_support::coverage_fault(unit_definition_codes, sizeof(unit_definition)), "");
    EXPECT_EQ(test_support::coverage_fault(artifact_definition_codes, sizeof(artifact_definition)), "");
}

TEST(UnitDefinitions, DefaultUnitReferencesNothing) {
    const stored_value expected[] = {{0, 4, -1}, {4, 4, -1}};
    EXPECT_EQ(test_support::file_order_differences(&unit_definition_default, sizeof(unit_definition),
                                                   unit_definition_codes, expected),
              "");
}

TEST(UnitDefinitions, DefaultArtifactIsAllZero) {
    EXPECT_EQ(test_support::file_order_differences(&artifact_definition_default, sizeof(artifact_definition),
                                                   artifact_definition_codes, {}),
              "");
}

TEST(UnitDefinitions, OverrideAttackIsConvertedOnlyByTheAttackCodes) {
    artifact_definition record{};
    record.override_attack.projectile = 0x01020304;
    record.bonus_effect_modifiers.modifiers[8] = 0x0708;
    auto bytes = reinterpret_cast<uint8_t*>(&record);
    const size_t projectile_at = offsetof(artifact_definition, override_attack) + 4;

    byte_swap_data("artifact_definition", &record, sizeof record, 1, artifact_definition_codes);
    EXPECT_EQ(bytes[projectile_at], 0x04) << "record codes touched the override attack";
    EXPECT_EQ(bytes[offsetof(artifact_definition, bonus_effect_modifiers) + 16], 0x07);

    convert_artifact_attack(&record);
    const uint8_t file_projectile[] = {0x01, 0x02, 0x03, 0x04};
    EXPECT_EQ(std::memcmp(bytes + projectile_at, file_projectile, 4), 0);
}

TEST(UnitDefinitions, EnumerationNamesFollowTheirBias) {
    EXPECT_EQ(test_support::enumeration_bias_faults(artifact_definition_description), "");
}

}  // namespace
