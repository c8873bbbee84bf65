// The projectile form with its damage and flags dialogs.

#include "every_form.h"
#include "form_driving.h"

#include "definitions/projectile_definitions.h"
#include "editor/forms/projectile_form.h"
#include "editor/toolkit/damage_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>
#include <cstring>

namespace editor_test {
namespace {

using definitions::projectile_definition;
namespace pf = projectile_form;

constexpr tag_code projectiles = make_tag("proj");

class ProjectileFormTest : public FormTest {
protected:
    tag_code projectile(const projectile_definition& record, const std::string& name = "arrow") {
        std::vector<std::byte> bytes(sizeof record);
        std::memcpy(bytes.data(), &record, sizeof record);
        return create_record_tag(projectiles, name, bytes);
    }
    tag_code named(tag_code group, int index) const { return tags.at(group).at(static_cast<size_t>(index)); }

    // Runs `script` on the dialog that clicking `button_id` opens.
    void through(CTagDialog& dialog, int button_id, platform::ScriptedServices::DialogScript script) {
        services.queue_dialog(std::move(script));
        click(dialog, button_id);
        EXPECT_EQ(services.pending_dialog_scripts(), 0) << button_id;
    }
};

struct TypedRow {
    int id;
    const char* entry;
    size_t offset;
    int64_t expected;
};

TEST_F(ProjectileFormTest, MainControlsWriteTheirFields) {
    const tag_code subgroup = projectile(definitions::projectile_definition_default);
    const auto dialog = open_form(projectiles, subgroup);
    EXPECT_EQ(dialog->template_id(), pf::template_id);
    const TypedRow typed[] = {
        {1176, "3", 24, 3},        {1181, "1.5", 32, 384},    {1182, "2", 34, 129},      {1183, "1", 36, 512},
        {1194, "7", 40, 7},        {1184, "0.5", 42, 32768},  {1173, "0.25", 44, 16384}, {1174, "1.2", 46, 65535},
        {1141, "2", 48, 1024},     {1187, "2", 76, 512},      {1188, "2", 78, 0},        {1178, "0.1", 84, 6554},
        {1179, "-0.1", 86, 0},     {1180, "1", 88, 65535},    {1195, "90", 90, 546},     {1185, "0.5", 100, 256},
        {1186, "1", 102, 65535},   {1191, "1", 132, 30},      {1192, "2", 134, 31},      {1193, "5", 140, 5},
    };
    for (const TypedRow& row : typed) type(*dialog, row.id, row.entry);
    const TypedRow picked[] = {{1049, "NONE", 14, -1}, {1051, "Large", 38, 2}, {1033, "Item", 50, 10}};
    for (const TypedRow& row : picked) pick(*dialog, row.id, row.entry);
    pick(*dialog, 1047, "prgr 1");
    pick(*dialog, 1048, "prgr 2");
    pick(*dialog, 1030, "obje 1");
    pick(*dialog, 1041, "ligh 2");
    pick(*dialog, 1042, "arti 3");
    pick(*dialog, 1009, "lpgr 1");
    pick(*dialog, 1056, "soun 1");
    pick(*dialog, 1055, "soun 2");
    pick(*dialog, 1053, "prgr 3");
    for (uint32_t mask : {0x40u, 0x20000u}) click(*dialog, toolkit::flag_check_id(mask));
    click(*dialog, 1169);
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted) << services.message_texts().join("; ").toStdString();
    const std::vector<std::byte> after = tag_data(projectiles, subgroup);
    ASSERT_EQ(after.size(), 256u);
    // Fractions are unsigned: read as such where the value needs the sign bit.
    for (const TypedRow& row : typed)
        EXPECT_EQ(stored(after, row.offset, 2, row.expected < 32768), row.expected) << row.id;
    for (const TypedRow& row : picked) EXPECT_EQ(stored(after, row.offset, 2), row.expected) << row.id;
    const struct {
        size_t offset;
        tag_code group;
        int index;
    } references[] = {{16, make_tag("prgr"), 0}, {124, make_tag("prgr"), 1}, {28, make_tag("obje"), 0},
                      {52, make_tag("ligh"), 1}, {120, make_tag("arti"), 2}, {136, make_tag("lpgr"), 0},
                      {60, make_tag("soun"), 0}, {64, make_tag("soun"), 1}, {96, make_tag("prgr"), 2}};
    for (const auto& reference : references)
        EXPECT_EQ(stored(after, reference.offset, 4), static_cast<int32_t>(named(reference.group, reference.index)))
            << reference.offset;
    EXPECT_EQ(stored(after, 0, 4, false), 0x40 | 0x20000);
    EXPECT_EQ(stored(after, 223, 1, false), 1);
}

// A projectile cannot be its own contrail or promotion.
TEST_F(ProjectileFormTest, ContrailAndPromotionPickersLeaveOutTheProjectileItself) {
    const tag_code subgroup = projectile(definitions::projectile_definition_default);
    const auto dialog = open_form(projectiles, subgroup);
    for (int id : {pf::contrail_id, pf::promotion_projectile_id}) {
        EXPECT_EQ(entries(dialog->control_as<QComboBox>(id)), (QStringList{"No Tag", "proj 1", "proj 2", "proj 3"}))
            << id;
    }
    pick(*dialog, pf::contrail_id, "proj 2");
    pick(*dialog, pf::promotion_projectile_id, "proj 3");
    dialog->accept();
    const std::vector<std::byte> after = tag_data(projectiles, subgroup);
    EXPECT_EQ(stored(after, 20, 4), static_cast<int32_t>(named(projectiles, 1)));
    EXPECT_EQ(stored(after, 92, 4), static_cast<int32_t>(named(projectiles, 2)));
}

TEST_F(ProjectileFormTest, ClearedLifespanStoresZeroAndReopensDisabled) {
    projectile_definition record = definitions::projectile_definition_default;
    record.lifespan_lower = 30;
    record.lifespan_delta = 31;
    const tag_code subgroup = projectile(record);
    const auto dialog = open_form(projectiles, subgroup);
    EXPECT_TRUE(checked(*dialog, pf::lifespan_check_id));
    EXPECT_EQ(text_of(*dialog, pf::lifespan_lower_id), "1.000");
    EXPECT_EQ(text_of(*dialog, pf::lifespan_upper_id), "2.000");
    type(*dialog, pf::lifespan_upper_id, "4");
    click(*dialog, pf::lifespan_check_id);
    dialog->accept();
    const std::vector<std::byte> after = tag_data(projectiles, subgroup);
    EXPECT_EQ(stored(after, 80, 2), 0);
    EXPECT_EQ(stored(after, 82, 2), 0);
    const auto reopened = open_form(projectiles, subgroup);
    EXPECT_FALSE(checked(*reopened, pf::lifespan_check_id));
    EXPECT_FALSE(reopened->control(pf::lifespan_lower_id)->isEnabled());
    EXPECT_FALSE(reopened->control(pf::lifespan_upper_id)->isEnabled());
    // Checking it again edits a lifespan: 0.5 to 1 second.
    click(*reopened, pf::lifespan_check_id);
    EXPECT_TRUE(reopened->control(pf::lifespan_lower_id)->isEnabled());
    type(*reopened, pf::lifespan_lower_id, "0.5");
    type(*reopened, pf::lifespan_upper_id, "1");
    reopened->accept();
    const std::vector<std::byte> again = tag_data(projectiles, subgroup);
    EXPECT_EQ(stored(again, 80, 2), 15);
    EXPECT_EQ(stored(again, 82, 2), 16);
}

// The check boxes of optional rows stand where the rows' labels would.
TEST_F(ProjectileFormTest, OptionalCheckBoxesLeadTheirRows) {
    const auto dialog = open_form(projectiles, projectile(definitions::projectile_definition_default));
    const struct {
        int check;
        int edit;
    } rows[] = {{pf::maximum_contrails_check_id, pf::maximum_contrails_id},
                {pf::lifespan_check_id, pf::lifespan_lower_id}};
    for (const auto& row : rows) {
        QWidget* check = dialog->control(row.check);
        QWidget* edit = dialog->control(row.edit);
        ASSERT_TRUE(check && edit);
        const QList<QFormLayout*> columns = dialog->findChildren<QFormLayout*>();
        const auto holding = std::find_if(columns.begin(), columns.end(),
                                          [check](QFormLayout* column) { return column->indexOf(check) >= 0; });
        ASSERT_NE(holding, columns.end()) << row.check;
        int line = -1;
        QFormLayout::ItemRole role{};
        (*holding)->getWidgetPosition(check, &line, &role);
        EXPECT_EQ(role, QFormLayout::LabelRole) << row.check;
        QWidget* field = (*holding)->itemAt(line, QFormLayout::FieldRole)->widget();
        EXPECT_TRUE(field == edit || field->isAncestorOf(edit)) << row.check;
    }
    dialog->reject();
}

TEST_F(ProjectileFormTest, ClearedMaximumNumberStores32767AndReopensAsZero) {
    projectile_definition record = definitions::projectile_definition_default;
    record.maximum_contrails = 10;
    const tag_code subgroup = projectile(record);
    const auto dialog = open_form(projectiles, subgroup);
    EXPECT_TRUE(checked(*dialog, pf::maximum_contrails_check_id));
    EXPECT_EQ(text_of(*dialog, pf::maximum_contrails_id), "10");
    click(*dialog, pf::maximum_contrails_check_id);
    dialog->accept();
    EXPECT_EQ(stored(tag_data(projectiles, subgroup), 26, 2), 32767);
    const auto reopened = open_form(projectiles, subgroup);
    EXPECT_FALSE(checked(*reopened, pf::maximum_contrails_check_id));
    EXPECT_EQ(text_of(*reopened, pf::maximum_contrails_id), "0");
    EXPECT_FALSE(reopened->control(pf::maximum_contrails_id)->isEnabled());
    click(*reopened, pf::maximum_contrails_check_id);
    type(*reopened, pf::maximum_contrails_id, "4");
    reopened->accept();
    EXPECT_EQ(stored(tag_data(projectiles, subgroup), 26, 2), 4);
}

TEST_F(ProjectileFormTest, ChangingTheCollectionResetsTheThreeSequences) {
    projectile_definition record = definitions::projectile_definition_default;
    record.collection = static_cast<int32_t>(named(collections, 0));
    record.flight_sequence = 1;
    record.debris_sequence = 2;
    record.bounce_sequence = 3;
    const tag_code subgroup = projectile(record);
    const auto dialog = open_form(projectiles, subgroup);
    EXPECT_EQ(dialog->control_as<QComboBox>(pf::flight_sequence_id)->currentText(), "sequence 1");
    EXPECT_EQ(dialog->control_as<QComboBox>(pf::bounce_sequence_id)->currentText(), "sequence 3");
    pick(*dialog, pf::collection_id, "_256 2");
    for (int id : {pf::flight_sequence_id, pf::debris_sequence_id, pf::bounce_sequence_id})
        EXPECT_EQ(dialog->control_as<QComboBox>(id)->currentText(), "No Sequence") << id;
    dialog->accept();
    const std::vector<std::byte> after = tag_data(projectiles, subgroup);
    EXPECT_EQ(stored(after, 4, 4), static_cast<int32_t>(named(collections, 1)));
    for (size_t offset : {8u, 10u, 12u}) EXPECT_EQ(stored(after, offset, 2), -1) << offset;
}

TEST_F(ProjectileFormTest, DamageDialogEditsTheDamageAtOffset104) {
    projectile_definition record = definitions::projectile_definition_default;
    record.damage.type = 9;
    record.damage.flags = 0x8 | 0x1;
    const tag_code subgroup = projectile(record);
    const auto dialog = open_form(projectiles, subgroup);
    through(*dialog, pf::damage_button_id, [](QDialog& opened) {
        auto& damage = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(damage.template_id(), 163);
        EXPECT_EQ(damage.windowTitle(), "Projectile Damage");
        EXPECT_EQ(damage.control_as<QComboBox>(damage_type_id)->currentText(), "Fire");
        EXPECT_EQ(damage.control(toolkit::flag_check_id(0x8)), nullptr);
        pick(damage, damage_type_id, "NONE");
        type(damage, 1144, "2");
        type(damage, 1145, "3");
        type(damage, 1009, "1");
        type(damage, 1010, "1");
        type(damage, 1148, "0.5");
        type(damage, 1149, "-1.999");
        click(damage, toolkit::flag_check_id(0x2));
        click(damage, toolkit::flag_check_id(0x1));
        click(damage, toolkit::flag_check_id(0x8000));
        opened.accept();
    });
    dialog->accept();
    const std::vector<std::byte> after = tag_data(projectiles, subgroup);
    EXPECT_EQ(stored(after, 104, 2), -1);
    EXPECT_EQ(stored(after, 106, 2, false), 0x8 | 0x2 | 0x8000);
    EXPECT_EQ(stored(after, 108, 2), 512);
    EXPECT_EQ(stored(after, 110, 2), 257);
    EXPECT_EQ(stored(after, 112, 2), 512);
    EXPECT_EQ(stored(after, 114, 2), 0);
    EXPECT_EQ(stored(after, 116, 2), 256);
    EXPECT_EQ(stored(after, 118, 2), -511);
}

// The flags dialog holds the bits the main form leaves out, and only those.
TEST_F(ProjectileFormTest, FlagsAreSplitBetweenTheFormAndTheFlagsDialog) {
    const uint32_t main_bits[] = {0x8, 0x10, 0x20, 0x40, 0x400, 0x1000, 0x2000, 0x4000, 0x20000};
    const uint32_t dialog_bits[] = {0x1,      0x2,       0x4,       0x80,      0x100,      0x200,      0x800,
                                    0x8000,   0x10000,   0x40000,   0x80000,   0x100000,   0x200000,   0x400000,
                                    0x800000, 0x1000000, 0x2000000, 0x4000000, 0x8000000, 0x10000000, 0x20000000,
                                    0x40000000, 0x80000000};
    projectile_definition record = definitions::projectile_definition_default;
    record.flags = 0x20 | 0x4;
    const tag_code subgroup = projectile(record);
    const auto dialog = open_form(projectiles, subgroup);
    for (uint32_t mask : main_bits) EXPECT_NE(dialog->control(toolkit::flag_check_id(mask)), nullptr) << mask;
    for (uint32_t mask : dialog_bits) EXPECT_EQ(dialog->control(toolkit::flag_check_id(mask)), nullptr) << mask;
    EXPECT_TRUE(checked(*dialog, toolkit::flag_check_id(0x20)));
    through(*dialog, pf::flags_button_id, [&](QDialog& opened) {
        auto& flags = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(flags.template_id(), pf::flags_template_id);
        EXPECT_EQ(flags.windowTitle(), "Projectile Flags");
        for (uint32_t mask : dialog_bits) EXPECT_NE(flags.control(toolkit::flag_check_id(mask)), nullptr) << mask;
        for (uint32_t mask : main_bits) EXPECT_EQ(flags.control(toolkit::flag_check_id(mask)), nullptr) << mask;
        EXPECT_EQ(flags.control_as<QCheckBox>(toolkit::flag_check_id(0x80000000))->text(), "Detonates Immediately");
        EXPECT_TRUE(checked(flags, toolkit::flag_check_id(0x4)));
        click(flags, toolkit::flag_check_id(0x4));
        click(flags, toolkit::flag_check_id(0x80000000));
        opened.accept();
    });
    click(*dialog, toolkit::flag_check_id(0x2000));
    dialog->accept();
    EXPECT_EQ(stored(tag_data(projectiles, subgroup), 0, 4, false), 0x20 | 0x2000 | 0x80000000u);
}

}  // namespace
}  // namespace editor_test
