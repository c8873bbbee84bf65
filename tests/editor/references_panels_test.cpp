// The References and Problems docks over a small folder: a monster firing an
// arrow, the arrow detonating as a volley, and a second monster firing a
// projectile that is not there.

#include "commands_fixture.h"

#include "definitions/group_registry.h"
#include "definitions/monster_definitions.h"
#include "definitions/projectile_definitions.h"
#include "editor/commands/create_plugin_dialog.h"
#include "editor/frame_commands.h"
#include "editor/references/reference_panels.h"
#include "tag_files/tag_groups.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>

#include <cstring>

namespace editor_test {
namespace {

constexpr tag_code projectiles = make_tag("proj");
constexpr tag_code projectile_groups = make_tag("prgr");

QStringList rows(const QTreeWidget& list) {
    QStringList texts;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list.columnCount(); ++column) cells << list.topLevelItem(row)->text(column);
        texts << cells.join(QStringLiteral(" | "));
    }
    return texts;
}

class ReferencesPanelsTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        const tag_code volley = tag_get_subgroup(create_default_tag(projectile_groups, "Volley"));
        definitions::projectile_definition arrow = definitions::projectile_definition_default;
        arrow.detonation_projectile_group = static_cast<int32_t>(volley);
        const tag_code arrow_code = tag_get_subgroup(write(projectiles, "Arrow", &arrow, sizeof arrow));
        definitions::monster_definition monster = definitions::monster_definition_default;
        monster.attack_count = 1;
        monster.attacks[0].projectile = static_cast<int32_t>(arrow_code);
        write(monsters, "Dwarf", &monster, sizeof monster);
        monster.attacks[0].projectile = static_cast<int32_t>(make_tag("gone"));
        write(monsters, "Ghost", &monster, sizeof monster);
    }

    tag_handle write(tag_code group, const std::string& name, const void* record, size_t size) {
        std::vector<std::byte> bytes(size);
        std::memcpy(bytes.data(), record, size);
        definitions::record_to_file_order(*definitions::find_group(group), bytes.data());
        return create_tag(group, name, bytes, tag_group_get_version(group));
    }
    QAction* menu_item(const QString& menu, const QString& text) {
        for (QAction* top : frame().menuBar()->actions()) {
            if (top->text() != menu) continue;
            for (QAction* item : top->menu()->actions())
                if (item->text() == text) return item;
        }
        return nullptr;
    }
    ReferencesPanel& references() { return *frame().findChild<ReferencesPanel*>(); }
    ProblemsPanel& problems() { return *frame().findChild<ProblemsPanel*>(); }
};

TEST_F(ReferencesPanelsTest, TheReferencesDockShowsWhatTheChosenTagUsesAndWhatUsesItAndOpensThem) {
    QAction* view = menu_item(QStringLiteral("&View"), QStringLiteral("&References"));
    ASSERT_NE(view, nullptr);
    frame().show();
    view->trigger();
    EXPECT_TRUE(references().isVisible());
    select(tag_item(projectiles, "Arrow"));
    EXPECT_EQ(rows(*references().uses()), QStringList{"detonation_projectile_group | projectile groups | Volley"});
    EXPECT_EQ(rows(*references().users()), QStringList{"monsters | Dwarf | attacks[0].projectile"});
    select(tag_item(monsters, "Ghost"));
    EXPECT_EQ(rows(*references().uses()), QStringList{"attacks[0].projectile | projectiles | missing gone"});
    EXPECT_TRUE(rows(*references().users()).isEmpty());

    // Activating a user opens its form; a missing tag opens nothing.
    select(tag_item(projectiles, "Arrow"));
    expect_form_opened();
    emit references().users()->itemActivated(references().users()->topLevelItem(0), 0);
    ASSERT_EQ(opened_forms().size(), 1u);
    EXPECT_EQ(opened_forms()[0], tag_get_subgroup(tag_named(monsters, "Dwarf")));
    select(tag_item(monsters, "Ghost"));
    emit references().uses()->itemActivated(references().uses()->topLevelItem(0), 0);
    EXPECT_EQ(opened_forms().size(), 1u);
}

TEST_F(ReferencesPanelsTest, CheckTagsListsTheProblemsAndDeleteWarnsAndShowsTheNewOne) {
    QAction* check = menu_item(QStringLiteral("&Tools"), QStringLiteral("&Check Tags"));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    check->trigger();
    EXPECT_EQ(rows(*problems().list()), QStringList{"monsters/Ghost | attacks[0].projectile | missing projectiles gone"});
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("1 problem"));
    EXPECT_TRUE(frame().is_marked(tag_item(monsters, "Ghost")));
    EXPECT_FALSE(frame().is_marked(tag_item(monsters, "Dwarf")));

    select(tag_item(projectiles, "Arrow"));
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::delete_tag);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text,
              QStringLiteral("Are you sure you want to delete 'Arrow'?\n\n"
                             "'Arrow' is used by 1 tag: monsters/Dwarf (attacks[0].projectile)."));
    EXPECT_TRUE(services.messages()[0].destructive);
    EXPECT_EQ(tag_named(projectiles, "Arrow"), NONE);
    EXPECT_EQ(rows(*problems().list()).size(), 2);
    EXPECT_TRUE(rows(*problems().list()).contains(QStringLiteral("monsters/Dwarf | attacks[0].projectile | missing projectiles arro")))
        << rows(*problems().list()).join('\n').toStdString();
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("2 problems"));
    EXPECT_TRUE(frame().is_marked(tag_item(monsters, "Dwarf")));
}

TEST_F(ReferencesPanelsTest, ThePluginOptionChecksTheTagsTheChosenOnesUse) {
    when_shown<CCreatePluginDlg>([this](CCreatePluginDlg& dialog) {
        auto* list = dialog.control_as<QListWidget>(CCreatePluginDlg::tag_list_control);
        const auto entry = [list](const QString& text) { return list->findItems(text, Qt::MatchExactly).value(0); };
        ASSERT_NE(entry(QStringLiteral("MONS.Dwarf")), nullptr);
        entry(QStringLiteral("MONS.Dwarf"))->setCheckState(Qt::Checked);
        EXPECT_EQ(entry(QStringLiteral("PROJ.Arrow"))->checkState(), Qt::Unchecked);
        dialog.control_as<QCheckBox>(CCreatePluginDlg::used_tags_control)->setChecked(true);
        EXPECT_EQ(entry(QStringLiteral("PROJ.Arrow"))->checkState(), Qt::Checked);
        EXPECT_EQ(entry(QStringLiteral("PRGR.Volley"))->checkState(), Qt::Checked);
        EXPECT_EQ(entry(QStringLiteral("MONS.Ghost"))->checkState(), Qt::Unchecked);
        dialog.reject();
    });
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
}

}  // namespace
}  // namespace editor_test
