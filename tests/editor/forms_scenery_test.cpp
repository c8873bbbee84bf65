#include "form_driving.h"

#include "definitions/object_definitions.h"
#include "editor/forms/object_form.h"
#include "editor/forms/scenery_form.h"
#include "editor/toolkit/damage_dialogs.h"

#include <QComboBox>


namespace editor_test {
namespace {

using definitions::object_definition;
using definitions::scenery_definition;
namespace sf = scenery_form;

constexpr tag_code scenery = make_tag("scen");
constexpr tag_code objects = make_tag("obje");

class SceneryFormTest : public DrivenFormTest {
protected:
    void SetUp() override {
        DrivenFormTest::SetUp();
        trees = add_collection_reference("trees", add_collection("tree shapes", 3, "tree", 8 | 2));
        rocks = add_collection_reference("rocks", add_collection("rock shapes", 2, "rock", 8));
        add_collection_reference("units", add_collection("unit shapes", 2, "unit", 2));
        add_collection_reference("lost", make_tag("gone"));
        add_tag(collection_references, "stub", big_endian_word(subgroups[collections][1]));
        add_tag(objects, "wood");
        add_tag(make_tag("proj"), "splinter");
        add_tag(make_tag("prgr"), "crash");
        add_tag(make_tag("prgr"), "boom");
    }

    tag_code create(const scenery_definition& record) {
        return add_record(scenery, "oak", record, definitions::scenery_definition_codes);
    }

    tag_code trees = 0, rocks = 0;
};

TEST_F(SceneryFormTest, CollectionReferencesListedNameAPresentSceneryCollection) {
    const auto dialog = open(scenery, create(definitions::scenery_definition_default));
    EXPECT_EQ(dialog->template_id(), sf::template_id);
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(sf::collection_reference_id)),
              (QStringList{"No Tag", "trees", "rocks"}));
    EXPECT_FALSE(dialog->control(sf::sequences_button_id)->isEnabled());
    pick(*dialog, sf::collection_reference_id, "rocks");
    EXPECT_TRUE(dialog->control(sf::sequences_button_id)->isEnabled());
    EXPECT_EQ(dialog->GetCurrentCollection(), static_cast<int32_t>(rocks));
    pick(*dialog, sf::collection_reference_id, "No Tag");
    EXPECT_FALSE(dialog->control(sf::sequences_button_id)->isEnabled());
    dialog->reject();
}

TEST_F(SceneryFormTest, FlagNumberIsShownPlusOneAndStoredLessOneWithinMinusOneToEight) {
    const struct {
        const char* entered;  // nullptr: left as shown
        int64_t stored;
    } cases[] = {{nullptr, 0}, {"0", -1}, {"20", 8}, {"5", 4}, {"-7", -1}, {"9", 8}};
    for (const auto& entry : cases) {
        const tag_code subgroup = create(definitions::scenery_definition_default);
        const auto dialog = open(scenery, subgroup);
        EXPECT_EQ(text_of(*dialog, sf::flag_number_id), QStringLiteral("1"));
        if (entry.entered) type(*dialog, sf::flag_number_id, entry.entered);
        accept(*dialog);
        EXPECT_EQ(stored(tag_data(scenery, subgroup), 18, 2), entry.stored) << (entry.entered ? entry.entered : "-");
    }
}

