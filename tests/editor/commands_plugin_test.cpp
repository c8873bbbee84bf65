#include "commands_fixture.h"

#include "core/warnings.h"
#include "editor/commands/create_plugin_dialog.h"
#include "editor/frame_commands.h"
#include "tag_files/monolithic_records.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace editor_test {
namespace {

using Dialog = CCreatePluginDlg;

QStringList entry_texts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts;
}

std::vector<bool> checks(const QListWidget* list) {
    std::vector<bool> checked;
    for (int row = 0; row < list->count(); ++row) checked.push_back(list->item(row)->checkState() == Qt::Checked);
    return checked;
}

void check(Dialog& dialog, const QString& text) {
    const auto items = dialog.control_as<QListWidget>(Dialog::tag_list_control)->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    items.front()->setCheckState(Qt::Checked);
}

void click(Dialog& dialog, int id) { dialog.control_as<QPushButton>(id)->click(); }

std::vector<std::string>* warnings = nullptr;
int note_warning(const char* text) {
    if (warnings) warnings->push_back(text);
    return warning_button_ok;
}

class PluginTest : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        warnings = &shown_warnings;
        set_warning_hook(&note_warning);
    }
    void TearDown() override {
        set_warning_hook(nullptr);
        warnings = nullptr;
        CommandsTest::TearDown();
    }

    tag_handle create_icon() { return create_tag(collections, "##p#", {std::byte{1}}, tag_group_get_version(collections)); }

    // The names of the tags the plugin holds, read back by loading it.
    std::vector<std::string> plugin_tags(const std::string& name) {
        tag_files_close();
        // Without them the local tags would hide the plugin's.
        std::filesystem::remove_all(folder.path() / "local");
        tag_files_initialize();
        std::vector<plugin_info> infos(static_cast<size_t>(get_plugin_list(nullptr)));
        get_plugin_list(infos.data());
        int16_t index = NONE;
        for (size_t i = 0; i < infos.size(); ++i) {
            if (name == infos[i].name) index = static_cast<int16_t>(i);
        }
        EXPECT_NE(index, NONE) << name;
        EXPECT_TRUE(tag_files_open(false, &index, 1, NONE));
        tag_info query;
        tag_query_initialize(&query);
        query.file_type = tag_file_type_plugin;
        std::vector<tag_handle> handles(tag_header_capacity);
        const int32_t count = tag_query(&query, handles.data(), static_cast<int32_t>(handles.size()));
        std::vector<std::string> names;
        for (int32_t i = 0; i < count; ++i) names.emplace_back(tag_get_name(handles[static_cast<size_t>(i)]));
        return names;
    }

    std::vector<std::string> shown_warnings;
};

TEST_F(PluginTest, ListHoldsTheLocalTagsInSlotOrderWithoutSavedGamesPreferencesAndRecordings) {
    create_default_tag(monsters, "Packaged");
    make_monolithic(monsters, "Packaged");
    create_default_tag(monsters, "Zebra");
    create_tag(make_tag("save"), "saved", {}, 1);
    create_default_tag(sounds, "arrow");
    create_tag(make_tag("pref"), "settings", {}, 1);
    create_tag(make_tag("reco"), "replay", {}, 1);
    create_default_tag(monsters, "alpha");
    when_shown<Dialog>([](Dialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Create a plugin"));
        const auto* list = dialog.control_as<QListWidget>(Dialog::tag_list_control);
        EXPECT_EQ(entry_texts(list), (QStringList{"MONS.Zebra", "SOUN.arrow", "MONS.alpha"}));
        EXPECT_EQ(checks(list), std::vector<bool>(3, false));
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::NoSelection);
        EXPECT_EQ(control_text(dialog, Dialog::name_control), QStringLiteral("Plugin"));
        EXPECT_EQ(control_text(dialog, Dialog::url_control), QString());
        EXPECT_EQ(dialog.control_as<QLineEdit>(Dialog::name_control)->maxLength(), 255);
        EXPECT_EQ(control_text(dialog, Dialog::icon_text_control), QStringLiteral("<none>"));
        EXPECT_FALSE(dialog.control(Dialog::remove_icon_control)->isEnabled());
        for (const int id : {Dialog::reverse_order_control, Dialog::compatible_control, Dialog::reliant_control,
                             Dialog::meshes_last_control}) {
            EXPECT_FALSE(dialog.control_as<QCheckBox>(id)->isChecked()) << id;
        }
        dialog.reject();
    });
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plugins" / "Plugin"));
}

