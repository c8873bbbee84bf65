#include "definitions/projectile_definitions.h"

#include <gtest/gtest.h>

#include "definitions/stored_bytes.h"

namespace {

using namespace definitions;
using test_support::stored_value;

TEST(ProjectileDefinitions, CodesCoverEachRecordExactly) {
    EXPECT_EQ(test_support::coverage_fault(projectile_definition_codes, sizeof(projectile_definition)), "");
    EXPECT_EQ(test_support::coverage_fault(damage_definition_codes, sizeof(damage_definition)), "");
    EXPECT_EQ(test_support::coverage_fault(damage_effect_modifiers_codes, sizeof(damage_effect_modifiers)), "");
}

TEST(ProjectileDefinitions, DefaultRecordInFileOrder) {
    const stored_value expected[] = {
        {4, 4, -1},      {8, 2, -1},      {10, 2, -1},     {12, 2, -1},  {16, 4, -1},  {20, 4, -1},
        {26, 2, 32767},  {28, 4, -1},     {32, 2, 256},    {44, 2, 65535}, {46, 2, 65535}, {50, 2, -1},
        {52, 4, -1},     {60, 4, -1},     {64, 4, -1},     {68, 4, -1},  {72, 4, -1},  {76, 2, 256},
        {84, 2, 65535},  {90, 2, 546},    {92, 4, -1},     {96, 4, -1},  {104, 2, -1}, {120, 4, -1},
        {124, 4, -1},    {128, 4, -1},    {136, 4, -1},
    };
    EXPECT_EQ(test_support::file_order_differences(&projectile_definition_default, sizeof(projectile_definition),
                                                   projectile_definition_codes, expected),
              "");
}

TEST(ProjectileDefinitions, DefaultDamageHasNoType) {
    const stored_value expected[] = {{0, 2, -1}};
    EXPECT_EQ(test_support::file_order_differences(&damage_definition_default, sizeof(damage_definition),
                                                   damage_definition_codes, expected),
              "");
}

TEST(ProjectileDefinitions, EnumerationNamesFollowTheirBias) {
    EXPECT_EQ(test_support::enumeration_bias_faults(projectile_definition_description), "");
}

}  // namespace
