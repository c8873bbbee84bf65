#include "commands_fixture.h"

#include "definitions/group_registry.h"
#include "editor/commands/import_font_dialog.h"
#include "editor/commands/new_tag_hooks.h"
#include "editor/commands/new_tag_name_dialog.h"
#include "editor/commands/new_tag_type_dialog.h"
#include "editor/frame_commands.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <fcntl.h>
#include <unistd.h>

namespace editor_test {
namespace {

QStringList entry_texts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts.append(list->item(row)->text());
    return texts;
}

QListWidgetItem* entry_named(const QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

// Types `name` into the name dialog and presses Save.
std::function<void(CNewTagNameDlg&)> enter_name(const QString& name) {
    return [name](CNewTagNameDlg& dialog) {
        dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control)->setText(name);
        press_ok(dialog);
    };
}

class NewTagTest : public CommandsTest {};

TEST_F(NewTagTest, TypeListOffersGroupsWithAFormSortedAndNamesTheChoice) {
    frame();
    when_shown<CNewTagTypeDlg>([](CNewTagTypeDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Tag"));
        const auto* list = dialog.control_as<QListWidget>(CNewTagTypeDlg::group_list_control);
        ASSERT_NE(list, nullptr);
        // Only the groups with a form, `.256` and `mode` not among them, the three text
        // groups as entries of their own; fonts through their import.
        EXPECT_EQ(entry_texts(list),
                  (QStringList{"ambient sounds", "artifacts", "collection references", "connectors", "fonts",
                               "formations", "interface", "lightning", "local physics", "local projectile groups",
                               "media types", "mesh effect", "mesh lighting", "meshes", "model animations",
                               "monsters", "objects", "observer constants", "particle systems", "projectile groups",
                               "projectiles", "scenery", "sound lists", "sounds", "string lists", "templates", "text", "units",
                               "wind"}));
        EXPECT_TRUE(entry_named(list, "fonts")->flags() & Qt::ItemIsEnabled);
        EXPECT_TRUE(list->selectedItems().isEmpty());
        const auto* create = dialog.control_as<QPushButton>(control_id_ok);
        EXPECT_EQ(create->text(), QStringLiteral("Create..."));
        EXPECT_FALSE(create->isEnabled());
        EXPECT_TRUE(create->isDefault());

        entry_named(list, "sounds")->setSelected(true);
        EXPECT_EQ(create->text(), QStringLiteral("Create sounds..."));
        EXPECT_TRUE(create->isEnabled());
        dialog.reject();
    });
    frame().run_command(command_id::new_tag);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
}

TEST_F(NewTagTest, TypeListPreselectsTheSelectedItemsGroupAndCreatesInTheChosenOne) {
    create_default_tag(monsters, "Dwarf Lord");
    select(tag_item(monsters, "Dwarf Lord"));
    when_shown<CNewTagTypeDlg>([](CNewTagTypeDlg& dialog) {
        const auto* list = dialog.control_as<QListWidget>(CNewTagTypeDlg::group_list_control);
        ASSERT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->selectedItems().front()->text(), QStringLiteral("monsters"));
        EXPECT_EQ(dialog.control_as<QPushButton>(control_id_ok)->text(), QStringLiteral("Create monsters..."));
        entry_named(list, "ambient sounds")->setSelected(true);
        press_ok(dialog);
        EXPECT_EQ(dialog.chosen_group(), ambient_sounds);
    });
    when_shown<CNewTagNameDlg>(enter_name("wind howl"));
    expect_form_opened();
    frame().run_command(command_id::new_tag);
    EXPECT_NE(tag_find(ambient_sounds, subgroup_from_name("wind howl")), NONE);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
}

// New gives the tag the group's default record in file order, the user data
// computed from it and the group's version, rebuilds the branch and opens it.
// Groups without a default record get an empty tag.
TEST_F(NewTagTest, NewWritesTheDefaultRecordAndOpensTheTag) {
    create_default_tag(string_lists, "already here");
    for (const tag_code group : {sounds, ambient_sounds, collection_references, string_lists, meshes}) {
        SCOPED_TRACE(tag_code_to_text(group));
        select(group_item(group));
        when_shown<CNewTagNameDlg>([group](CNewTagNameDlg& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("New Tag"));
            EXPECT_EQ(control_text(dialog, CNewTagNameDlg::name_control), QStringLiteral("new tag"));
            EXPECT_EQ(control_text(dialog, control_id_ok), QStringLiteral("Save"));
            const auto* names = dialog.control_as<QListWidget>(CNewTagNameDlg::existing_names_control);
            EXPECT_EQ(names->selectionMode(), QAbstractItemView::NoSelection);
            EXPECT_EQ(entry_texts(names), group == string_lists ? QStringList{"already here"} : QStringList{});
            enter_name("Fresh One")(dialog);
        });
        expect_form_opened();
        frame().run_command(command_id::new_in_group);

        const tag_handle created = tag_named(group, "Fresh One");
        ASSERT_NE(created, NONE);
        EXPECT_STREQ(tag_get_name(created), "Fresh One");
        EXPECT_EQ(tag_get_version(created), tag_group_get_version(group));
        EXPECT_EQ(tag_data(group, tag_get_subgroup(created)), definitions::default_record_in_file_order(group));
        const auto user_data = definitions::get_user_data_function(group);
        const uint32_t expected_user_data =
            user_data ? static_cast<uint32_t>(user_data(definitions::get_default_definition(group))) : 0u;
        EXPECT_EQ(tag_get_user_data(created), expected_user_data);

        EXPECT_TRUE(tag_texts(group).contains("Fresh One"));
        ASSERT_FALSE(opened_forms().empty());
        EXPECT_EQ(opened_forms().back(), tag_get_subgroup(created));
        EXPECT_EQ(frame().selected_item(), tag_item(group, "Fresh One"));
    }
    EXPECT_EQ(opened_forms().size(), 5u);
    EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
}