TEST_F(PluginTest, AllNoneAndInvertSetTheChecks) {
    for (const char* name : {"one", "two", "three"}) create_default_tag(monsters, name);
    when_shown<Dialog>([](Dialog& dialog) {
        const auto* list = dialog.control_as<QListWidget>(Dialog::tag_list_control);
        check(dialog, "MONS.two");
        click(dialog, Dialog::invert_control);
        EXPECT_EQ(checks(list), (std::vector<bool>{true, false, true}));
        click(dialog, Dialog::all_control);
        EXPECT_EQ(checks(list), (std::vector<bool>{true, true, true}));
        click(dialog, Dialog::none_control);
        EXPECT_EQ(checks(list), (std::vector<bool>{false, false, false}));
        dialog.reject();
    });
    frame().run_command(command_id::build_plugin);
}

TEST_F(PluginTest, FlagsFollowTheOptionsThatApply) {
    const struct Case {
        bool meshes, a, b, c, d;
        uint16_t flags;
    } cases[] = {
        {false, false, false, false, false, 0xFFFF}, {false, true, false, false, false, 1},
        {false, false, true, true, true, 0xFFFF},   {false, true, true, true, true, 1},
        {true, false, false, false, false, 0xFFFF}, {true, true, false, false, false, 0xFFFF},
        {true, false, true, false, false, 2},       {true, false, false, true, false, 4},
        {true, false, false, false, true, 8},       {true, false, true, true, false, 6},
        {true, false, false, true, true, 12},       {true, true, true, true, true, 14},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<uint16_t>(plugin_flags_for(c.meshes, c.a, c.b, c.c, c.d)), c.flags)
            << c.meshes << c.a << c.b << c.c << c.d;
    }
}

TEST_F(PluginTest, MeshTagsMakeOptionsBToDCountInTheBuiltPlugin) {
    create_tag(meshes, "island", std::vector<std::byte>(1024), tag_group_get_version(meshes));
    create_default_tag(monsters, "ogre");
    when_shown<Dialog>([](Dialog& dialog) {
        check(dialog, "MESH.island");
        check(dialog, "MONS.ogre");
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Islands"));
        dialog.control_as<QLineEdit>(Dialog::url_control)->setText(QStringLiteral("example.org/islands"));
        dialog.control_as<QCheckBox>(Dialog::reverse_order_control)->setChecked(true);
        dialog.control_as<QCheckBox>(Dialog::reliant_control)->setChecked(true);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.plugin_flags(), 4);
        EXPECT_EQ(dialog.plugin_url(), "example.org/islands");
    });
    frame().run_command(command_id::build_plugin);
    const std::string file = folder.read_file("plugins/Islands");
    ASSERT_GE(file.size(), 128u);
    EXPECT_EQ(static_cast<unsigned char>(file[2]) << 8 | static_cast<unsigned char>(file[3]), 4);
    QProcess verify;
    verify.start(QStringLiteral(TESSARY_CLI),
                 {QStringLiteral("-C"), QString::fromStdString(folder.path().string()), QStringLiteral("verify"),
                  QStringLiteral("plugins/Islands")});
    ASSERT_TRUE(verify.waitForFinished(60000));
    EXPECT_EQ(verify.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(verify.exitCode(), 0) << verify.readAllStandardOutput().toStdString()
                                    << verify.readAllStandardError().toStdString();
    EXPECT_EQ(plugin_tags("Islands"), (std::vector<std::string>{"island", "ogre"}));
    EXPECT_TRUE(shown_warnings.empty());
}

TEST_F(PluginTest, TheIconGoesInOnceAndLastWhenNotChosen) {
    create_default_tag(monsters, "ogre");
    create_icon();
    create_default_tag(monsters, "troll");
    when_shown<Dialog>([](Dialog& dialog) {
        EXPECT_EQ(control_text(dialog, Dialog::icon_text_control), QStringLiteral("##p#"));
        EXPECT_TRUE(dialog.control(Dialog::remove_icon_control)->isEnabled());
        check(dialog, "MONS.troll");
        check(dialog, "MONS.ogre");
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Giants"));
        dialog.accept();
        ASSERT_EQ(dialog.chosen_tags().size(), 4u);
        EXPECT_STREQ(tag_get_name(dialog.chosen_tags()[0]), "ogre");
        EXPECT_STREQ(tag_get_name(dialog.chosen_tags()[1]), "troll");
        EXPECT_STREQ(tag_get_name(dialog.chosen_tags()[2]), "##p#");
        EXPECT_EQ(dialog.chosen_tags()[3], 0);
        EXPECT_EQ(dialog.plugin_flags(), -1);
    });
    when_shown<Dialog>([](Dialog& dialog) {
        check(dialog, ".256.##p#");
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Icon only"));
        dialog.accept();
        ASSERT_EQ(dialog.chosen_tags().size(), 2u);
    });
    frame().run_command(command_id::build_plugin);
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(plugin_tags("Icon only"), std::vector<std::string>{"##p#"});
}

