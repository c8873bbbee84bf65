#include "form_driving.h"

#include "definitions/projectile_group_definitions.h"
#include "editor/forms/local_projectile_group_form.h"
#include "tag_files/tag_editing.h"

#include <QComboBox>

#include <cstring>

namespace editor_test {
namespace {

using definitions::local_projectile_group_definition;
namespace lf = local_projectile_group_form;

constexpr tag_code local_projectile_groups = make_tag("lpgr");

class LocalProjectileGroupFormTest : public DrivenFormTest {
protected:
    void SetUp() override {
        DrivenFormTest::SetUp();
        sparks = add_collection("sparks", 4, "spark", 0);
        smoke = add_collection("smoke", 2, "puff", 0);
        spark_reference = add_collection_reference("spark ref", sparks);
        smoke_reference = add_collection_reference("smoke ref", smoke);
        wind = add_tag(make_tag("phys"), "wind");
    }

    tag_code create(const local_projectile_group_definition& record) {
        return add_record(local_projectile_groups, "embers", record,
                          definitions::local_projectile_group_definition_codes);
    }

    tag_code sparks = 0, smoke = 0, spark_reference = 0, smoke_reference = 0, wind = 0;
};

TEST_F(LocalProjectileGroupFormTest, UntouchedFormLeavesEveryByteOfTheTag) {
    local_projectile_group_definition busy{};
    auto* bytes = reinterpret_cast<uint8_t*>(&busy);
    for (size_t i = 0; i < sizeof busy; ++i) bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    busy.collection_reference = static_cast<int32_t>(spark_reference);
    busy.physics = static_cast<int32_t>(wind);
    busy.flight_sequence = 3;
    busy.stain_sequence = -1;
    busy.transfer_mode = 2;
    for (const local_projectile_group_definition& record :
         {definitions::local_projectile_group_definition_default, busy}) {
        const tag_code subgroup = create(record);
        const std::vector<std::byte> before = tag_data(local_projectile_groups, subgroup);
        const auto dialog = open(local_projectile_groups, subgroup);
        accept(*dialog);
        EXPECT_EQ(tag_data(local_projectile_groups, subgroup), before);
        ASSERT_TRUE(tag_file_delete(tag_find(local_projectile_groups, subgroup)));
    }
}

struct Entry {
    int id;
    const char* text;
    size_t offset;
    int width;
    int64_t expected;
};

TEST_F(LocalProjectileGroupFormTest, ControlsWriteTheirFields) {
    const tag_code subgroup = create(definitions::local_projectile_group_definition_default);
    const auto dialog = open(local_projectile_groups, subgroup);
    EXPECT_EQ(dialog->template_id(), lf::template_id);
    for (int box : {lf::has_startup_transition_id, lf::has_ending_transition_id, lf::has_finite_duration_id})
        click(*dialog, box);
    const Entry typed[] = {
        {1055, "1.5", 16, 2, 384},  {1056, "2", 18, 2, 129},     {1177, "0.5", 20, 2, 128},  {1178, "0.5", 22, 2, 0},
        {1057, "3", 24, 2, 3},      {1058, "7", 26, 2, 5},       {1009, "1", 28, 4, 512},    {1010, "2", 32, 4, 513},
        {1059, "1", 36, 4, 30},     {1061, "2", 40, 4, 31},      {1062, "0.5", 46, 2, 256},  {1066, "1", 48, 2, 30},
        {1067, "1", 50, 2, 0},      {1072, "0.5", 52, 2, 15},    {1073, "1", 54, 2, 16},     {1006, "2", 56, 4, 60},
        {1007, "3", 60, 4, 31},     {1060, "0.5", 64, 2, 128},   {1063, "2", 66, 2, 512},    {1064, "-1", 68, 2, -256},
        {1065, "0.25", 70, 2, 64},  {1068, "3", 72, 2, 768},     {1069, "1.999", 74, 2, 511}, {1070, "0", 76, 2, 0},
        {1071, "1", 78, 2, 256},
    };
    for (const Entry& entry : typed) type(*dialog, entry.id, entry.text);
    pick(*dialog, 1040, "Fade Out Over Time");
    pick(*dialog, 1027, "wind");
    pick(*dialog, lf::collection_reference_id, "spark ref");
    pick(*dialog, lf::flight_sequence_id, "spark2");
    pick(*dialog, lf::stain_sequence_id, "spark0");
    for (uint32_t mask : {0x1u, 0x1000u, 0x800000u, 0x800u, 0x8000000u, 0x200u, 0x40000u, 0x4000u, 0x80000u, 0x8000u})
        click(*dialog, lf::flag_id(mask));
    accept(*dialog);

    const std::vector<std::byte> saved = tag_data(local_projectile_groups, subgroup);
    for (const Entry& entry : typed) EXPECT_EQ(stored(saved, entry.offset, entry.width), entry.expected) << entry.id;
    EXPECT_EQ(stored(saved, 44, 2), 3);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 8, 4, false)), wind);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 4, 4, false)), spark_reference);
    EXPECT_EQ(stored(saved, 12, 2), 2);
    EXPECT_EQ(stored(saved, 14, 2), 0);
    EXPECT_EQ(stored(saved, 0, 4, false), 0x40 | 0x100 | 0x80 | 0x1 | 0x1000 | 0x800000 | 0x800 | 0x8000000 | 0x200 |
                                              0x40000 | 0x4000 | 0x80000 | 0x8000);
}

