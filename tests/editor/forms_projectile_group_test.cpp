#include "form_driving.h"

#include "definitions/projectile_group_definitions.h"
#include "editor/forms/projectile_group_form.h"
#include "editor/toolkit/element_list.h"

#include <QListWidget>
#include <QPushButton>

namespace editor_test {
namespace {

using definitions::projectile_group_definition;
using definitions::projectile_group_part;
namespace gf = projectile_group_form;

constexpr tag_code projectile_groups = make_tag("prgr");
constexpr tag_code projectiles = make_tag("proj");
constexpr size_t parts_offset = 32;

class ProjectileGroupFormTest : public DrivenFormTest {
protected:
    void SetUp() override {
        DrivenFormTest::SetUp();
        for (const char* name : {"arrow", "bolt", "stone"}) add_tag(projectiles, name);
        add_tag(make_tag("meef"), "flash");
        add_tag(sounds, "bang");
        add_tag(make_tag("lpgr"), "sparks");
    }

    tag_code create(const projectile_group_definition& record) {
        return add_record(projectile_groups, "burst", record, definitions::projectile_group_definition_codes);
    }

    // A group of `count` default parts; part i names projectile i when `named` says so.
    projectile_group_definition with_parts(int count, std::initializer_list<bool> named = {}) {
        projectile_group_definition record = definitions::projectile_group_definition_default;
        record.part_count = static_cast<int16_t>(count);
        for (int i = 0; i < count; ++i) record.parts[i] = definitions::projectile_group_part_default;
        int i = 0;
        for (bool is_named : named) {
            if (is_named) record.parts[i].projectile = static_cast<int32_t>(subgroups[projectiles][i]);
            ++i;
        }
        return record;
    }

    static CElementListDlg* parts(const CTagDialog& dialog) { return dialog.control_as<CElementListDlg>(gf::part_list_id); }
    static QListWidget* lines(const CTagDialog& dialog) {
        return qobject_cast<QListWidget*>(parts(dialog)->control(element_list_box_id));
    }
    static QStringList line_texts(const CTagDialog& dialog) {
        QStringList texts;
        for (int i = 0; i < lines(dialog)->count(); ++i) texts << lines(dialog)->item(i)->text();
        return texts;
    }
};

TEST_F(ProjectileGroupFormTest, PartsWithoutProjectileAreNumberedAfterThePrefix) {
    const auto dialog = open(projectile_groups, create(with_parts(3, {true, false, true})));
    EXPECT_EQ(dialog->template_id(), gf::template_id);
    EXPECT_EQ(line_texts(*dialog), (QStringList{"arrow", "Projectile part#2", "stone"}));
    dialog->reject();
}

TEST_F(ProjectileGroupFormTest, AddOpensTheDefaultPartAndItsDialogWritesIt) {
    const tag_code subgroup = create(with_parts(1));
    const auto dialog = open(projectile_groups, subgroup);
    pick(*dialog, 1020, "flash");
    pick(*dialog, 1008, "bang");
    pick(*dialog, 1009, "sparks");
    services.queue_dialog([](QDialog& opened) {
        auto& part = static_cast<CTagDialog&>(opened);
        EXPECT_EQ(part.windowTitle(), QStringLiteral("Projectile part#2"));
        EXPECT_EQ(part.template_id(), gf::part_template_id);
        EXPECT_EQ(text_of(part, 1024), QStringLiteral("1"));
        EXPECT_EQ(text_of(part, 1025), QStringLiteral("1"));
        EXPECT_EQ(text_of(part, 1008), QStringLiteral("0.000"));
        EXPECT_EQ(text_of(part, 1009), QStringLiteral("0.996"));
        EXPECT_EQ(text_of(part, 1010), QStringLiteral("1.000"));
        pick(part, 1026, "bolt");
        click(part, toolkit::flag_check_id(0x2));
        type(part, 1024, "2");
        type(part, 1025, "5");
        type(part, 1008, "0.5");
        type(part, 1009, "1");
        type(part, 1010, "0.25");
        part.accept();
    });
    qobject_cast<QPushButton*>(parts(*dialog)->control(element_list_add_id))->click();
    EXPECT_EQ(line_texts(*dialog), (QStringList{"Projectile part#1", "bolt"}));
    // A cancelled Add leaves the count as it was.
    services.queue_dialog([](QDialog& opened) { opened.reject(); });
    qobject_cast<QPushButton*>(parts(*dialog)->control(element_list_add_id))->click();
    EXPECT_EQ(lines(*dialog)->count(), 2);
    accept(*dialog);

    const std::vector<std::byte> saved = tag_data(projectile_groups, subgroup);
    EXPECT_EQ(stored(saved, 4, 2), 2);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 8, 4, false)), subgroups[make_tag("meef")][0]);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 12, 4, false)), subgroups[sounds][0]);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, 16, 4, false)), subgroups[make_tag("lpgr")][0]);
    const size_t second = parts_offset + 32;
    EXPECT_EQ(static_cast<tag_code>(stored(saved, second, 4, false)), subgroups[projectiles][1]);
    const std::pair<size_t, int64_t> fields[] = {{4, 0x2}, {8, 2}, {10, 4}, {12, 128}, {14, 129}, {20, 16384}};
    for (const auto& [offset, expected] : fields) {
        const int width = offset == 4 ? 4 : 2;
        EXPECT_EQ(stored(saved, second + offset, width), expected) << offset;
    }
}

