#include "definitions/projectile_group_definitions.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_swap.h"
#include "definitions/stored_bytes.h"

namespace {

using namespace definitions;
using test_support::stored_value;

TEST(ProjectileGroupDefinitions, CodesCoverEachRecordExactly) {
    EXPECT_EQ(test_support::coverage_fault(projectile_group_definition_codes, sizeof(projectile_group_definition)),
              "");
    EXPECT_EQ(test_support::coverage_fault(projectile_group_part_codes, sizeof(projectile_group_part)), "");
    EXPECT_EQ(test_support::coverage_fault(local_projectile_group_definition_codes,
                                           sizeof(local_projectile_group_definition)),
              "");
}

TEST(ProjectileGroupDefinitions, GroupConvertsEveryPartLikeThePartCodes) {
    uint8_t by_group[sizeof(projectile_group_definition)];
    for (size_t index = 0; index < sizeof by_group; ++index) by_group[index] = static_cast<uint8_t>(index * 7 + 3);
    uint8_t by_parts[sizeof by_group];
    std::memcpy(by_parts, by_group, sizeof by_group);

    byte_swap_data("projectile_group_definition", by_group, sizeof by_group, 1, projectile_group_definition_codes);
    const size_t parts_at = offsetof(projectile_group_definition, parts);
    byte_swap_data("projectile_group_part", by_parts + parts_at, sizeof(projectile_group_part),
                   projectile_group_part_capacity, projectile_group_part_codes);

    EXPECT_EQ(std::memcmp(by_group + parts_at, by_parts + parts_at, sizeof by_group - parts_at), 0);
}

TEST(ProjectileGroupDefinitions, DefaultRecordsInFileOrder) {
    const stored_value group[] = {{8, 4, -1}, {12, 4, -1}, {16, 4, -1}};
    const stored_value part[] = {{0, 4, -1}, {8, 2, 1}, {14, 2, 256}, {20, 2, 65535}};
    const stored_value local_group[] = {
        {4, 4, -1},   {8, 4, -1},    {12, 2, -1},  {14, 2, -1},     {16, 2, 256},
        {20, 2, 256}, {24, 2, 1},    {32, 4, 512}, {60, 4, 256},    {64, 2, 256, 7},
    };
    struct record_case {
        const char* name;
        const void* record;
        size_t size;
        std::span<const int16_t> codes;
        std::span<const stored_value> expected;
    };
    const record_case cases[] = {
        {"projectile group", &projectile_group_definition_default, sizeof(projectile_group_definition),
         projectile_group_definition_codes, group},
        {"part", &projectile_group_part_default, sizeof(projectile_group_part), projectile_group_part_codes, part},
        {"local projectile group", &local_projectile_group_definition_default,
         sizeof(local_projectile_group_definition), local_projectile_group_definition_codes, local_group},
    };
    for (const record_case& entry : cases) {
        EXPECT_EQ(test_support::file_order_differences(entry.record, entry.size, entry.codes, entry.expected), "")
            << entry.name;
    }
}

TEST(ProjectileGroupDefinitions, EnumerationNamesFollowTheirBias) {
    EXPECT_EQ(test_support::enumeration_bias_faults(local_projectile_group_definition_description), "");
}

}  // namespace
