#include "commands_fixture.h"

#include "definitions/group_registry.h"
#include "editor/commands/tag_info_dialog.h"
#include "editor/frame_commands.h"
#include "editor/tree_images.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <filesystem>

namespace editor_test {
namespace {

class DeleteTest : public CommandsTest {};

TEST_F(DeleteTest, AsksAndDeletesOnlyOnYes) {
    create_default_tag(sounds, "thunder");
    select(tag_item(sounds, "thunder"));
    services.queue_answer(platform::Answer::no);
    frame().run_command(command_id::delete_tag);
    ASSERT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(services.messages()[0].text, QStringLiteral("Are you sure you want to delete 'thunder'?"));
    EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Deleting"));
    EXPECT_EQ(services.messages()[0].buttons, platform::Buttons::yes_no);
    EXPECT_TRUE(services.messages()[0].destructive);
    EXPECT_NE(tag_find(sounds, subgroup_from_name("thunder")), NONE);
    EXPECT_EQ(frame().selected_item(), tag_item(sounds, "thunder"));

    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::delete_tag);
    EXPECT_EQ(tag_find(sounds, subgroup_from_name("thunder")), NONE);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "local" / "sounds" / "thunder"));
    QTreeWidgetItem* group = group_item(sounds);
    EXPECT_EQ(group->text(0), QStringLiteral("sounds (0)"));
    EXPECT_EQ(group->childCount(), 0);
    EXPECT_TRUE(group->isExpanded());
    const QTreeWidgetItem* selected = frame().selected_item();
    EXPECT_TRUE(!selected || CQuilletFrameWnd::is_group_item(selected));
}

TEST_F(DeleteTest, DisabledForGroupsAndMonolithicTags) {
    create_default_tag(sounds, "packaged");
    create_default_tag(sounds, "local one");
    make_monolithic(sounds, "packaged");
    select(tag_item(sounds, "packaged"));
    EXPECT_EQ(CQuilletFrameWnd::item_image(tag_item(sounds, "packaged")), tree_image_packaged_tag);
    frame().update_command_states();
    QAction* delete_item = frame().command_action(command_id::delete_tag);
    EXPECT_FALSE(delete_item->isEnabled());
    delete_item->trigger();
    EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
    EXPECT_NE(tag_find(sounds, subgroup_from_name("packaged")), NONE);

    // Sent as a command message all the same, the directory refuses and the branch is rebuilt.
    services.queue_answer(platform::Answer::yes);
    frame().run_command(command_id::delete_tag);
    EXPECT_EQ(services.messages().size(), 1u);
    EXPECT_EQ(tag_get_file_type(tag_find(sounds, subgroup_from_name("packaged"))), 3);
    EXPECT_EQ(tag_texts(sounds), (QStringList{"local one", "packaged"}));

    select(group_item(sounds));
    EXPECT_FALSE(frame().command_enabled(command_id::delete_tag));
    select(tag_item(sounds, "local one"));
    EXPECT_TRUE(frame().command_enabled(command_id::delete_tag));
}

class GetInfoTest : public CommandsTest {
protected:
    // Runs Get Info on the selected tag with `script`.
    void get_info(std::function<void(CTagInfoDlg&)> script) {
        when_shown<CTagInfoDlg>(std::move(script));
        frame().run_command(command_id::get_info);
        EXPECT_EQ(services.pending_dialog_scripts(), 0);
    }
    static QLineEdit* name_edit(CTagInfoDlg& dialog) {
        return dialog.control_as<QLineEdit>(CTagInfoDlg::name_control);
    }
    static QComboBox* destinations(CTagInfoDlg& dialog) {
        return dialog.control_as<QComboBox>(CTagInfoDlg::destination_control);
    }
};

TEST_F(GetInfoTest, ShowsTheHeader) {
    create_tag(sounds, "Dwarf Lord", std::vector<std::byte>(100), -3);
    select(tag_item(sounds, "Dwarf Lord"));
    get_info([](CTagInfoDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tag Info"));
        EXPECT_EQ(control_text(dialog, CTagInfoDlg::group_text_control), QStringLiteral("sounds (soun)"));
        EXPECT_EQ(control_text(dialog, CTagInfoDlg::subgroup_text_control), QStringLiteral("(dwlo)"));
        EXPECT_EQ(control_text(dialog, CTagInfoDlg::size_text_control), QStringLiteral("100 bytes"));
        EXPECT_EQ(control_text(dialog, CTagInfoDlg::version_text_control), QStringLiteral("-3"));
        EXPECT_EQ(name_edit(dialog)->text(), QStringLiteral("Dwarf Lord"));
        QStringList entries;
        for (int index = 0; index < destinations(dialog)->count(); ++index) {
            entries.append(destinations(dialog)->itemText(index));
        }
        EXPECT_EQ(entries, (QStringList{"Small Install", "Medium Install", "Large Install", "Small Interface",
                                        "Large Interface"}));
        EXPECT_EQ(destinations(dialog)->currentIndex(), tag_get_destination(tag_find(sounds, make_tag("dwlo"))));
        dialog.reject();
    });
}