TEST_F(LocalProjectileGroupFormTest, CheckBoxesEnableTheirTransitionsWhoseValuesAreExchangedAnyway) {
    local_projectile_group_definition record = definitions::local_projectile_group_definition_default;
    record.flags = 0x40;  // only the start-up transition
    record.ending_transition_time_lower = 45;
    const tag_code subgroup = create(record);
    const auto dialog = open(local_projectile_groups, subgroup);
    const int startup[] = {1155, 1156, 1157, 1060, 1063, 1158, 1064, 1065, 1066, 1067};
    const int ending[] = {1160, 1161, 1162, 1068, 1069, 1163, 1070, 1071, 1072, 1073, 1179};
    for (int id : startup) EXPECT_TRUE(dialog->control(id)->isEnabled()) << id;
    for (int id : ending) EXPECT_FALSE(dialog->control(id)->isEnabled()) << id;
    for (int id : {1006, 1007}) EXPECT_FALSE(dialog->control(id)->isEnabled()) << id;
    EXPECT_EQ(text_of(*dialog, 1072), QStringLiteral("1.500"));
    type(*dialog, 1073, "2");
    type(*dialog, 1007, "1");
    click(*dialog, lf::has_finite_duration_id);
    for (int id : {1006, 1007}) EXPECT_TRUE(dialog->control(id)->isEnabled()) << id;
    click(*dialog, lf::has_startup_transition_id);
    for (int id : startup) EXPECT_FALSE(dialog->control(id)->isEnabled()) << id;
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(local_projectile_groups, subgroup);
    EXPECT_EQ(stored(saved, 52, 2), 45);
    EXPECT_EQ(stored(saved, 54, 2), 16);  // 45 to 60 ticks
    EXPECT_EQ(stored(saved, 60, 4), 31);  // 0 to 30 ticks
    EXPECT_EQ(stored(saved, 0, 4, false), 0x80);
}

TEST_F(LocalProjectileGroupFormTest, SequencePickersFollowTheCollectionReference) {
    local_projectile_group_definition record = definitions::local_projectile_group_definition_default;
    record.collection_reference = static_cast<int32_t>(spark_reference);
    record.flight_sequence = 3;
    record.stain_sequence = 1;
    const tag_code subgroup = create(record);
    const auto dialog = open(local_projectile_groups, subgroup);
    auto* flight = dialog->control_as<QComboBox>(lf::flight_sequence_id);
    auto* stain = dialog->control_as<QComboBox>(lf::stain_sequence_id);
    EXPECT_EQ(entries(flight), (QStringList{"No Sequence", "spark0", "spark1", "spark2", "spark3"}));
    EXPECT_EQ(flight->currentText(), QStringLiteral("spark3"));
    EXPECT_EQ(stain->currentText(), QStringLiteral("spark1"));
    pick(*dialog, lf::collection_reference_id, "smoke ref");
    for (QComboBox* picker : {flight, stain}) {
        EXPECT_EQ(entries(picker), (QStringList{"No Sequence", "puff0", "puff1"}));
        EXPECT_EQ(picker->currentIndex(), 0);
        EXPECT_TRUE(picker->isEnabled());
    }
    pick(*dialog, lf::flight_sequence_id, "puff1");
    pick(*dialog, lf::collection_reference_id, "No Tag");
    for (QComboBox* picker : {flight, stain}) {
        EXPECT_EQ(entries(picker), QStringList{"No Sequence"});
        EXPECT_FALSE(picker->isEnabled());
    }
    pick(*dialog, lf::collection_reference_id, "smoke ref");
    pick(*dialog, lf::flight_sequence_id, "puff1");
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(local_projectile_groups, subgroup);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 4, 4, false)), smoke_reference);
    EXPECT_EQ(stored(saved, 12, 2), 1);
    EXPECT_EQ(stored(saved, 14, 2), -1);
}

// A collection reference too short to hold its record names no collection.
TEST_F(LocalProjectileGroupFormTest, ShortCollectionReferenceOffersNoSequences) {
    const tag_code stub = add_tag(collection_references, "stub", big_endian_word(sparks));
    local_projectile_group_definition record = definitions::local_projectile_group_definition_default;
    record.collection_reference = static_cast<int32_t>(stub);
    record.flight_sequence = 2;
    const tag_code subgroup = create(record);
    const std::vector<std::byte> before = tag_data(local_projectile_groups, subgroup);
    const auto dialog = open(local_projectile_groups, subgroup);
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(lf::flight_sequence_id)), QStringList{"No Sequence"});
    accept(*dialog);
    EXPECT_EQ(tag_data(local_projectile_groups, subgroup), before);
}

}  // namespace
}  // namespace editor_test