TEST_F(PluginTest, RemoveDeletesTheIconTag) {
    create_icon();
    when_shown<Dialog>([](Dialog& dialog) {
        click(dialog, Dialog::remove_icon_control);
        EXPECT_EQ(control_text(dialog, Dialog::icon_text_control), QStringLiteral("<none>"));
        EXPECT_FALSE(dialog.control(Dialog::remove_icon_control)->isEnabled());
        dialog.reject();
    });
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(tag_find(collections, tag_code_from_text("##p#")), NONE);
}

TEST_F(PluginTest, NothingCheckedOrAnOverwriteDeclinedKeepsTheDialog) {
    create_default_tag(monsters, "ogre");
    ASSERT_TRUE(build_plugin("Existing", "", false, -1, nullptr, nullptr));
    const std::string before = folder.read_file("plugins/Existing");
    when_shown<Dialog>([this](Dialog& dialog) {
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(services.messages().size(), 1u);
        EXPECT_EQ(services.messages()[0].text, QStringLiteral("No tags selected for plugin!"));
        EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(services.messages()[0].icon, platform::Icon::stop);

        // A plugin built earlier in this run (not known at start-up) is asked about too.
        check(dialog, "MONS.ogre");
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Existing"));
        services.clear_messages();
        services.queue_answer(platform::Answer::no);
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(services.messages().size(), 1u);
        EXPECT_EQ(services.messages()[0].text,
                  QStringLiteral("A plugin named Existing already exists. Do you want to overwrite it?"));
        EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Warning"));
        EXPECT_EQ(services.messages()[0].buttons, platform::Buttons::yes_no);
        EXPECT_EQ(services.messages()[0].icon, platform::Icon::exclamation);

        // Names compare exactly.
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("existing"));
        services.clear_messages();
        dialog.accept();
        EXPECT_TRUE(services.messages().empty());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(folder.read_file("plugins/Existing"), before);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plugins" / "existing"));
}

TEST_F(PluginTest, ALongNameIsCutTo31CharactersAndAskedAboutAsTheFileWritten) {
    create_default_tag(monsters, "ogre");
    const QString name = QStringLiteral("A plugin name of forty characters long!!");
    ASSERT_EQ(name.size(), 40);
    for (int run = 0; run < 2; ++run) {
        when_shown<Dialog>([&](Dialog& dialog) {
            check(dialog, "MONS.ogre");
            dialog.control_as<QLineEdit>(Dialog::name_control)->setText(name);
            services.clear_messages();
            services.queue_answer(platform::Answer::yes);
            dialog.accept();
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(services.messages().size(), run == 0 ? 0u : 1u);
        });
        frame().run_command(command_id::build_plugin);
    }
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plugins" / "A plugin name of forty characte"));
    EXPECT_EQ(std::string("A plugin name of forty characte").size(), 31u);
}

TEST_F(PluginTest, AFailedBuildWarnsAndLeavesWhatWasThere) {
    create_default_tag(monsters, "ogre");
    std::filesystem::create_directories(folder.path() / "plugins" / "Blocked" / "kept");
    when_shown<Dialog>([](Dialog& dialog) {
        check(dialog, "MONS.ogre");
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Blocked"));
        dialog.accept();
    });
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(shown_warnings, std::vector<std::string>{"Plug-in file build failed!"});
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plugins" / "Blocked" / "kept"));
}

TEST_F(PluginTest, FoundationRebuildAsksFirstAndReportsAFailedFile) {
    tag_handle handle = create_default_tag(monsters, "ogre");
    ASSERT_TRUE(tag_set_destination(handle, 1));
    tag_file_close_local();
    const auto tags = folder.path() / "tags";
    services.queue_answer(platform::Answer::no);
    frame().run_command(command_id::rebuild_foundation_files);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text,
              QStringLiteral("Are you sure you want to build monolithic files?\n\nThis could take a metric "
                             "buttload of time and disk space!"));
    EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(services.messages()[0].buttons, platform::Buttons::yes_no);
    EXPECT_EQ(services.messages()[0].icon, platform::Icon::exclamation);
    for (const char* name : foundation_file_names) EXPECT_FALSE(std::filesystem::exists(tags / name)) << name;

    // The third file cannot be replaced: the other four are written, and what
    // stands in its place is left as it was.
    std::filesystem::create_directories(tags / foundation_file_names[2] / "kept");
    services.clear_messages();
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::rebuild_foundation_files);
    for (int destination = 0; destination < foundation_file_count; ++destination) {
        EXPECT_EQ(std::filesystem::is_regular_file(tags / foundation_file_names[destination]), destination != 2)
            << foundation_file_names[destination];
    }
    EXPECT_TRUE(std::filesystem::exists(tags / foundation_file_names[2] / "kept"));
    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[1].text,
              QStringLiteral("An error occured building the monolithic file.\nThe most likely cause is that the "
                             "files are in use or write-protected.\n"));
    EXPECT_EQ(services.messages()[1].caption, QStringLiteral("Error"));
    EXPECT_EQ(services.messages()[1].icon, platform::Icon::stop);
    EXPECT_EQ(services.wait_cursor_uses(), 1);
    EXPECT_EQ(services.wait_cursor_depth(), 0);
}