TEST_F(GetInfoTest, NameBoxShowsThirtyOneCharacters) {
    const std::string longest = "Mighty Warrior of the Mountains";
    ASSERT_EQ(longest.size(), 31u);
    create_default_tag(sounds, longest);
    select(tag_item(sounds, QString::fromStdString(longest)));
    get_info([](CTagInfoDlg& dialog) {
        dialog.adjustSize();
        const QLineEdit* edit = name_edit(dialog);
        // The text margins of the box and its frame are not room for text.
        EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()) + 8, edit->width());
        dialog.reject();
    });
}

TEST_F(GetInfoTest, RenamesAndChangesTheDestination) {
    create_default_tag(sounds, "thunder");
    create_default_tag(sounds, "rain");
    const tag_code subgroup = subgroup_from_name("thunder");
    select(tag_item(sounds, "thunder"));
    get_info([](CTagInfoDlg& dialog) {
        name_edit(dialog)->setText(QStringLiteral("lightning"));
        destinations(dialog)->setCurrentIndex(3);
        press_ok(dialog);
    });
    const tag_handle renamed = tag_find(sounds, subgroup);
    EXPECT_STREQ(tag_get_name(renamed), "lightning");
    EXPECT_EQ(tag_get_destination(renamed), 3);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "local" / "sounds" / "lightning"));
    EXPECT_EQ(tag_texts(sounds), (QStringList{"lightning", "rain"}));
    EXPECT_TRUE(group_item(sounds)->isExpanded());
    EXPECT_EQ(frame().selected_item(), tag_item(sounds, "lightning"));

    // The same name in another case leaves the name; the destination still changes.
    get_info([&](CTagInfoDlg& dialog) {
        name_edit(dialog)->setText(QStringLiteral("Lightning"));
        destinations(dialog)->setCurrentIndex(2);
        press_ok(dialog);
    });
    EXPECT_STREQ(tag_get_name(tag_find(sounds, subgroup)), "lightning");
    EXPECT_EQ(tag_get_destination(tag_find(sounds, subgroup)), 2);
    EXPECT_TRUE(services.messages().empty());

    // Another tag's name is refused, naming that tag; nothing changes.
    get_info([&](CTagInfoDlg& dialog) {
        name_edit(dialog)->setText(QStringLiteral("RAIN"));
        destinations(dialog)->setCurrentIndex(1);
        press_ok(dialog);
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    EXPECT_EQ(services.message_texts(), QStringList{"The name \"rain\" is already used by sounds/rain."});
    EXPECT_STREQ(tag_get_name(tag_find(sounds, subgroup)), "lightning");
    EXPECT_EQ(tag_get_destination(tag_find(sounds, subgroup)), 2);

    // A name that must change to be a file name is shown changed first.
    services.clear_messages();
    get_info([&](CTagInfoDlg& dialog) {
        name_edit(dialog)->setText(QStringLiteral("bolt: blue"));
        press_ok(dialog);
        EXPECT_EQ(name_edit(dialog)->text(), "bolt_ blue");
        press_ok(dialog);
    });
    EXPECT_STREQ(tag_get_name(tag_find(sounds, subgroup)), "bolt_ blue");
    EXPECT_EQ(services.message_texts(),
              QStringList{"The name was changed to \"bolt_ blue\" to be a valid file name."});
}

TEST_F(GetInfoTest, DestinationOutsideTheListShowsNoneAndStaysNone) {
    tag_handle handle = create_default_tag(sounds, "thunder");
    ASSERT_TRUE(tag_set_destination(handle, -1));
    tag_file_close_local();
    select(tag_item(sounds, "thunder"));
    get_info([](CTagInfoDlg& dialog) {
        EXPECT_EQ(destinations(dialog)->currentIndex(), -1);
        press_ok(dialog);
    });
    EXPECT_EQ(tag_get_destination(tag_find(sounds, subgroup_from_name("thunder"))), -1);
}

TEST_F(GetInfoTest, MonolithicTagBecomesLocalWhenChanged) {
    const std::vector<std::byte> data = definitions::default_record_in_file_order(sounds);
    create_tag(sounds, "packaged", data, 1);
    make_monolithic(sounds, "packaged");
    const tag_code subgroup = subgroup_from_name("packaged");
    select(tag_item(sounds, "packaged"));
    get_info([](CTagInfoDlg& dialog) {
        name_edit(dialog)->setText(QStringLiteral("unpacked"));
        destinations(dialog)->setCurrentIndex(2);
        press_ok(dialog);
    });
    const tag_handle local = tag_find(sounds, subgroup);
    EXPECT_EQ(tag_get_file_type(local), 0);
    EXPECT_STREQ(tag_get_name(local), "unpacked");
    EXPECT_EQ(tag_get_destination(local), 2);
    EXPECT_EQ(tag_data(sounds, subgroup), data);
    QTreeWidgetItem* item = tag_item(sounds, "unpacked");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(CQuilletFrameWnd::item_image(item), tree_image_local_tag);
    EXPECT_EQ(frame().selected_item(), item);
    EXPECT_TRUE(frame().command_enabled(command_id::delete_tag));
}

}  // namespace
}  // namespace editor_test