TEST_F(SceneryFormTest, NetgameControlsFollowTheirCheckBoxAndAreSavedEitherWay) {
    const tag_code subgroup = create(definitions::scenery_definition_default);
    const auto dialog = open(scenery, subgroup);
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(sf::scoring_type_id)).front(), QStringLiteral("NONE"));
    EXPECT_EQ(dialog->control_as<QComboBox>(sf::scoring_type_id)->currentText(), QStringLiteral("NONE"));
    for (int id : {sf::scoring_type_id, sf::flag_number_id}) EXPECT_FALSE(dialog->control(id)->isEnabled()) << id;
    pick(*dialog, sf::scoring_type_id, "Rugby");
    type(*dialog, sf::flag_number_id, "3");
    click(*dialog, sf::is_netgame_flag_id);
    for (int id : {sf::scoring_type_id, sf::flag_number_id}) EXPECT_TRUE(dialog->control(id)->isEnabled()) << id;
    click(*dialog, sf::is_netgame_flag_id);
    for (int id : {sf::scoring_type_id, sf::flag_number_id}) EXPECT_FALSE(dialog->control(id)->isEnabled()) << id;
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(scenery, subgroup);
    EXPECT_EQ(stored(saved, 16, 2), 10);
    EXPECT_EQ(stored(saved, 18, 2), 2);
    EXPECT_EQ(stored(saved, 0, 4, false), 0);
}

TEST_F(SceneryFormTest, MainControlsAndButtonsWriteTheirFields) {
    const tag_code subgroup = create(definitions::scenery_definition_default);
    const auto dialog = open(scenery, subgroup);
    pick(*dialog, sf::collection_reference_id, "trees");
    pick(*dialog, 1030, "wood");
    pick(*dialog, 1026, "splinter");
    type(*dialog, 1255, "-4");
    for (uint32_t mask : {0x1u, 0x8u, 0x40u, 0x200u}) click(*dialog, sf::flag_id(mask));
    pick(*dialog, sf::scoring_type_id, "Hunting");
    through(*dialog, sf::sequences_button_id, [](QDialog& opened) {
        auto& sequences = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(sequences.windowTitle(), QStringLiteral("Scenery Sequences"));
        EXPECT_EQ(sequences.template_id(), sf::sequences_template_id);
        EXPECT_EQ(entries(sequences.control_as<QComboBox>(sf::undamaged_sequence_id)),
                  (QStringList{"No Sequence", "tree0", "tree1", "tree2"}));
        pick(sequences, sf::undamaged_sequence_id, "tree2");
        pick(sequences, sf::ruined_sequence_id, "tree0");
        sequences.accept();
    });
    through(*dialog, sf::projectile_groups_button_id, [](QDialog& opened) {
        auto& groups = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(groups.windowTitle(), QStringLiteral("Scenery Projectile Groups"));
        EXPECT_EQ(groups.template_id(), sf::projectile_groups_template_id);
        pick(groups, 1254, "crash");
        pick(groups, 1255, "boom");
        groups.accept();
    });
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(scenery, subgroup);
    EXPECT_EQ(stored(saved, 0, 4, false), 0x1 | 0x8 | 0x40 | 0x200);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 4, 4, false)), trees);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 8, 4, false)), subgroups[objects][0]);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 12, 4, false)), subgroups[make_tag("proj")][0]);
    EXPECT_EQ(stored(saved, 16, 2), 12);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 24, 4, false)), subgroups[make_tag("prgr")][0]);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 28, 4, false)), subgroups[make_tag("prgr")][1]);
    EXPECT_EQ(stored(saved, 40, 2), 2);
    EXPECT_EQ(stored(saved, 42, 2), 0);
    EXPECT_EQ(stored(saved, 52, 2), -4);
    for (size_t offset : {32, 36}) EXPECT_EQ(stored(saved, offset, 4), -1) << offset;
}

