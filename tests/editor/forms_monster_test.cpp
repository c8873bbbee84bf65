#include "form_driving.h"

#include "core/byte_swap.h"
#include "definitions/monster_definitions.h"
#include "editor/forms/monster_attack_form.h"
#include "editor/forms/monster_form.h"
#include "editor/forms/monster_part_forms.h"
#include "editor/tag_group_registry.h"
#include "editor/toolkit/element_list.h"
#include "editor/toolkit/sequence_list_box.h"
#include "media/collection_writer.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>

namespace editor_test {
namespace {

using definitions::attack_definition;
using definitions::monster_definition;
using platform::ScriptedServices;
namespace mf = monster_form;

constexpr int sequence_count = 20;
constexpr size_t attacks_offset = 140;

std::vector<std::byte> in_file_order(monster_definition record) {
    definitions::convert_monster_attacks(&record);
    byte_swap_data("monster", &record, sizeof record, 1, definitions::monster_definition_codes);
    std::vector<std::byte> bytes(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

class MonsterFormTest : public DrivenFormTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        collection_source source;
        for (int i = 0; i < sequence_count; ++i) {
            sequence_contents contents{};
            contents.name = "seq" + std::to_string(i);
            source.sequences.push_back(contents);
        }
        walker = add_tag(collections, "walker", write_collection(source).value(), 2);
        add_tag(collections, "scenery only", write_collection(source).value(), 8);
        for (const char* name : {"burned", "exploding", "melee", "dying", "blocked", "absorbed", "entrance", "exit"})
            add_tag(make_tag("prgr"), name);
        for (const char* name : {"spelling", "names", "flavor", "special"}) add_tag(make_tag("stli"), name);
        for (int k = 1; k <= 10; ++k) add_tag(sounds, "sound" + std::to_string(k));
        add_tag(make_tag("obje"), "body");
        add_tag(make_tag("temp"), "action");
        add_tag(make_tag("lpgr"), "local");
        add_tag(make_tag("proj"), "arrow");
        add_tag(make_tag("proj"), "bolt");
    }

    tag_code create_monster(const monster_definition& record) {
        return tag_get_subgroup(create_tag(monsters, "ogre", in_file_order(record), tag_group_get_version(monsters)));
    }

    std::unique_ptr<CTagDialog> open(tag_code subgroup) { return DrivenFormTest::open(monsters, subgroup); }

    static CElementListDlg* attack_list(const CTagDialog& dialog) {
        return dialog.control_as<CElementListDlg>(mf::attack_list_id);
    }
    static QListWidget* attack_lines(const CTagDialog& dialog) {
        return qobject_cast<QListWidget*>(attack_list(dialog)->control(element_list_box_id));
    }
    static QListWidget* sequence_lines(const CTagDialog& attack) {
        return attack.control_as<CSequenceListBox>(mf::attack_sequence_list_id);
    }

    // Every field holds something else than its default, within its range.
    monster_definition random_monster(uint32_t seed) {
        std::mt19937 random(seed);
        const auto between = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
        const auto any_tag = [&](tag_code group) {
            const std::vector<tag_code>& tags = subgroups[group];
            return static_cast<int32_t>(tags[static_cast<size_t>(between(0, static_cast<int>(tags.size()) - 1))]);
        };
        monster_definition record;
        auto* bytes = reinterpret_cast<uint8_t*>(&record);
        for (size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<uint8_t>(between(0, 255));
        record.collection = static_cast<int32_t>(walker);
        for (int16_t& sequence : record.sequences) sequence = static_cast<int16_t>(between(-1, sequence_count - 1));
        for (int32_t* group_reference :
             {&record.burned_projectile_group, &record.exploding_projectile_group,
              &record.melee_impact_projectile_group, &record.dying_projectile_group,
              &record.blocked_impact_projectile_group, &record.absorbed_impact_projectile_group,
              &record.entrance_projectile_group, &record.exit_projectile_group})
            *group_reference = any_tag(make_tag("prgr"));
        for (int32_t* list : {&record.spelling_string_list, &record.names_string_list, &record.flavor_string_list,
                              &record.special_ability_string_list})
            *list = any_tag(make_tag("stli"));
        record.object = any_tag(make_tag("obje"));
        record.map_action_template = any_tag(make_tag("temp"));
        record.local_projectile_group = any_tag(make_tag("lpgr"));
        record.ammunition_projectile = any_tag(make_tag("proj"));
        for (int32_t& sound : record.sounds) sound = any_tag(sounds);
        for (int8_t& sound_type : record.sound_types) sound_type = static_cast<int8_t>(between(0, 16));
        record.healing_fraction = static_cast<uint16_t>(between(0, 254));
        record.size = static_cast<int16_t>(between(0, 2) == 1 ? 2 : 0);
        record.monster_class = static_cast<int16_t>(between(1, 6));
        record.allegiance = 1;
        record.visibility = static_cast<int16_t>(between(0, 1) == 0 ? -1 : 1);
        record.desired_projectile_volume = static_cast<int16_t>(between(0, 2));
        record.attack_count = static_cast<int16_t>(between(1, 4));
        for (attack_definition& attack : record.attacks) {
            attack.projectile = any_tag(make_tag("proj"));
            for (definitions::attack_sequence& sequence : attack.sequences)
                sequence.sequence = static_cast<int16_t>(between(-1, sequence_count - 1));
        }
        return record;
    }

    tag_code walker = 0;
};

// Open and OK, here and in every dialog it opens, writes back what was read.
TEST_F(MonsterFormTest, UntouchedFormLeavesEveryByteOfTheTag) {
    std::vector<monster_definition> records{definitions::monster_definition_default};
    for (uint32_t seed : {1u, 2u, 3u}) records.push_back(random_monster(seed));
    for (const monster_definition& record : records) {
        const tag_code subgroup = create_monster(record);
        const std::vector<std::byte> before = tag_data(monsters, subgroup);
        const auto dialog = open(subgroup);
        const auto accept = [](QDialog& sub_dialog) { sub_dialog.accept(); };
        for (int button : {mf::sequences_button_id, mf::sounds_button_id, mf::terrain_button_id, mf::flags_button_id})
            through(*dialog, button, accept);
        for (int attack = 0; attack < attack_lines(*dialog)->count(); ++attack) {
            through_line(attack_lines(*dialog), attack, [this, &accept](QDialog& attack_dialog) {
                auto* lines = sequence_lines(static_cast<CTagDialog&>(attack_dialog));
                ASSERT_EQ(lines->count(), 4);
                for (int line = 0; line < 4; ++line) through_line(lines, line, accept);
                attack_dialog.accept();
            });
        }
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();
        EXPECT_EQ(tag_data(monsters, subgroup), before) << "record " << &record - records.data();
        ASSERT_TRUE(tag_file_delete(tag_find(monsters, subgroup)));
    }
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

struct MainRow {
    int id;
    const char* entry;  // typed, or picked for a combo box
    size_t offset;
    int width;
    int64_t expected;
};

TEST_F(MonsterFormTest, MainControlsWriteTheirFields) {
    const tag_code subgroup = create_monster(definitions::monster_definition_default);
    const auto dialog = open(subgroup);
    EXPECT_EQ(dialog->template_id(), mf::template_id);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ogre (%1)").arg(QString::fromLatin1(tag_code_to_text(subgroup))));
    const MainRow typed[] = {
        {1072, "1", 90, 2, 512},       {1079, "3", 110, 2, 1536},     {1080, "4", 112, 2, 2048},
        {1081, "0.5", 120, 2, 256},    {1069, "2", 500, 2, 1024},     {1063, "90", 124, 2, 546},
        {1062, "0.5", 128, 2, 32768},  {1066, "1", 108, 2, 65535},    {1067, "0.5", 114, 2, 128},
        {1064, "0", 412, 2, 0},        {1065, "0.25", 414, 2, 16384}, {1089, "0.1", 68, 2, 6554},
        {1090, "1.2", 70, 2, 65535},   {1086, "0.5", 536, 2, 32768},  {1087, "0.75", 538, 2, 49151},
        {1070, "12", 442, 2, 12},      {1068, "-3", 498, 2, -3},      {1071, "40", 502, 2, 40},
        {1349, "200", 66, 1, 200},     {1350, "-5", 514, 2, -5},      {1348, "7", 67, 1, 7},
        {1082, "2", 116, 2, 2},        {1083, "5", 118, 2, 4},        {1084, "9", 410, 2, 9},
        {1073, "1.5", 532, 2, 384},    {1074, "-0.5", 534, 2, -128},  {1345, "3", 540, 2, 3},
        {1341, "2", 400, 2, 60},       {1342, "0.5", 402, 2, 15},
    };
    const MainRow picked[] = {
        {1031, "Giant", 130, 2, 2},       {1033, "Invisible Observer", 438, 2, 6},
        {1034, "Dark", 440, 2, 1},        {1032, "None", 496, 2, -1},
        {1037, "Large", 138, 2, 2},       {1039, "walker", 4, 4, walker},
    };
    const struct {
        int id;
        tag_code group;
        const char* name;
        size_t offset;
    } references[] = {
        {1030, make_tag("obje"), "body", 132},      {1036, make_tag("temp"), "action", 396},    {1009, make_tag("lpgr"), "local", 520},
        {1053, make_tag("proj"), "bolt", 492},      {1055, make_tag("prgr"), "burned", 60},     {1043, make_tag("prgr"), "exploding", 404},
        {1044, make_tag("prgr"), "melee", 416},     {1045, make_tag("prgr"), "dying", 420},     {1046, make_tag("prgr"), "blocked", 484},
        {1047, make_tag("prgr"), "absorbed", 488},  {1048, make_tag("prgr"), "entrance", 516},  {1054, make_tag("prgr"), "exit", 528},
        {1049, make_tag("stli"), "spelling", 424},  {1050, make_tag("stli"), "names", 428},     {1051, make_tag("stli"), "flavor", 432},
        {1052, make_tag("stli"), "special", 524},
    };
    for (const MainRow& row : typed) type(*dialog, row.id, row.entry);
    for (const MainRow& row : picked) pick(*dialog, row.id, row.entry);
    for (const auto& reference : references) pick(*dialog, reference.id, reference.name);
    EXPECT_EQ(entries(dialog->control_as<QComboBox>(mf::collection_id)), (QStringList{"No Tag", "walker"}));
    for (int flag : {1344, 1346, 1347, 1343}) click(*dialog, flag);
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();

    const std::vector<std::byte> saved = tag_data(monsters, subgroup);
    for (const MainRow& row : typed) EXPECT_EQ(stored(saved, row.offset, row.width, row.expected < 0), row.expected) << row.id;
    for (const MainRow& row : picked) EXPECT_EQ(stored(saved, row.offset, row.width, row.expected < 0), row.expected) << row.id;
    for (const auto& reference : references) {
        const tag_handle named = tag_find(reference.group,
                                          static_cast<tag_code>(stored(saved, reference.offset, 4, false)));
        ASSERT_NE(named, NONE) << reference.id;
        EXPECT_STREQ(tag_get_name(named), reference.name) << reference.id;
    }
    EXPECT_EQ(stored(saved, 0, 4, false), 0x200000 | 0x400000 | 0x8000000);
    EXPECT_EQ(stored(saved, 436, 1), 1);
}

TEST_F(MonsterFormTest, SubDialogsEditTheirPartsOfTheRecord) {
    const tag_code subgroup = create_monster(definitions::monster_definition_default);
    const auto dialog = open(subgroup);
    pick(*dialog, mf::collection_id, "walker");
    through(*dialog, mf::sequences_button_id, [](QDialog& sub_dialog) {
        auto& sequences = static_cast<CTagDialog&>(sub_dialog);
        EXPECT_EQ(sequences.windowTitle(), QStringLiteral("Monster Sequences"));
        EXPECT_EQ(sequences.template_id(), mf::sequences_template_id);
        for (int slot = 0; slot < 19; ++slot)
            pick(sequences, mf::first_sequence_id + slot, QStringLiteral("seq%1").arg(18 - slot));
        sequences.accept();
    });
    through(*dialog, mf::sounds_button_id, [](QDialog& sub_dialog) {
        auto& sounds_dialog = static_cast<CTagDialog&>(sub_dialog);
        EXPECT_EQ(sounds_dialog.windowTitle(), QStringLiteral("Monster Sounds"));
        const QStringList types = entries(sounds_dialog.control_as<QComboBox>(mf::first_sound_type_id));
        EXPECT_EQ(types.size(), 18);
        EXPECT_EQ(types.front(), QStringLiteral("None"));
        EXPECT_EQ(types.back(), QStringLiteral("Caused Multiple Enemy Deaths"));
        for (int slot = 0; slot < 10; ++slot) {
            pick(sounds_dialog, mf::first_sound_id + slot, QStringLiteral("sound%1").arg(10 - slot));
            sounds_dialog.control_as<QComboBox>(mf::first_sound_type_id + slot)->setCurrentIndex(slot + 2);
        }
        sounds_dialog.accept();
    });
    through(*dialog, mf::terrain_button_id, [](QDialog& sub_dialog) {
        auto& terrain = static_cast<CTagDialog&>(sub_dialog);
        EXPECT_EQ(terrain.windowTitle(), QStringLiteral("Terrain Parameters"));
        type(terrain, mf::base_movement_speed_id, "0.1");
        for (int row = 0; row < 15; ++row) {
            EXPECT_TRUE(checked(terrain, mf::first_terrain_check_id + row));
            type(terrain, mf::first_terrain_speed_id + row, "0.5");
            type(terrain, mf::first_terrain_cost_id + row, QString::number(row - 3));
        }
        click(terrain, mf::first_terrain_check_id + 15);
        terrain.accept();
    });
    through(*dialog, mf::flags_button_id, [](QDialog& sub_dialog) {
        auto& flags = static_cast<CTagDialog&>(sub_dialog);
        EXPECT_EQ(flags.windowTitle(), QStringLiteral("Monster Flags"));
        EXPECT_EQ(flags.control_as<QCheckBox>(mf::flag_id(0x100000))->text(), QStringLiteral("Use Extended"));
        for (uint32_t mask : {0x1u, 0x100000u, 0x800000u, 0x4000000u}) click(flags, mf::flag_id(mask));
        EXPECT_EQ(flags.control(mf::flag_id(0x200000)), nullptr);  // on the main dialog
        click(flags, mf::extended_flag_id(78, 0x80));
        click(flags, mf::extended_flag_id(79, 0x40));
        flags.accept();
    });
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();

    const std::vector<std::byte> saved = tag_data(monsters, subgroup);
    for (int slot = 0; slot < 19; ++slot) EXPECT_EQ(stored(saved, 8 + 2 * slot, 2), 18 - slot) << slot;
    for (int slot = 0; slot < 10; ++slot) {
        const tag_handle sound = tag_find(sounds, static_cast<tag_code>(stored(saved, 444 + 4 * slot, 4, false)));
        EXPECT_EQ(std::string(tag_get_name(sound)), "sound" + std::to_string(10 - slot));
        EXPECT_EQ(stored(saved, 504 + slot, 1), slot + 1);
    }
    EXPECT_EQ(stored(saved, 126, 2), 51);
    for (int row = 0; row < 15; ++row) {
        EXPECT_EQ(stored(saved, 92 + row, 1, false), 128) << row;
        // Rows 6 and 7 are the extended flag bytes the flags dialog edited afterwards.
        if (row != 6 && row != 7) {
            EXPECT_EQ(stored(saved, 72 + row, 1), row - 3) << row;
        }
    }
    EXPECT_EQ(stored(saved, 72 + 15, 1), -1);
    EXPECT_EQ(stored(saved, 92 + 15, 1, false), 255);
    EXPECT_EQ(stored(saved, 78, 1, false), (6 - 3) | 0x80);
    EXPECT_EQ(stored(saved, 79, 1, false), (7 - 3) | 0x40);
    EXPECT_EQ(stored(saved, 0, 4, false), 0x1 | 0x100000 | 0x800000 | 0x4000000);
}


TEST_F(MonsterFormTest, AttackListEditsAttacksInFileOrderAndStopsAtFour) {
    monster_definition record = definitions::monster_definition_default;
    record.collection = static_cast<int32_t>(walker);
    record.attack_count = 2;
    record.attacks[0] = definitions::attack_definition_default;
    record.attacks[0].projectile = static_cast<int32_t>(subgroups[make_tag("proj")][0]);
    record.attacks[1] = definitions::attack_definition_default;
    const tag_code subgroup = create_monster(record);
    const auto dialog = open(subgroup);
    QListWidget* lines = attack_lines(*dialog);
    ASSERT_EQ(lines->count(), 2);
    EXPECT_EQ(lines->item(0)->text(), QStringLiteral("arrow"));
    EXPECT_EQ(lines->item(1)->text(), QStringLiteral("Attack #2"));

    // Sequence edits made in a cancelled attack dialog are discarded with it.
    through_line(lines, 1, [this](QDialog& attack_dialog) {
        auto& attack = static_cast<CTagDialog&>(attack_dialog);
        EXPECT_EQ(attack.windowTitle(), QStringLiteral("Attack #2"));
        through_line(sequence_lines(attack), 0, [](QDialog& sequence) {
            pick(static_cast<CTagDialog&>(sequence), mf::attack_sequence_picker_id, "seq5");
            sequence.accept();
        });
        EXPECT_EQ(sequence_lines(attack)->item(0)->text(), QStringLiteral("seq5"));
        attack.reject();
    });

    auto* add = qobject_cast<QPushButton*>(attack_list(*dialog)->control(element_list_add_id));
    services.queue_dialog([this](QDialog& attack_dialog) {
        auto& attack = static_cast<CTagDialog&>(attack_dialog);
        EXPECT_EQ(attack.windowTitle(), QStringLiteral("Attack #3"));
        EXPECT_EQ(attack.template_id(), mf::attack_template_id);
        EXPECT_EQ(text_of(attack, 1101), QStringLiteral("1.000"));
        pick(attack, 1026, "bolt");
        type(attack, 1104, "0.5");
        type(attack, 1102, "2");
        type(attack, 1103, "3");
        type(attack, 1111, "1");
        type(attack, 1105, "2");
        type(attack, 1106, "0.25");
        type(attack, 1108, "2");
        type(attack, 1109, "0.5");
        type(attack, 1107, "0.5");
        type(attack, 1110, "1.5");
        click(attack, 1114);
        click(attack, 1116);
        click(attack, mf::attack_flag_id(0x1));
        click(attack, mf::attack_flag_id(0x8000));
        QListWidget* sequences = sequence_lines(attack);
        EXPECT_EQ(sequences->item(2)->text(), QStringLiteral("Sequence #3"));
        through_line(sequences, 2, [](QDialog& sequence_dialog) {
            auto& sequence = static_cast<CTagDialog&>(sequence_dialog);
            EXPECT_EQ(sequence.windowTitle(), QStringLiteral("Sequence #3"));
            EXPECT_EQ(sequence.template_id(), mf::attack_sequence_template_id);
            EXPECT_TRUE(checked(sequence, 1113));
            click(sequence, 1113);
            click(sequence, 1115);
            pick(sequence, mf::attack_sequence_picker_id, "seq7");
            type(sequence, 1116, "0.5");
            sequence.accept();
        });
        EXPECT_EQ(sequences->item(2)->text(), QStringLiteral("seq7"));
        attack.accept();
    });
    add->click();
    EXPECT_EQ(lines->count(), 3);
    EXPECT_EQ(lines->item(2)->text(), QStringLiteral("bolt"));
    services.queue_dialog([](QDialog& attack) { attack.accept(); });
    add->click();
    EXPECT_EQ(lines->count(), 4);
    EXPECT_FALSE(add->isEnabled());
    lines->setCurrentRow(0);
    EXPECT_FALSE(attack_list(*dialog)->control(element_list_duplicate_id)->isEnabled());
    add->click();
    EXPECT_EQ(lines->count(), 4);
    EXPECT_EQ(services.unscripted_dialogs(), 0);
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();

    const std::vector<std::byte> saved = tag_data(monsters, subgroup);
    EXPECT_EQ(stored(saved, 136, 2), 4);
    EXPECT_EQ(stored(saved, attacks_offset + 64 + 12 + 2, 2), -1);  // the cancelled edit
    const size_t third = attacks_offset + 2 * 64;
    const std::pair<size_t, int64_t> attack_fields[] = {
        {0, 0x8001}, {2, 32768}, {8, 512}, {10, 1024}, {44, 3}, {46, 512}, {48, 513},
        {50, 128},   {52, 60},   {54, 15}, {56, 256},  {58, 384}, {60, 0x5},
    };
    for (const auto& [offset, expected] : attack_fields)
        EXPECT_EQ(stored(saved, third + offset, 2, false), expected) << offset;
    EXPECT_EQ(static_cast<tag_code>(stored(saved, third + 4, 4, false)), subgroups[make_tag("proj")][1]);
    const size_t sequence = third + 12 + 2 * 8;
    EXPECT_EQ(stored(saved, sequence, 2), 0x4);
    EXPECT_EQ(stored(saved, sequence + 2, 2), 7);
    EXPECT_EQ(stored(saved, sequence + 4, 2, false), 32768);
    EXPECT_EQ(stored(saved, third + 12 + 2, 2), -1);
    EXPECT_EQ(stored(saved, third + 12, 2), 1);
    EXPECT_EQ(stored(saved, attacks_offset + 3 * 64 + 8, 2), 512);  // the default attack
}

// Bytes 76, 78 and 79 are terrain costs first: a cost of -1 holds no flags.
TEST_F(MonsterFormTest, ImpassableTerrainKeepsItsExtendedFlagByte) {
    monster_definition record = definitions::monster_definition_default;
    record.flags = 0x100000;  // "Use Extended"
    record.terrain_costs[6] = -1;
    const tag_code subgroup = create_monster(record);
    const auto dialog = open(subgroup);
    through(*dialog, mf::flags_button_id, [](QDialog& sub_dialog) {
        auto& flags = static_cast<CTagDialog&>(sub_dialog);
        for (const definitions::NamedValue& bit : definitions::monster_grass_extended_flag_names)
            EXPECT_FALSE(checked(flags, mf::extended_flag_id(78, static_cast<uint8_t>(bit.value)))) << bit.name;
        click(flags, mf::extended_flag_id(78, 0x1));
        click(flags, mf::extended_flag_id(79, 0x1));
        flags.accept();
    });
    dialog->accept();
    const std::vector<std::byte> saved = tag_data(monsters, subgroup);
    EXPECT_EQ(stored(saved, 78, 1, false), 0xFF);
    EXPECT_EQ(stored(saved, 79, 1, false), 0x1);
}

TEST_F(MonsterFormTest, ClearingSlopedWritesMinusOneAndLeavesItsFlagsAlone) {
    const tag_code subgroup = create_monster(definitions::monster_definition_default);
    const auto dialog = open(subgroup);
    const int sloped = 4;
    through(*dialog, mf::terrain_button_id, [sloped](QDialog& sub_dialog) {
        auto& terrain = static_cast<CTagDialog&>(sub_dialog);
        EXPECT_TRUE(terrain.control(mf::first_terrain_cost_id + sloped)->isVisible());
        EXPECT_EQ(terrain.control_as<QCheckBox>(mf::first_terrain_check_id + sloped)->text(), QStringLiteral("Sloped"));
        click(terrain, mf::first_terrain_check_id + sloped);
        EXPECT_FALSE(terrain.control(mf::first_terrain_cost_id + sloped)->isVisible());
        EXPECT_FALSE(terrain.control(mf::first_terrain_speed_id + sloped)->isVisible());
        EXPECT_TRUE(terrain.control(mf::first_terrain_speed_id + sloped + 1)->isVisible());
        terrain.accept();
    });
    through(*dialog, mf::flags_button_id, [](QDialog& sub_dialog) {
        auto& flags = static_cast<CTagDialog&>(sub_dialog);
        for (const definitions::NamedValue& bit : definitions::monster_sloped_extended_flag_names)
            EXPECT_FALSE(checked(flags, mf::extended_flag_id(76, static_cast<uint8_t>(bit.value)))) << bit.name;
        click(flags, mf::extended_flag_id(76, 0x2));
        flags.accept();
    });
    // Checked again, the row offers a cost of 0; cancelled, the record keeps -1.
    through(*dialog, mf::terrain_button_id, [sloped](QDialog& sub_dialog) {
        auto& terrain = static_cast<CTagDialog&>(sub_dialog);
        EXPECT_FALSE(checked(terrain, mf::first_terrain_check_id + sloped));
        click(terrain, mf::first_terrain_check_id + sloped);
        EXPECT_TRUE(terrain.control(mf::first_terrain_cost_id + sloped)->isVisible());
        EXPECT_EQ(text_of(terrain, mf::first_terrain_cost_id + sloped), QStringLiteral("0"));
        terrain.reject();
    });
    dialog->accept();
    EXPECT_EQ(stored(tag_data(monsters, subgroup), 76, 1), -1);
}

TEST_F(MonsterFormTest, SlopedFlagShowsAsItsCost) {
    const tag_code subgroup = create_monster(definitions::monster_definition_default);
    const auto dialog = open(subgroup);
    through(*dialog, mf::flags_button_id, [](QDialog& flags) {
        click(static_cast<CTagDialog&>(flags), mf::extended_flag_id(76, 0x1));
        flags.accept();
    });
    through(*dialog, mf::terrain_button_id, [](QDialog& terrain) {
        EXPECT_EQ(text_of(static_cast<CTagDialog&>(terrain), mf::first_terrain_cost_id + 4), QStringLiteral("1"));
        terrain.reject();
    });
    dialog->accept();
    EXPECT_EQ(stored(tag_data(monsters, subgroup), 76, 1), 1);
}

// Every box of a flag byte is read before any is written: checking the one clear bit
// of 0xFE while clearing another must not make the byte look impassable half-way.
TEST_F(MonsterFormTest, ExtendedFlagsOfOneByteAreSavedTogether) {
    monster_definition record = definitions::monster_definition_default;
    record.terrain_costs[6] = static_cast<int8_t>(0xFE);
    const tag_code subgroup = create_monster(record);
    const auto dialog = open(subgroup);
    through(*dialog, mf::flags_button_id, [](QDialog& sub_dialog) {
        auto& flags = static_cast<CTagDialog&>(sub_dialog);
        click(flags, mf::extended_flag_id(78, 0x1));
        click(flags, mf::extended_flag_id(78, 0x80));
        flags.accept();
    });
    dialog->accept();
    EXPECT_EQ(stored(tag_data(monsters, subgroup), 78, 1, false), 0x7F);
}

// The sixteen terrain rows are a grid: check boxes, cost boxes and speed boxes
// each in a column of their own, whatever the length of the terrain's name and
// whether a row's boxes are shown.
TEST_F(MonsterFormTest, TerrainRowsLineUpInColumns) {
    monster_definition record = definitions::monster_definition_default;
    record.terrain_costs[3] = -1;
    const auto dialog = open(create_monster(record));
    through(*dialog, mf::terrain_button_id, [](QDialog& sub_dialog) {
        auto& terrain = static_cast<CTagDialog&>(sub_dialog);
        const auto position = [&terrain](int id) { return terrain.control(id)->mapTo(&terrain, QPoint(0, 0)); };
        const int check_x = position(mf::first_terrain_check_id).x();
        const int cost_x = position(mf::first_terrain_cost_id).x();
        const int speed_x = position(mf::first_terrain_speed_id).x();
        EXPECT_LT(check_x, cost_x);
        EXPECT_LT(cost_x, speed_x);
        for (int row = 0; row < 16; ++row) {
            SCOPED_TRACE(row);
            EXPECT_EQ(position(mf::first_terrain_check_id + row).x(), check_x);
            if (row > 0) {
                EXPECT_GT(position(mf::first_terrain_check_id + row).y(),
                          position(mf::first_terrain_check_id + row - 1).y());
            }
            if (row == 3) {
                EXPECT_FALSE(terrain.control(mf::first_terrain_cost_id + row)->isVisible());
                continue;
            }
            EXPECT_EQ(position(mf::first_terrain_cost_id + row).x(), cost_x);
            EXPECT_EQ(position(mf::first_terrain_speed_id + row).x(), speed_x);
            EXPECT_EQ(position(mf::first_terrain_cost_id + row).y(), position(mf::first_terrain_speed_id + row).y());
        }
        check_picture(terrain, "mons_terrain_parameters");
        sub_dialog.reject();
    });
}

TEST_F(MonsterFormTest, UneditedSlotsAndReservedFieldsSurviveAnEdit) {
    const monster_definition record = random_monster(7);
    const tag_code subgroup = create_monster(record);
    const std::vector<std::byte> before = tag_data(monsters, subgroup);
    const auto dialog = open(subgroup);
    through(*dialog, mf::sequences_button_id, [](QDialog& sequences) {
        for (int slot = 0; slot < 19; ++slot)
            pick(static_cast<CTagDialog&>(sequences), mf::first_sequence_id + slot, "No Sequence");
        sequences.accept();
    });
    type(*dialog, 1072, "3");
    type(*dialog, 1084, "4");
    type(*dialog, 1087, "0.5");
    dialog->accept();
    const std::vector<std::byte> saved = tag_data(monsters, subgroup);
    const std::pair<size_t, size_t> kept[] = {{46, 60}, {64, 66}, {88, 90}, {122, 124}, {408, 410},
                                              {437, 438}, {542, 1024}};
    for (const auto& [from, to] : kept)
        for (size_t offset = from; offset < to; ++offset) EXPECT_EQ(saved[offset], before[offset]) << offset;
    for (int attack = 0; attack < 4; ++attack)
        for (size_t offset : {attacks_offset + 64 * attack + 62, attacks_offset + 64 * attack + 63})
            EXPECT_EQ(saved[offset], before[offset]) << offset;
    for (int slot = 0; slot < 19; ++slot) EXPECT_EQ(stored(saved, 8 + 2 * slot, 2), -1);
    EXPECT_EQ(stored(saved, 90, 2), 1536);
}

TEST_F(MonsterFormTest, SequencePickersFollowTheCollectionPicker) {
    const tag_code subgroup = create_monster(definitions::monster_definition_default);
    const auto dialog = open(subgroup);
    EXPECT_EQ(dialog->GetCurrentCollection(), NONE);
    const auto expect_sequences = [this, &dialog](const QStringList& expected) {
        through(*dialog, mf::sequences_button_id, [&expected](QDialog& sequences) {
            for (int slot = 0; slot < 19; ++slot)
                EXPECT_EQ(entries(static_cast<CTagDialog&>(sequences).control_as<QComboBox>(mf::first_sequence_id + slot)),
                          expected) << slot;
            sequences.reject();
        });
    };
    expect_sequences({"No Sequence"});
    pick(*dialog, mf::collection_id, "walker");
    EXPECT_EQ(dialog->GetCurrentCollection(), static_cast<int32_t>(walker));
    QStringList named{"No Sequence"};
    for (int i = 0; i < sequence_count; ++i) named << QStringLiteral("seq%1").arg(i);
    expect_sequences(named);
}

// Writes the README's picture of the form when TESSARY_MONSTER_FORM_PICTURE names a file.
TEST_F(MonsterFormTest, FormFitsAScreen) {
    monster_definition record = definitions::monster_definition_default;
    record.collection = static_cast<int32_t>(walker);
    record.object = static_cast<int32_t>(subgroups[make_tag("obje")][0]);
    record.dying_projectile_group = static_cast<int32_t>(subgroups[make_tag("prgr")][3]);
    record.names_string_list = static_cast<int32_t>(subgroups[make_tag("stli")][1]);
    record.attack_count = 2;
    record.attacks[0] = definitions::attack_definition_default;
    record.attacks[0].projectile = static_cast<int32_t>(subgroups[make_tag("proj")][0]);
    record.attacks[1] = definitions::attack_definition_default;
    const auto dialog = open(create_monster(record));
    // Sized by hand: adjusting the size would bound it by the offscreen screen.
    dialog->resize(dialog->sizeHint());
    const QImage picture = dialog->grab().toImage();
    EXPECT_LE(picture.width(), 1600);
    EXPECT_LE(picture.height(), 1000);
    if (const char* path = std::getenv("TESSARY_MONSTER_FORM_PICTURE")) {
        EXPECT_TRUE(picture.save(path));
    }
    dialog->reject();
}

}  // namespace
}  // namespace editor_test
