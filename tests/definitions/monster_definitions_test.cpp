#include "definitions/monster_definitions.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/byte_swap.h"
#include "definitions/stored_bytes.h"

namespace {

using namespace definitions;
using test_support::stored_value;

TEST(MonsterDefinitions, CodesCoverEachRecordExactly) {
    EXPECT_EQ(test_support::coverage_fault(monster_definition_codes, sizeof(monster_definition)), "");
    EXPECT_EQ(test_support::coverage_fault(attack_definition_codes, sizeof(attack_definition)), "");
    EXPECT_EQ(test_support::coverage_fault(attack_sequence_codes, sizeof(attack_sequence)), "");
}

TEST(MonsterDefinitions, DefaultRecordInFileOrder) {
    const stored_value expected[] = {
        {4, 4, -1},          {8, 2, -1, 26},     {90, 2, 51},    {92, 1, 255, 16}, {110, 2, 1024},
        {112, 2, 6144},      {114, 2, 204},      {120, 2, 2048}, {124, 2, 546},    {126, 2, 25},
        {128, 2, 32768},     {130, 2, 1},        {132, 4, -1},   {138, 2, -1},     {396, 4, -1},
        {400, 2, 30},        {404, 4, -1},       {412, 2, 32768}, {414, 2, 6553},  {416, 4, -1},
        {420, 4, -1},        {424, 4, -1},       {428, 4, -1},   {432, 4, -1},     {442, 2, 1},
        {444, 4, -1, 10},    {484, 4, -1},       {488, 4, -1},   {492, 4, -1},     {502, 2, 1},
        {504, 1, -1, 10},    {516, 4, -2},       {520, 4, -1},   {524, 4, -1},
    };
    monster_definition record = monster_definition_default;
    convert_monster_attacks(&record);
    EXPECT_EQ(test_support::file_order_differences(&record, sizeof record, monster_definition_codes, expected), "");
}

TEST(MonsterDefinitions, DefaultAttackInFileOrder) {
    const stored_value expected[] = {
        {4, 4, -1},  {8, 2, 512},  {10, 2, 512},
        {12, 2, 1},  {14, 2, -1},  {20, 2, 1},   {22, 2, -1},
        {28, 2, 1},  {30, 2, -1},  {36, 2, 1},   {38, 2, -1},
        {44, 2, 1},  {46, 2, 25},  {52, 2, 30},  {54, 2, 3},
    };
    EXPECT_EQ(test_support::file_order_differences(&attack_definition_default, sizeof(attack_definition),
                                                   attack_definition_codes, expected),
              "");
}

TEST(MonsterDefinitions, AttacksAreConvertedOnlyByTheAttackCodes) {
    monster_definition record = monster_definition_default;
    record.attack_count = 2;
    record.attacks[1].projectile = 0x01020304;
    record.attacks[1].sequences[2].sequence = 0x0506;
    const size_t projectile_at = offsetof(monster_definition, attacks) + sizeof(attack_definition) + 4;
    const size_t sequence_at = offsetof(monster_definition, attacks) + sizeof(attack_definition) + 12 + 2 * 8 + 2;

    auto bytes = reinterpret_cast<uint8_t*>(&record);
    byte_swap_data("monster_definition", &record, sizeof record, 1, monster_definition_codes);
    const uint8_t host_projectile[] = {0x04, 0x03, 0x02, 0x01};
    EXPECT_EQ(std::memcmp(bytes + projectile_at, host_projectile, 4), 0) << "record codes touched the attacks";
    EXPECT_EQ(bytes[offsetof(monster_definition, attack_count) + 1], 2) << "count is converted with the record";

    convert_monster_attacks(&record);
    const uint8_t file_projectile[] = {0x01, 0x02, 0x03, 0x04};
    EXPECT_EQ(std::memcmp(bytes + projectile_at, file_projectile, 4), 0);
    EXPECT_EQ(bytes[sequence_at], 0x05);
    EXPECT_EQ(bytes[sequence_at + 1], 0x06);

    convert_monster_attacks(&record);
    EXPECT_EQ(record.attacks[1].projectile, 0x01020304);
}

TEST(MonsterDefinitions, EnumerationNamesFollowTheirBias) {
    EXPECT_EQ(test_support::enumeration_bias_faults(monster_definition_description), "");
    EXPECT_EQ(monster_definition_description.size, sizeof(monster_definition));
}

}  // namespace