TEST_F(SceneryFormTest, AnotherCollectionReferenceClearsEverySequenceSlot) {
    scenery_definition record = definitions::scenery_definition_default;
    record.collection_reference = static_cast<int32_t>(trees);
    for (int slot = 0; slot < definitions::scenery_sequence_slots; ++slot)
        record.sequences[slot] = static_cast<int16_t>(slot % 3);
    const tag_code subgroup = create(record);
    {
        // Picking the reference shown keeps the slots.
        const std::vector<std::byte> before = tag_data(scenery, subgroup);
        const auto dialog = open(scenery, subgroup);
        pick(*dialog, sf::collection_reference_id, "trees");
        accept(*dialog);
        EXPECT_EQ(tag_data(scenery, subgroup), before);
    }
    const auto dialog = open(scenery, subgroup);
    through(*dialog, sf::sequences_button_id, [](QDialog& opened) {
        EXPECT_EQ(static_cast<CTagDialog&>(opened).control_as<QComboBox>(sf::ruined_sequence_id)->currentText(),
                  QStringLiteral("tree1"));
        opened.reject();
    });
    pick(*dialog, sf::collection_reference_id, "rocks");
    through(*dialog, sf::sequences_button_id, [](QDialog& opened) {
        auto& sequences = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(entries(sequences.control_as<QComboBox>(sf::undamaged_sequence_id)),
                  (QStringList{"No Sequence", "rock0", "rock1"}));
        for (int id : {sf::undamaged_sequence_id, sf::ruined_sequence_id})
            EXPECT_EQ(sequences.control_as<QComboBox>(id)->currentIndex(), 0) << id;
        opened.reject();
    });
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(scenery, subgroup);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 4, 4, false)), rocks);
    for (int slot = 0; slot < definitions::scenery_sequence_slots; ++slot)
        EXPECT_EQ(stored(saved, 40 + 2 * slot, 2), -1) << slot;
}

class ObjectFormTest : public DrivenFormTest {};

TEST_F(ObjectFormTest, ControlsWriteTheirFields) {
    const tag_code subgroup = add_record(objects, "stone", definitions::object_definition_default,
                                         definitions::object_definition_codes);
    const auto dialog = open(objects, subgroup);
    EXPECT_EQ(dialog->template_id(), object_form::template_id);
    EXPECT_EQ(text_of(*dialog, 1060), QStringLiteral("-0.004"));
    EXPECT_EQ(text_of(*dialog, 1058), QStringLiteral("0.500"));
    const struct {
        int id;
        const char* text;
        size_t offset;
        int64_t expected;
    } typed[] = {
        {1060, "-0.25", 2, -128}, {1058, "0.75", 4, 192}, {1059, "2", 6, 1024},   {1053, "2", 8, 512},
        {1054, "3", 10, 257},     {1055, "1", 12, 256},   {1056, "1", 14, 0},     {1057, "-1.999", 48, -511},
    };
    for (const auto& entry : typed) type(*dialog, entry.id, entry.text);
    for (uint32_t mask : {0x2u, 0x10u}) click(*dialog, toolkit::flag_check_id(mask));
    through(*dialog, object_form::effect_modifiers_button_id, [](QDialog& opened) {
        auto& modifiers = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(modifiers.windowTitle(), QStringLiteral("Effect Modifiers"));
        EXPECT_EQ(modifiers.template_id(), effect_modifiers_template_id);
        EXPECT_EQ(text_of(modifiers, first_effect_modifier_id), QStringLiteral("1.000"));
        type(modifiers, first_effect_modifier_id, "0.5");
        type(modifiers, first_effect_modifier_id + 8, "2");
        modifiers.accept();
    });
    // Cancelled, the modifiers stay as the first dialog left them.
    through(*dialog, object_form::effect_modifiers_button_id, [](QDialog& opened) {
        type(static_cast<CTagDialog&>(opened), first_effect_modifier_id + 1, "3");
        opened.reject();
    });
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(objects, subgroup);
    for (const auto& entry : typed) EXPECT_EQ(stored(saved, entry.offset, 2), entry.expected) << entry.id;
    EXPECT_EQ(stored(saved, 0, 2, false), 0x12);
    for (int modifier = 0; modifier < 16; ++modifier)
        EXPECT_EQ(stored(saved, 16 + 2 * modifier, 2), modifier == 0 ? 128 : modifier == 8 ? 512 : 256) << modifier;
}

}  // namespace
}  // namespace editor_test