// The dialog opens ready for typing: the proposed name selected in the name
// box, so that what the user types replaces it and Enter saves.
TEST_F(NewTagTest, TypingReplacesTheProposedNameInNewAndDuplicate) {
    create_default_tag(sounds, "thunder");
    const auto type_kilo = [](const QString& proposed, const QString& typed) {
        return [proposed, typed](CNewTagNameDlg& dialog) {
            auto* edit = dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control);
            ASSERT_EQ(dialog.focusWidget(), edit);
            EXPECT_EQ(edit->selectedText(), proposed);
            QTest::keyClicks(dialog.focusWidget(), typed);
            QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        };
    };
    select(group_item(sounds));
    when_shown<CNewTagNameDlg>(type_kilo(QStringLiteral("new tag"), QStringLiteral("Kilo")));
    expect_form_opened();
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(tag_texts(sounds), (QStringList{"Kilo", "thunder"}));

    select(tag_item(sounds, "thunder"));
    when_shown<CNewTagNameDlg>(type_kilo(QStringLiteral("thunder copy"), QStringLiteral("Lima")));
    expect_form_opened();
    frame().run_command(command_id::duplicate);
    EXPECT_EQ(tag_texts(sounds), (QStringList{"Kilo", "Lima", "thunder"}));
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
}

TEST_F(NewTagTest, ExistingNameAsksAndNoKeepsTheDialogOpen) {
    std::vector<std::byte> data = definitions::default_record_in_file_order(sounds);
    data[0] = std::byte{0x5A};
    const tag_code subgroup = tag_get_subgroup(create_tag(sounds, "Dwarf Lord", data, 1));
    select(group_item(sounds));
    services.queue_answer(platform::Answer::no);
    services.queue_answer(platform::Answer::yes);
    when_shown<CNewTagNameDlg>([&](CNewTagNameDlg& dialog) {
        enter_name("dwarf lord")(dialog);
        ASSERT_EQ(services.messages().size(), 1u);
        const platform::MessageRequest& question = services.messages()[0];
        EXPECT_EQ(question.text, QStringLiteral("Replace existing \"dwarf lord\"?"));
        EXPECT_EQ(question.caption, QStringLiteral("Tag exists"));
        EXPECT_EQ(question.buttons, platform::Buttons::yes_no);
        EXPECT_EQ(question.icon, platform::Icon::stop);
        EXPECT_TRUE(question.destructive);
        // No: still open, nothing created or replaced.
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), NONE);
        EXPECT_EQ(tag_data(sounds, subgroup), data);

        press_ok(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_NE(dialog.result(), NONE);
    });
    expect_form_opened();
    frame().run_command(command_id::new_in_group);

    // The replacement keeps the subgroup and holds the default record.
    EXPECT_EQ(tag_count_of_group(sounds), 1);
    const tag_handle replaced = tag_find(sounds, subgroup);
    EXPECT_STREQ(tag_get_name(replaced), "dwarf lord");
    EXPECT_EQ(tag_data(sounds, subgroup), definitions::default_record_in_file_order(sounds));
    EXPECT_EQ(tag_texts(sounds), QStringList{"dwarf lord"});
}