std::vector<std::pair<int, int>> steps_of(const platform::ScriptedServices& services) {
    std::vector<std::pair<int, int>> steps;
    for (const auto& step : services.progress_steps()) steps.emplace_back(step.done, step.total);
    return steps;
}

TEST_F(PluginTest, ProgressAdvancesPerTagWritten) {
    for (const char* name : {"ogre", "troll", "giant"}) create_default_tag(monsters, name);
    when_shown<Dialog>([](Dialog& dialog) {
        click(dialog, Dialog::all_control);
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Giants"));
        dialog.accept();
    });
    frame().run_command(command_id::build_plugin);
    EXPECT_EQ(services.progress_boxes(), QStringList{QStringLiteral("Building the plug-in file \"Giants\"...")});
    EXPECT_EQ(steps_of(services), (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    ASSERT_FALSE(services.progress_steps().empty());
    EXPECT_EQ(services.progress_steps()[1].text, QStringLiteral("Writing \"Giants\": tag 2 of 3"));
    EXPECT_FALSE(services.progress_shown());

    // The foundation files: the tags of each destination, file by file.
    tag_handle handle = tag_named(monsters, "troll");
    ASSERT_TRUE(tag_set_destination(handle, 3));
    tag_file_close_local();
    const size_t before = services.progress_steps().size();
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::rebuild_foundation_files);
    EXPECT_EQ(services.progress_boxes().size(), 2u);
    std::vector<std::pair<int, int>> steps;
    QStringList texts;
    for (size_t i = before; i < services.progress_steps().size(); ++i) {
        steps.emplace_back(services.progress_steps()[i].done, services.progress_steps()[i].total);
        texts << services.progress_steps()[i].text;
    }
    // Destination 0 holds the other two (the default), 3 the troll.
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}, {0, 0}, {0, 0}, {0, 1}, {1, 1}, {0, 0}}));
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts[5], QStringLiteral("Writing \"%1\": tag 1 of 1").arg(QString::fromLatin1(foundation_file_names[3])));
    EXPECT_FALSE(services.progress_shown());
}

// TESSARY_FORM_PICTURES names a folder to write the dialog's picture to, as create_plugin.png.
TEST_F(PluginTest, DialogFitsAScreen) {
    for (const char* name : {"Dwarf Lord", "Dwarf Archer", "Ogre"}) create_default_tag(monsters, name);
    create_default_tag(sounds, "arrow hit");
    create_icon();
    when_shown<Dialog>([](Dialog& dialog) {
        check(dialog, "MONS.Dwarf Lord");
        check(dialog, "SOUN.arrow hit");
        dialog.control_as<QLineEdit>(Dialog::name_control)->setText(QStringLiteral("Dwarves"));
        dialog.control_as<QLineEdit>(Dialog::url_control)->setText(QStringLiteral("example.org/dwarves"));
        dialog.resize(dialog.sizeHint());
        const QImage picture = dialog.grab().toImage();
        EXPECT_LE(picture.width(), 1600);
        EXPECT_LE(picture.height(), 1000);
        if (const char* pictures = std::getenv("TESSARY_FORM_PICTURES")) {
            const QString path = QDir(QString::fromLocal8Bit(pictures)).filePath(QStringLiteral("create_plugin.png"));
            EXPECT_TRUE(picture.save(path)) << path.toStdString();
        }
        dialog.reject();
    });
    frame().run_command(command_id::build_plugin);
}

}  // namespace
}  // namespace editor_test
