#include "commands_fixture.h"

#include "definitions/group_registry.h"
#include "editor/commands/new_tag_name_dialog.h"
#include "editor/frame_commands.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"

#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include <filesystem>

namespace editor_test {
namespace {

class DuplicateTest : public CommandsTest {
protected:
    // A sound tag longer than the sound record, its first word unlike the default's.
    std::vector<std::byte> sound_bytes() const {
        std::vector<std::byte> data = definitions::default_record_in_file_order(sounds);
        const auto first = big_endian_word(0xCAFEF00D);
        std::copy(first.begin(), first.end(), data.begin());
        for (int index = 0; index < 300; ++index) data.push_back(std::byte(index * 7));
        return data;
    }

    // Duplicates the selected tag as `name`; the copy's form is expected to open.
    void duplicate_as(const QString& name) {
        when_shown<CNewTagNameDlg>([name](CNewTagNameDlg& dialog) {
            dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control)->setText(name);
            press_ok(dialog);
        });
        expect_form_opened();
        frame().run_command(command_id::duplicate);
        EXPECT_EQ(services.pending_dialog_scripts(), 0);
    }
};

TEST_F(DuplicateTest, CopiesEveryStoredByteAndOpensTheCopy) {
    const std::vector<std::byte> data = sound_bytes();
    tag_handle source = create_tag(sounds, "thunder", data, 1);
    ASSERT_TRUE(tag_set_user_data(source, 0x1234));
    select(tag_item(sounds, "thunder"));
    when_shown<CNewTagNameDlg>([](CNewTagNameDlg& dialog) {
        // A short title; the prompt is inside the dialog.
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Duplicate Tag"));
        EXPECT_FALSE(dialog.findChildren<QLabel*>().isEmpty());
        EXPECT_EQ(dialog.findChildren<QLabel*>().front()->text(), QStringLiteral("Please enter the new file name:"));
        EXPECT_EQ(control_text(dialog, CNewTagNameDlg::name_control), QStringLiteral("thunder copy"));
        press_ok(dialog);
    });
    expect_form_opened();
    frame().run_command(command_id::duplicate);

    const tag_handle copy = tag_find(sounds, subgroup_from_name("thunder copy"));
    ASSERT_NE(copy, NONE);
    EXPECT_EQ(tag_data(sounds, tag_get_subgroup(copy)), data);
    // The copy's user data is the default record's until it is saved from its form.
    EXPECT_EQ(tag_get_user_data(copy), static_cast<uint32_t>(definitions::get_user_data_function(sounds)(
                                           definitions::get_default_definition(sounds))));
    EXPECT_EQ(tag_data(sounds, tag_get_subgroup(source)), data);
    EXPECT_EQ(tag_texts(sounds), (QStringList{"thunder", "thunder copy"}));
    EXPECT_EQ(opened_forms(), std::vector<tag_code>{tag_get_subgroup(copy)});
    EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
}

TEST_F(DuplicateTest, GroupWithoutDefaultCopiesExactly) {
    const std::vector<std::byte> text = {std::byte{'h'}, std::byte{'i'}, std::byte{0}};
    create_tag(string_lists, "greeting", text, 1);
    select(tag_item(string_lists, "greeting"));
    duplicate_as("second greeting");
    EXPECT_EQ(tag_data(string_lists, tag_get_subgroup(tag_named(string_lists, "second greeting"))), text);
}

// Confirmed replacement of the source by its own copy keeps the source's bytes,
// whatever the case of the name typed.
TEST_F(DuplicateTest, CopyUnderTheSourcesOwnNameKeepsItsBytes) {
    const std::vector<std::byte> data = sound_bytes();
    const tag_handle source = create_tag(sounds, "thunder", data, 1);
    const tag_code subgroup = tag_get_subgroup(source);
    for (const QString& name : {QStringLiteral("thunder"), QStringLiteral("Thunder")}) {
        SCOPED_TRACE(name.toStdString());
        select(tag_item(sounds, tag_texts(sounds).front()));
        services.queue_answer(platform::Answer::yes);
        duplicate_as(name);
        EXPECT_EQ(services.message_texts(), QStringList{QStringLiteral("Replace existing \"%1\"?").arg(name)});
        services.clear_messages();
        EXPECT_EQ(tag_count_of_group(sounds), 1);
        EXPECT_STREQ(tag_get_name(tag_find(sounds, subgroup)), name.toLatin1().constData());
        EXPECT_EQ(tag_data(sounds, subgroup), data);
    }
}

TEST_F(DuplicateTest, CopyOfAMonolithicTagUnderItsNameHidesItWithTheSameBytes) {
    const std::vector<std::byte> data = sound_bytes();
    create_tag(sounds, "thunder", data, 1);
    make_monolithic(sounds, "thunder");
    const tag_code subgroup = subgroup_from_name("thunder");
    select(tag_item(sounds, "thunder"));
    services.queue_answer(platform::Answer::yes);
    duplicate_as("thunder");
    const tag_handle copy = tag_find(sounds, subgroup);
    EXPECT_EQ(tag_get_file_type(copy), 0);
    EXPECT_EQ(tag_data(sounds, subgroup), data);
}

// A copy's name longer than a tag name is refused; typing cannot make it longer.
TEST_F(DuplicateTest, OverlongNameIsRefusedUntilShortened) {
    const std::string longest(31, 'x');
    create_default_tag(sounds, longest);
    select(tag_item(sounds, QString::fromStdString(longest)));
    when_shown<CNewTagNameDlg>([&](CNewTagNameDlg& dialog) {
        auto* edit = dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control);
        EXPECT_EQ(edit->text(), QString::fromStdString(longest + " copy"));
        edit->end(false);
        edit->insert(QStringLiteral("s"));
        EXPECT_EQ(edit->text(), QString::fromStdString(longest + " copy"));

        press_ok(dialog);
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(services.messages().size(), 1u);
        EXPECT_EQ(services.messages()[0].text, QStringLiteral("Please enter no more than 31 characters."));
        EXPECT_EQ(services.messages()[0].icon, platform::Icon::exclamation);
        EXPECT_EQ(tag_count_of_group(sounds), 1);

        edit->end(false);
        edit->backspace();
        EXPECT_EQ(edit->text().size(), 35);
        edit->insert(QStringLiteral("s"));
        EXPECT_EQ(edit->text().size(), 35);
        edit->setText(QString::fromStdString(std::string(30, 'x') + "y"));
        press_ok(dialog);
        EXPECT_FALSE(dialog.isVisible());
    });
    expect_form_opened();
    frame().run_command(command_id::duplicate);
    EXPECT_EQ(tag_count_of_group(sounds), 2);
}

// A source that cannot be read is reported and nothing is created.
TEST_F(DuplicateTest, UnreadableSourceIsReportedBeforeAnythingIsCreated) {
    create_tag(sounds, "vanished", sound_bytes(), 1);
    select(tag_item(sounds, "vanished"));
    std::filesystem::remove(folder.path() / "local" / "sounds" / "vanished");
    frame().run_command(command_id::duplicate);
    EXPECT_EQ(services.message_texts(), QStringList{QStringLiteral("Error reading tag file!")});
    EXPECT_EQ(services.unscripted_dialogs(), 0);
    EXPECT_EQ(tag_count_of_group(sounds), 1);
}

}  // namespace
}  // namespace editor_test
