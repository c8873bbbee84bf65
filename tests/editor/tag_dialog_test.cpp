#include "editor_fixture.h"
#include "test_form.h"

#include "definitions/group_registry.h"
#include "editor/platform/services.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QLineEdit>
#include <QPushButton>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace editor_test {
namespace {

class TagDialogTest : public EditorTest {
protected:
    // Opens the form as the frame does (shown, so that it initialises).
    std::unique_ptr<TestForm> open_form(tag_code group, tag_handle handle) {
        auto form = std::make_unique<TestForm>(group, tag_get_subgroup(handle), nullptr);
        form->show();
        return form;
    }
};

TEST_F(TagDialogTest, OpensWithoutMessageAndTitlesWithNameAndSubgroup) {
    const tag_handle handle = create_default_tag(sounds, "Dwarf Lord");
    auto form = open_form(sounds, handle);
    EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Dwarf Lord (dwlo)"));
    EXPECT_FALSE(form->record_read_failed());
}

TEST_F(TagDialogTest, ReadConvertsTheRecordToHostOrder) {
    std::vector<std::byte> data = definitions::default_record_in_file_order(sounds);
    const auto first = big_endian_word(0x01020304);
    std::copy(first.begin(), first.end(), data.begin());
    const tag_handle handle = create_tag(sounds, "thunder", data, tag_group_get_version(sounds));
    auto form = open_form(sounds, handle);
    EXPECT_EQ(form->first_word(), 0x01020304);
    EXPECT_EQ(form->first_word_edit()->text(), QStringLiteral("16909060"));
}

TEST_F(TagDialogTest, OtherVersionWarnsOnOpeningAndIsStampedOnSaving) {
    const tag_handle handle =
        create_tag(sounds, "old", definitions::default_record_in_file_order(sounds), 0);
    auto form = open_form(sounds, handle);
    ASSERT_EQ(services.messages().size(), 1u);
    const platform::MessageRequest& warning = services.messages()[0];
    EXPECT_EQ(warning.text, QStringLiteral("Warning: expected version 1, got version 0"));
    EXPECT_EQ(warning.caption, QStringLiteral("Version Warning"));
    EXPECT_EQ(warning.icon, platform::Icon::exclamation);
    EXPECT_EQ(warning.buttons, platform::Buttons::ok);

    form->accept();
    ASSERT_EQ(services.messages().size(), 2u);
    EXPECT_EQ(services.messages()[1].text, QStringLiteral("Updating the version number to 1"));
    EXPECT_EQ(services.messages()[1].caption, QStringLiteral("Version Warning"));
    EXPECT_EQ(tag_get_version(tag_find(sounds, tag_get_subgroup(handle))), 1);
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

// The user data follows the first 32-bit field for `soun` and `core`, and is
// -1 for every other group.
TEST_F(TagDialogTest, OkWritesTheRecordInFileOrderAndRefreshesUserData) {
    struct Case {
        tag_code group;
        int32_t entered;
        uint32_t user_data;
    };
    for (const Case& c : {Case{sounds, 0x11223344, 0x11223344}, Case{collection_references, 77, 77},
                          Case{ambient_sounds, 5, 0xFFFFFFFF}}) {
        SCOPED_TRACE(tag_code_to_text(c.group));
        const tag_handle handle = create_default_tag(c.group, "edited");
        const tag_code subgroup = tag_get_subgroup(handle);
        auto form = open_form(c.group, handle);
        form->first_word_edit()->setText(QString::number(c.entered));
        form->accept();
        EXPECT_EQ(form->result(), QDialog::Accepted);

        std::vector<std::byte> expected = definitions::default_record_in_file_order(c.group);
        const auto first = big_endian_word(static_cast<uint32_t>(c.entered));
        std::copy(first.begin(), first.end(), expected.begin());
        EXPECT_EQ(tag_data(c.group, subgroup), expected);
        EXPECT_EQ(tag_get_user_data(tag_find(c.group, subgroup)), c.user_data);
        // The form's copy is in host order again, ready for another save.
        EXPECT_EQ(form->first_word(), c.entered);
    }
    EXPECT_TRUE(services.messages().empty());
}

TEST_F(TagDialogTest, SavingTwiceKeepsTheRecordInHostOrder) {
    const tag_handle handle = create_default_tag(sounds, "twice");
    const tag_code subgroup = tag_get_subgroup(handle);
    auto form = open_form(sounds, handle);
    form->first_word_edit()->setText(QStringLiteral("258"));
    ASSERT_TRUE(form->UpdateData(true));
    ASSERT_TRUE(form->UpdateData(true));
    EXPECT_EQ(form->first_word(), 258);
    EXPECT_EQ(read_big_endian_word(tag_data(sounds, subgroup).data()), 258u);
}

TEST_F(TagDialogTest, ReadFailureReportsAndOnlyCancelRemains) {
    // A tag shorter than the record cannot be read as one.
    const tag_handle handle = create_tag(sounds, "short", big_endian_word(7), 1);
    const tag_code subgroup = tag_get_subgroup(handle);
    auto form = open_form(sounds, handle);
    ASSERT_EQ(services.message_texts(), QStringList{QStringLiteral("Error reading tag file!")});
    EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Tessary"));
    EXPECT_TRUE(form->record_read_failed());
    EXPECT_FALSE(form->control(control_id_ok)->isEnabled());
    EXPECT_TRUE(form->first_word_edit()->text().isEmpty());
    for (const std::byte byte : form->record()) EXPECT_EQ(byte, std::byte{0});

    form->first_word_edit()->setText(QStringLiteral("9"));
    form->accept();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(tag_data(sounds, subgroup), big_endian_word(7));
    form->reject();
    EXPECT_EQ(form->result(), QDialog::Rejected);
}

TEST_F(TagDialogTest, MissingTagIsAReadFailure) {
    auto form = std::make_unique<TestForm>(sounds, make_tag("gone"), nullptr);
    form->show();
    EXPECT_EQ(services.message_texts(), QStringList{QStringLiteral("Error reading tag file!")});
    EXPECT_TRUE(form->record_read_failed());
}

// Another holder of the tag's file makes the write fail: the dialog stays
// open with the user's value, the version is not stamped, and a retry once
// the file is free succeeds.
TEST_F(TagDialogTest, WriteFailureKeepsTheDialogOpenForARetry) {
    const tag_handle handle =
        create_tag(sounds, "locked", definitions::default_record_in_file_order(sounds), 0);
    const tag_code subgroup = tag_get_subgroup(handle);
    auto form = open_form(sounds, handle);
    services.clear_messages();
    form->first_word_edit()->setText(QStringLiteral("4660"));

    const int holder = open((folder.path() / "local" / "sounds" / "locked").c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &lock), 0);

    form->accept();
    EXPECT_TRUE(services.message_texts().contains(QStringLiteral("Error writing tag file!")));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->first_word(), 4660);
    EXPECT_EQ(form->first_word_edit()->text(), QStringLiteral("4660"));
    EXPECT_EQ(tag_get_version(tag_find(sounds, subgroup)), 0);
    close(holder);

