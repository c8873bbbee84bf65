// Undo and Redo in the main window: each command that changes tags is one step
// named after it, Undo gives back the folder as it was and Redo as it became,
// the tree follows; a step that cannot be undone leaves the history as it was,
// the oldest steps go beyond the budget, and writing a plugin is no step.

#include "commands_fixture.h"

#include "editor/commands/new_tag_name_dialog.h"
#include "editor/commands/tag_info_dialog.h"
#include "editor/frame_commands.h"
#include "editor/undo_history.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <filesystem>
#include <functional>
#include <map>

namespace editor_test {
namespace {

namespace fs = std::filesystem;

class UndoTest : public CommandsTest {
protected:
    // Every file of the local folder, with its bytes.
    std::map<std::string, std::string> local_files() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path() / "local")) {
            if (!entry.is_regular_file()) continue;
            const std::string path = entry.path().lexically_relative(folder.path()).string();
            files[path] = folder.read_file(path);
        }
        return files;
    }
    QAction* edit_item(const QString& starting) {
        for (QAction* action : frame().edit_menu()->actions())
            if (action->text().startsWith(starting)) return action;
        return nullptr;
    }
    void name_the_new_tag(const QString& name) {
        when_shown<CNewTagNameDlg>([name](CNewTagNameDlg& dialog) {
            dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control)->setText(name);
            press_ok(dialog);
        });
    }
};

TEST_F(UndoTest, EachCommandIsOneStepThatUndoAndRedoTakeBackAndMakeAgain) {
    create_default_tag(sounds, "thunder");
    const struct Case {
        const char* step;
        std::function<void()> command;
    } cases[] = {
        {"Save sounds/thunder", [&] {
             when_shown<CTagDialog>([](CTagDialog& form) {
                 tag_handle handle = tag_named(sounds, "thunder");
                 ASSERT_TRUE(tag_replace_data(handle, "saved by the form", 17));
                 form.accept();
             });
             frame().run_command(command_id::open);
         }},
        {"New sounds/rain", [&] {
             name_the_new_tag(QStringLiteral("rain"));
             expect_form_opened();
             frame().run_command(command_id::new_in_group);
         }},
        {"Duplicate sounds/thunder copy", [&] {
             name_the_new_tag(QStringLiteral("thunder copy"));
             expect_form_opened();
             frame().run_command(command_id::duplicate);
         }},
        {"Delete sounds/thunder", [&] {
             services.queue_answer(platform::Answer::yes);
             frame().run_command(command_id::delete_tag);
         }},
        {"Change Info of sounds/storm", [&] {
             when_shown<CTagInfoDlg>([](CTagInfoDlg& dialog) {
                 dialog.control_as<QLineEdit>(CTagInfoDlg::name_control)->setText(QStringLiteral("storm"));
                 press_ok(dialog);
             });
             frame().run_command(command_id::get_info);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        select(tag_item(sounds, "thunder"));
        const auto before = local_files();
        const QStringList tree_before = tag_texts(sounds);
        c.command();
        EXPECT_EQ(services.pending_dialog_scripts(), 0);
        const auto after = local_files();
        const QStringList tree_after = tag_texts(sounds);
        ASSERT_NE(after, before);

        QAction* undo = edit_item(QStringLiteral("&Undo"));
        ASSERT_NE(undo, nullptr);
        EXPECT_EQ(undo->text(), QStringLiteral("&Undo ") + c.step);
        undo->trigger();
        EXPECT_EQ(local_files(), before);
        EXPECT_EQ(tag_texts(sounds), tree_before);
        QAction* redo = edit_item(QStringLiteral("&Redo"));
        EXPECT_EQ(redo->text(), QStringLiteral("&Redo ") + c.step);
        redo->trigger();
        EXPECT_EQ(local_files(), after);
        EXPECT_EQ(tag_texts(sounds), tree_after);
        undo->trigger();
        ASSERT_EQ(local_files(), before) << "each case starts from the same folder";
    }
    // Each new step dropped the undone one before it: only the last waits to be redone.
    EXPECT_EQ(frame().history().stack().count(), 1);
    EXPECT_FALSE(edit_item(QStringLiteral("&Undo"))->isEnabled());
    EXPECT_EQ(edit_item(QStringLiteral("&Redo"))->text(), QStringLiteral("&Redo Change Info of sounds/storm"));
}

TEST_F(UndoTest, AStepThatCannotBeUndoneLeavesTheHistoryWhereItWas) {
    create_default_tag(sounds, "thunder");
    UndoHistory history;
    QStringList failures;
    QObject::connect(&history, &UndoHistory::failed, [&](const QString& text) { failures << text; });
    history.record(QStringLiteral("Rename"), [] {
        tag_handle handle = tag_named(sounds, "thunder");
        ASSERT_TRUE(tag_rename(handle, "storm"));
    });
    // Outside the history another tag takes the old name.
    ASSERT_NE(tag_file_create(sounds, "thunder", 1), NONE);
    tag_file_close_local();
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(history.stack().index(), 1);
    EXPECT_EQ(history.stack().undoText(), QStringLiteral("Rename sounds/storm"));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith(QStringLiteral("Couldn't undo Rename sounds/storm: "))) << failures[0].toStdString();
    EXPECT_NE(tag_named(sounds, "storm"), NONE);
}

TEST_F(UndoTest, BeyondTheBudgetTheOldestStepsGoAndTheStatusBarSaysSoOnce) {
    create_default_tag(sounds, "thunder");
    // Each step below keeps 2 x 600 bytes.
    UndoHistory history(nullptr, 3000);
    QStringList remarks;
    QObject::connect(&history, &UndoHistory::remark, [&](const QString& text) { remarks << text; });
    for (const char marker : {'a', 'b', 'c', 'd'}) {
        history.record(QStringLiteral("Save"), [marker] {
            tag_handle handle = tag_named(sounds, "thunder");
            const std::string bytes(600, marker);
            ASSERT_TRUE(tag_replace_data(handle, bytes.data(), 600));
        });
    }
    EXPECT_EQ(history.stack().count(), 2);
    EXPECT_LE(history.bytes(), 3000u);
    EXPECT_EQ(remarks.size(), 1);
    // What is left goes back to the third save's bytes, and no further.
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(history.undo());
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(tag_data(sounds, subgroup_from_name("thunder")), std::vector<std::byte>(600, std::byte{'b'}));
}

TEST_F(UndoTest, RebuildingTheFoundationFilesIsNoStepAndTheEditMenuSaysSo) {
    create_default_tag(sounds, "thunder");
    select(tag_item(sounds, "thunder"));
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::delete_tag);
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::rebuild_foundation_files);
    QAction* said = edit_item(QStringLiteral("Can't Undo"));
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(said->text(), QStringLiteral("Can't Undo Rebuild Foundation Files"));
    EXPECT_TRUE(said->isVisible());
    EXPECT_FALSE(said->isEnabled());
    EXPECT_EQ(edit_item(QStringLiteral("&Undo"))->text(), QStringLiteral("&Undo Delete sounds/thunder"));
    edit_item(QStringLiteral("&Undo"))->trigger();
    EXPECT_NE(tag_named(sounds, "thunder"), NONE);
    EXPECT_EQ(edit_item(QStringLiteral("Can't Undo")), nullptr) << "the line goes with the next undo";
}

}  // namespace
}  // namespace editor_test
