// The unit and artifact forms: the unit's collection references follow its monster;
// the artifact's fields, bonus effect modifiers and override attack.

#include "every_form.h"
#include "form_driving.h"

#include "definitions/monster_definitions.h"
#include "definitions/unit_definitions.h"
#include "editor/forms/artifact_form.h"
#include "editor/forms/monster_attack_form.h"
#include "editor/forms/unit_form.h"
#include "editor/toolkit/damage_dialogs.h"
#include "editor/toolkit/sequence_list_box.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QComboBox>
#include <QPushButton>

#include <cstring>

namespace editor_test {
namespace {

using definitions::artifact_definition;
using definitions::monster_definition;
using definitions::unit_definition;

constexpr tag_code units = make_tag("unit");
constexpr tag_code artifacts = make_tag("arti");

template <class Record>
std::vector<std::byte> bytes_of(const Record& record) {
    std::vector<std::byte> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

class UnitFormTest : public FormTest {
protected:
    void SetUp() override {
        FormTest::SetUp();
        const tag_code first = tags[collections][0];
        const tag_code second = tags[collections][1];
        walker = monster("walker", first);
        twin = monster("walker twin", first);
        flyer = monster("flyer", second);
        bare = monster("bare", NONE);
        first_dress = dress("dress a1", first);
        second_dress = dress("dress a2", first);
        flyer_dress = dress("dress b", second);
        naked = dress("naked", NONE);
    }

    tag_code monster(const std::string& name, tag_code collection) {
        monster_definition record = definitions::monster_definition_default;
        record.collection = static_cast<int32_t>(collection);
        return create_record_tag(monsters, name, bytes_of(record));
    }

    // A collection reference's user data is the subgroup of its collection.
    tag_code dress(const std::string& name, tag_code collection) {
        tag_handle handle = create_default_tag(collection_references, name);
        EXPECT_TRUE(tag_set_user_data(handle, collection));
        return tag_get_subgroup(handle);
    }

    tag_code unit(int32_t monster_subgroup, int32_t reference) {
        unit_definition record = definitions::unit_definition_default;
        record.monster = monster_subgroup;
        record.collection_reference = reference;
        for (size_t i = 0; i < sizeof record.reserved; ++i) record.reserved[i] = static_cast<uint8_t>(i * 7);
        return create_record_tag(units, "footman", bytes_of(record));
    }

    QComboBox* references(const CTagDialog& dialog) const {
        return dialog.control_as<QComboBox>(unit_form::collection_reference_id);
    }

    tag_code walker = 0, twin = 0, flyer = 0, bare = 0;
    tag_code first_dress = 0, second_dress = 0, flyer_dress = 0, naked = 0;
};

TEST_F(UnitFormTest, CollectionReferencesFollowTheChosenMonster) {
    const tag_code subgroup = unit(static_cast<int32_t>(walker), static_cast<int32_t>(second_dress));
    const auto dialog = open_form(units, subgroup);
    EXPECT_EQ(dialog->template_id(), unit_form::template_id);
    QComboBox* picker = references(*dialog);
    EXPECT_EQ(entries(picker), (QStringList{"No Tag", "dress a1", "dress a2"}));
    EXPECT_EQ(picker->currentText(), "dress a2");
    EXPECT_TRUE(picker->isEnabled());

    // Another monster of the same collection keeps the reference.
    pick(*dialog, unit_form::monster_id, "walker twin");
    EXPECT_EQ(entries(picker), (QStringList{"No Tag", "dress a1", "dress a2"}));
    EXPECT_EQ(picker->currentText(), "dress a2");

    pick(*dialog, unit_form::monster_id, "flyer");
    EXPECT_EQ(entries(picker), (QStringList{"No Tag", "dress b"}));
    EXPECT_EQ(picker->currentText(), "No Tag");

    // A monster without a collection lists the references without one.
    pick(*dialog, unit_form::monster_id, "bare");
    EXPECT_EQ(entries(picker), (QStringList{"No Tag", "naked"}));
    EXPECT_TRUE(picker->isEnabled());

    pick(*dialog, unit_form::monster_id, "No Tag");
    EXPECT_EQ(entries(picker), QStringList{"No Tag"});
    EXPECT_FALSE(picker->isEnabled());
    dialog->reject();
}

TEST_F(UnitFormTest, OkStoresTheMonsterAndTheReference) {
    const struct {
        const char* monster;
        const char* reference;  // picked after the monster, or null
        tag_code expected_monster;
        int32_t expected_reference;
    } cases[] = {
        {"walker twin", nullptr, twin, static_cast<int32_t>(second_dress)},
        {"flyer", nullptr, flyer, NONE},
        {"flyer", "dress b", flyer, static_cast<int32_t>(flyer_dress)},
        {"walker", "dress a1", walker, static_cast<int32_t>(first_dress)},
        {"bare", "naked", bare, static_cast<int32_t>(naked)},
        {"No Tag", nullptr, NONE, NONE},
    };
    for (const auto& change : cases) {
        const tag_code subgroup = unit(static_cast<int32_t>(walker), static_cast<int32_t>(second_dress));
        const std::vector<std::byte> before = tag_data(units, subgroup);
        const auto dialog = open_form(units, subgroup);
        pick(*dialog, unit_form::monster_id, change.monster);
        if (change.reference) pick(*dialog, unit_form::collection_reference_id, change.reference);
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
        const std::vector<std::byte> after = tag_data(units, subgroup);
        EXPECT_EQ(stored(after, 0, 4), static_cast<int32_t>(change.expected_monster)) << change.monster;
        EXPECT_EQ(stored(after, 4, 4), change.expected_reference) << change.monster;
        EXPECT_TRUE(std::equal(after.begin() + 8, after.end(), before.begin() + 8)) << "reserved bytes";
        ASSERT_TRUE(tag_file_delete(tag_find(units, subgroup)));
    }
}

// A monster tag shorter than its record cannot be read, even where the bytes it has
// name a collection: nothing is listed, and the stored reference is kept.
TEST_F(UnitFormTest, UnreadableMonsterListsNothingAndKeepsTheReference) {
    std::vector<std::byte> cut = tag_data(monsters, walker);
    cut.resize(100);
    const tag_code broken = tag_get_subgroup(create_tag(monsters, "broken", cut, tag_group_get_version(monsters)));
    const tag_code subgroup = unit(static_cast<int32_t>(broken), static_cast<int32_t>(first_dress));
    const std::vector<std::byte> before = tag_data(units, subgroup);
    const auto dialog = open_form(units, subgroup);
    QComboBox* picker = references(*dialog);
    EXPECT_EQ(picker->itemText(0), "No Tag");
    EXPECT_FALSE(picker->isEnabled());
    EXPECT_EQ(picker->findText("dress a2"), -1);
    dialog->accept();
    EXPECT_EQ(tag_data(units, subgroup), before);
}

class ArtifactFormTest : public FormTest {
protected:
    tag_code artifact(const artifact_definition& record) {
        return create_record_tag(artifacts, "sword", bytes_of(record));
    }
    tag_code named(tag_code group, int index) const { return tags.at(group).at(static_cast<size_t>(index)); }
};

TEST_F(ArtifactFormTest, MainControlsWriteTheirFields) {
    const tag_code subgroup = artifact(definitions::artifact_definition_default);
    const auto dialog = open_form(artifacts, subgroup);
    EXPECT_EQ(dialog->template_id(), artifact_form::template_id);
    pick(*dialog, 1008, "mons 2");
    pick(*dialog, 1009, "Sword");
    type(*dialog, 1284, "2");
    type(*dialog, 1285, "5");
    pick(*dialog, artifact_form::collection_id, "_256 3");
    pick(*dialog, artifact_form::inventory_sequence_id, "sequence 3");
    pick(*dialog, 1026, "proj 1");
    click(*dialog, toolkit::flag_check_id(0x80));
    type(*dialog, artifact_form::vanish_time_period_id, "40");
    click(*dialog, toolkit::flag_check_id(0x40));
    click(*dialog, toolkit::flag_check_id(0x4000));
    pick(*dialog, 1010, "stli 1");
    pick(*dialog, 1011, "mons 3");
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();
    const std::vector<std::byte> after = tag_data(artifacts, subgroup);
    ASSERT_EQ(after.size(), 168u);
    EXPECT_EQ(stored(after, 0, 4, false), 0x80 | 0x40 | 0x4000);
    EXPECT_EQ(stored(after, 4, 4), static_cast<int32_t>(named(monsters, 1)));
    EXPECT_EQ(stored(after, 8, 2), 1);
    EXPECT_EQ(stored(after, 10, 2), 2);
    EXPECT_EQ(stored(after, 12, 2), 4);
    EXPECT_EQ(stored(after, 16, 4), static_cast<int32_t>(named(collections, 2)));
    EXPECT_EQ(stored(after, 20, 2), 3);
    EXPECT_EQ(stored(after, 28, 4), static_cast<int32_t>(named(make_tag("proj"), 0)));
    EXPECT_EQ(stored(after, 50, 2), 40);
    EXPECT_EQ(stored(after, 148, 4), static_cast<int32_t>(named(make_tag("stli"), 0)));
    EXPECT_EQ(stored(after, 152, 4), static_cast<int32_t>(named(monsters, 2)));
    // Untouched: the modifiers and the override attack of the all-zero record.
    EXPECT_TRUE(std::all_of(after.begin() + 52, after.begin() + 148, [](std::byte b) { return b == std::byte{0}; }));

    const auto reopened = open_form(artifacts, subgroup);
    EXPECT_EQ(reopened->control_as<QComboBox>(1009)->currentText(), "Sword");
    EXPECT_TRUE(checked(*reopened, toolkit::flag_check_id(0x80)));
    EXPECT_EQ(text_of(*reopened, 1285), "5");
    reopened->reject();
}

TEST_F(ArtifactFormTest, BonusEffectModifiersAreTheNineAtOffset52) {
    artifact_definition record = definitions::artifact_definition_default;
    for (int k = 0; k < definitions::artifact_unused_effect_modifiers; ++k)
        record.unused_effect_modifiers[k] = static_cast<int16_t>(100 + k);
    const tag_code subgroup = artifact(record);
    const auto dialog = open_form(artifacts, subgroup);
    services.queue_dialog([](QDialog& opened) {
        auto& modifiers = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(modifiers.template_id(), 150);
        EXPECT_EQ(modifiers.windowTitle(), "Bonus Effect Modifiers");
        type(modifiers, 1054, "1.5");
        type(modifiers, 1058, "-0.5");
        type(modifiers, 1062, "2");
        opened.accept();
    });
    click(*dialog, artifact_form::effect_modifiers_button_id);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    dialog->accept();
    const std::vector<std::byte> after = tag_data(artifacts, subgroup);
    EXPECT_EQ(stored(after, 52, 2), 384);      // Slashing Damage
    EXPECT_EQ(stored(after, 52 + 8, 2), -128);  // Fire Damage
    EXPECT_EQ(stored(after, 52 + 16, 2), 512);  // Confusion
    for (int k = 0; k < definitions::artifact_unused_effect_modifiers; ++k)
        EXPECT_EQ(stored(after, 70 + 2 * static_cast<size_t>(k), 2), 100 + k);
}

TEST_F(ArtifactFormTest, OverrideAttackOpensOnlyWithACollection) {
    artifact_definition record = definitions::artifact_definition_default;
    record.collection = NONE;
    record.override_attack = definitions::attack_definition_default;
    record.override_attack.sequences[1].sequence = 2;
    const tag_code subgroup = artifact(record);
    const auto dialog = open_form(artifacts, subgroup);
    auto* button = dialog->control_as<QPushButton>(artifact_form::override_attack_button_id);
    EXPECT_FALSE(button->isEnabled());
    button->click();
    EXPECT_EQ(services.unscripted_dialogs(), 0);

    pick(*dialog, artifact_form::collection_id, "_256 2");
    EXPECT_TRUE(button->isEnabled());
    // Picking the collection refills the inventory sequence picker.
    EXPECT_EQ(dialog->control_as<QComboBox>(artifact_form::inventory_sequence_id)->currentText(), "No Sequence");
    services.queue_dialog([](QDialog& opened) {
        auto& attack = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(attack.template_id(), monster_form::attack_template_id);
        EXPECT_EQ(attack.windowTitle(), "Override Attack");
        // The sequences are those of the artifact's collection.
        auto* sequences = attack.control_as<CSequenceListBox>(monster_form::attack_sequence_list_id);
        EXPECT_EQ(sequences->item(1)->text(), "sequence 2");
        type(attack, 1101, "2");
        type(attack, 1110, "1.5");
        opened.accept();
    });
    click(*dialog, artifact_form::override_attack_button_id);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    pick(*dialog, artifact_form::collection_id, "No Tag");
    EXPECT_FALSE(button->isEnabled());
    dialog->accept();
    const std::vector<std::byte> after = tag_data(artifacts, subgroup);
    EXPECT_EQ(stored(after, 84 + 8, 2), 1024);   // minimum range
    EXPECT_EQ(stored(after, 84 + 10, 2), 512);   // maximum range, the attack default
    EXPECT_EQ(stored(after, 84 + 12 + 8 + 2, 2), 2);  // second sequence, converted with the attack codes
    EXPECT_EQ(stored(after, 84 + 44, 2), 1);     // repetitions
    EXPECT_EQ(stored(after, 84 + 58, 2), 384);   // mana cost
}

}  // namespace
}  // namespace editor_test