TEST_F(ProjectileGroupFormTest, FifteenPartsDisableAddAndDuplicate) {
    const auto dialog = open(projectile_groups, create(with_parts(15)));
    EXPECT_EQ(lines(*dialog)->count(), 15);
    EXPECT_EQ(line_texts(*dialog).back(), QStringLiteral("Projectile part#15"));
    lines(*dialog)->setCurrentRow(3);
    EXPECT_FALSE(parts(*dialog)->control(element_list_add_id)->isEnabled());
    EXPECT_FALSE(parts(*dialog)->control(element_list_duplicate_id)->isEnabled());
    EXPECT_TRUE(parts(*dialog)->control(element_list_delete_id)->isEnabled());
    dialog->reject();
}

TEST_F(ProjectileGroupFormTest, DeletingTheFirstOfThreePartsMovesTheOthersUp) {
    projectile_group_definition record = with_parts(3, {true, true, true});
    record.parts[1].count_lower = 7;
    record.parts[2].appearing_fraction = 1234;
    const tag_code subgroup = create(record);
    const auto dialog = open(projectile_groups, subgroup);
    lines(*dialog)->setCurrentRow(0);
    qobject_cast<QPushButton*>(parts(*dialog)->control(element_list_delete_id))->click();
    EXPECT_EQ(line_texts(*dialog), (QStringList{"bolt", "stone"}));
    accept(*dialog);
    const std::vector<std::byte> saved = tag_data(projectile_groups, subgroup);
    EXPECT_EQ(stored(saved, 4, 2), 2);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, parts_offset, 4, false)), subgroups[projectiles][1]);
    EXPECT_EQ(stored(saved, parts_offset + 8, 2), 7);
    EXPECT_EQ(static_cast<tag_code>(stored(saved, parts_offset + 32, 4, false)), subgroups[projectiles][2]);
    EXPECT_EQ(stored(saved, parts_offset + 32 + 20, 2, false), 1234);
}

// The list never reaches past the fifteen parts the record holds; an untouched list
// keeps the stored count.
TEST_F(ProjectileGroupFormTest, StoredCountOutsideTheArrayIsClampedWhenListed) {
    for (int16_t count : {int16_t{40}, int16_t{-3}}) {
        projectile_group_definition record = with_parts(15);
        record.part_count = count;
        const tag_code subgroup = create(record);
        const std::vector<std::byte> before = tag_data(projectile_groups, subgroup);
        const auto dialog = open(projectile_groups, subgroup);
        EXPECT_EQ(lines(*dialog)->count(), count < 0 ? 0 : 15) << count;
        EXPECT_EQ(parts(*dialog)->control(element_list_add_id)->isEnabled(), count < 0) << count;
        accept(*dialog);
        EXPECT_EQ(tag_data(projectile_groups, subgroup), before) << count;
    }
}

}  // namespace
}  // namespace editor_test