// Cancel and an empty name create nothing; a name the directory changes is
// created but not opened, since the tree does not hold the name as typed.
// A name that must change to be a file name is shown changed before it is taken;
// the tag made is opened. No name at all, or a character no tag name can hold,
// is refused and leaves nothing behind.
TEST_F(NewTagTest, NameIsShownAsTheTagWillBeCalledBeforeItIsTaken) {
    struct Case {
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"../odd/na:me*?\"<>|", ".._odd_na_me______"}, Case{"trailing. ", "trailing"}}) {
        SCOPED_TRACE(c.typed);
        select(group_item(sounds));
        services.clear_messages();
        when_shown<CNewTagNameDlg>([&c, this](CNewTagNameDlg& dialog) {
            enter_name(QString::fromUtf8(c.typed))(dialog);
            EXPECT_EQ(dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control)->text(), c.shown);
            EXPECT_EQ(services.message_texts(),
                      QStringList{QStringLiteral("The name was changed to \"%1\" to be a valid file name.").arg(c.shown)});
            press_ok(dialog);
        });
        expect_form_opened();
        frame().run_command(command_id::new_in_group);
        EXPECT_NE(tag_named(sounds, c.shown), NONE);
        EXPECT_EQ(opened_forms().back(), tag_get_subgroup(tag_named(sounds, c.shown)));
    }

    const struct {
        const char* typed;
        const char* message;
    } refused[] = {{"", "Please enter a name."},
                   {" . ", "Please enter a name."},
                   {"Ā-bomb", "The character U+0100 'Ā' cannot be part of a tag name."}};
    for (const auto& r : refused) {
        services.clear_messages();
        when_shown<CNewTagNameDlg>([&r](CNewTagNameDlg& dialog) {
            enter_name(QString::fromUtf8(r.typed))(dialog);
            EXPECT_TRUE(dialog.isVisible()) << r.typed;
            dialog.reject();
        });
        frame().run_command(command_id::new_in_group);
        EXPECT_EQ(services.message_texts(), QStringList{QString::fromUtf8(r.message)}) << r.typed;
    }
    EXPECT_EQ(tag_count_of_group(sounds), 2);
    EXPECT_EQ(services.pending_dialog_scripts(), 0);
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

TEST_F(NewTagTest, WriteFailureIsReportedAndTheTagIsNotOpened) {
    select(group_item(sounds));
    int holder = -1;
    when_shown<CNewTagNameDlg>([&](CNewTagNameDlg& dialog) {
        enter_name("held")(dialog);
        // Another holder of the new tag's file makes the first write fail.
        holder = open((folder.path() / "local" / "sounds" / "held").c_str(), O_RDONLY);
        ASSERT_GE(holder, 0);
        struct flock lock {};
        lock.l_type = F_RDLCK;
        lock.l_whence = SEEK_SET;
        ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &lock), 0);
    });
    frame().run_command(command_id::new_in_group);
    close(holder);
    EXPECT_EQ(services.message_texts(), QStringList{QStringLiteral("Error writing tag file!")});
    EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Tessary"));
    EXPECT_EQ(tag_texts(sounds), QStringList{"held"});
    EXPECT_TRUE(opened_forms().empty());
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

TEST_F(NewTagTest, FontsAreMadeOnlyByTheFontImport) {
    select(group_item(fonts));
    frame().update_command_states();
    EXPECT_TRUE(frame().command_action(command_id::new_in_group)->isEnabled()) << "the font import is registered";
    EXPECT_EQ(frame().command_action(command_id::new_in_group)->text(), QStringLiteral("N&ew \"fonts\" tag"));
    when_shown<CImportFontDlg>([](CImportFontDlg& dialog) { dialog.reject(); });
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(services.unscripted_dialogs(), 0) << "the import dialog, not the name dialog";
    EXPECT_EQ(tag_count_of_group(fonts), 0);

    int imports = 0;
    const NewTagHookRegistration import(NewTagHook::font_import, [&](CQuilletFrameWnd&) { ++imports; });
    frame().update_command_states();
    EXPECT_TRUE(frame().command_action(command_id::new_in_group)->isEnabled());
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(imports, 1);
    EXPECT_EQ(services.unscripted_dialogs(), 0);
    EXPECT_EQ(tag_count_of_group(fonts), 0);

    when_shown<CNewTagTypeDlg>([](CNewTagTypeDlg& dialog) {
        const auto* list = dialog.control_as<QListWidget>(CNewTagTypeDlg::group_list_control);
        EXPECT_TRUE(entry_named(list, "fonts")->flags() & Qt::ItemIsEnabled);
        ASSERT_EQ(list->selectedItems().size(), 1);
        press_ok(dialog);
    });
    frame().run_command(command_id::new_tag);
    EXPECT_EQ(imports, 2);
}

TEST_F(NewTagTest, MardenMonsterStartsTheHiddenGameAndStaysEmpty) {
    int games = 0;
    const NewTagHookRegistration game(NewTagHook::hidden_game, [&](CQuilletFrameWnd&) { ++games; });
    select(group_item(monsters));
    when_shown<CNewTagNameDlg>(enter_name("MarDen"));
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(games, 1);
    const tag_handle created = tag_find(monsters, subgroup_from_name("MarDen"));
    ASSERT_NE(created, NONE);
    EXPECT_EQ(tag_get_size(created), 0);
    EXPECT_EQ(group_item(monsters)->text(0), QStringLiteral("monsters (0)"));

    // Any other monster name is an ordinary new tag.
    when_shown<CNewTagNameDlg>(enter_name("marden two"));
    expect_form_opened();
    frame().run_command(command_id::new_in_group);
    EXPECT_EQ(games, 1);
    EXPECT_EQ(tag_get_size(tag_find(monsters, subgroup_from_name("marden two"))),
              static_cast<int32_t>(definitions::get_definition_size(monsters)));
}

}  // namespace
}  // namespace editor_test