    services.clear_messages();
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(services.message_texts(), QStringList{QStringLiteral("Updating the version number to 1")});
    EXPECT_EQ(read_big_endian_word(tag_data(sounds, subgroup).data()), 4660u);
    EXPECT_EQ(tag_get_version(tag_find(sounds, subgroup)), 1);
}

TEST_F(TagDialogTest, RefusedInputKeepsTheDialogOpenAndWritesNothing) {
    const tag_handle handle = create_default_tag(sounds, "typo");
    const tag_code subgroup = tag_get_subgroup(handle);
    const auto before = tag_data(sounds, subgroup);
    auto form = open_form(sounds, handle);
    form->first_word_edit()->setText(QStringLiteral("twelve"));
    form->accept();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(tag_data(sounds, subgroup), before);
}

// A tag of a foundation file is saved as a local tag of the same subgroup,
// which then hides the packaged one.
TEST_F(TagDialogTest, SavingAPackagedTagMakesItLocal) {
    tag_handle handle = create_default_tag(sounds, "packaged");
    const tag_code subgroup = tag_get_subgroup(handle);
    ASSERT_TRUE(tag_set_destination(handle, 0));
    tag_file_close_local();
    ASSERT_TRUE(rebuild_foundation_files());
    ASSERT_TRUE(tag_file_delete(tag_find(sounds, subgroup)));
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
    ASSERT_EQ(tag_get_file_type(tag_find(sounds, subgroup)), 3);

    auto form = open_form(sounds, tag_find(sounds, subgroup));
    form->first_word_edit()->setText(QStringLiteral("3"));
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const tag_handle saved = tag_find(sounds, subgroup);
    EXPECT_EQ(tag_get_file_type(saved), 0);
    EXPECT_EQ(tag_get_user_data(saved), 3u);
    EXPECT_EQ(read_big_endian_word(tag_data(sounds, subgroup).data()), 3u);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "local" / "sounds" / "packaged"));
}

TEST_F(TagDialogTest, ControlsAreFoundByTheirId) {
    TestForm form(sounds, make_tag("none"), nullptr);
    EXPECT_EQ(form.control(TestForm::first_word_control), form.first_word_edit());
    EXPECT_EQ(form.first_word_edit()->objectName(), QStringLiteral("1000"));
    EXPECT_NE(form.control_as<QPushButton>(control_id_ok), nullptr);
    EXPECT_NE(form.control_as<QPushButton>(control_id_cancel), nullptr);
    EXPECT_EQ(form.control(4242), nullptr);
    EXPECT_EQ(form.GetCurrentCollection(), -1);
}

}  // namespace
}  // namespace editor_test
