#include "editor/platform/qt_services.h"
#include "editor/platform/scripted_services.h"

#include <QDialog>
#include <QMessageBox>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(ScriptedPlatform, MessageBoxesAnswerFromTheScriptAndRecordWhatWasShown) {
    platform::ScriptedServices services;
    services.queue_answer(platform::Answer::no);
    EXPECT_EQ(platform::message_box(nullptr, "Replace?", "Tag exists", platform::Buttons::yes_no,
                                    platform::Icon::stop),
              platform::Answer::no);
    // Unscripted boxes answer with their first button.
    EXPECT_EQ(platform::message_box(nullptr, "Sure?", "Deleting", platform::Buttons::yes_no, platform::Icon::none),
              platform::Answer::yes);
    EXPECT_EQ(platform::message_box(nullptr, "Done", "Tessary", platform::Buttons::ok_cancel, platform::Icon::none),
              platform::Answer::ok);
    EXPECT_EQ(services.message_texts(), (QStringList{"Replace?", "Sure?", "Done"}));
    EXPECT_EQ(services.messages()[0].caption, QStringLiteral("Tag exists"));
    EXPECT_EQ(services.messages()[0].icon, platform::Icon::stop);
    EXPECT_EQ(services.messages()[0].buttons, platform::Buttons::yes_no);
}

// Enter presses the default button: No for a question whose Yes destroys
// something, Yes for any other question.
TEST(QtPlatform, DestructiveQuestionsDefaultToNo) {
    struct Case {
        bool destructive;
        QMessageBox::StandardButton expected;
    };
    for (const Case& c : {Case{true, QMessageBox::No}, Case{false, QMessageBox::Yes}}) {
        platform::MessageRequest request{nullptr, "Are you sure you want to delete 'Wight'?", "Deleting",
                                         platform::Buttons::yes_no, platform::Icon::none};
        request.destructive = c.destructive;
        const std::unique_ptr<QMessageBox> box = platform::make_message_box(request);
        QTimer::singleShot(0, box.get(), [&box] {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus != nullptr ? focus : box.get(), Qt::Key_Return);
        });
        EXPECT_EQ(box->exec(), c.expected) << c.destructive;
    }
    platform::ScriptedServices services;
    platform::MessageRequest unscripted{nullptr, "Replace existing \"x\"?", "Tag exists", platform::Buttons::yes_no,
                                        platform::Icon::stop};
    unscripted.destructive = true;
    EXPECT_EQ(platform::message_box(unscripted), platform::Answer::no);
}

TEST(ScriptedPlatform, ReplacesTheServicesOnlyWhileItLives) {
    const platform::Services before = platform::services();
    {
        platform::ScriptedServices outer;
        {
            platform::ScriptedServices inner;
            inner.set_shift_held(true);
            EXPECT_TRUE(platform::shift_held());
            platform::beep();
            EXPECT_EQ(inner.beep_count(), 1);
        }
        EXPECT_FALSE(platform::shift_held());
        platform::beep();
        EXPECT_EQ(outer.beep_count(), 1);
    }
    EXPECT_EQ(platform::services().message_boxes, before.message_boxes);
    EXPECT_EQ(platform::services().modal_dialogs, before.modal_dialogs);
}

TEST(ScriptedPlatform, WaitCursorNestsAndEnds) {
    platform::ScriptedServices services;
    {
        const platform::WaitCursor outer;
        const platform::WaitCursor inner;
        EXPECT_EQ(services.wait_cursor_depth(), 2);
    }
    EXPECT_EQ(services.wait_cursor_depth(), 0);
    EXPECT_EQ(services.wait_cursor_uses(), 2);
}

TEST(ScriptedPlatform, ModalDialogsRunTheirScriptsInOrder) {
    platform::ScriptedServices services;
    QDialog dialog;
    bool was_visible = false;
    services.queue_dialog([&](QDialog& shown) {
        was_visible = shown.isVisible();
        shown.accept();
    });
    services.queue_dialog([](QDialog&) {});
    EXPECT_EQ(platform::run_modal(dialog), QDialog::Accepted);
    EXPECT_TRUE(was_visible);
    // A dialog the script leaves open is cancelled.
    EXPECT_EQ(platform::run_modal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(services.unscripted_dialogs(), 0);
    EXPECT_EQ(platform::run_modal(dialog), QDialog::Rejected);
    EXPECT_EQ(services.unscripted_dialogs(), 1);
}

TEST(ScriptedPlatform, OpenFileDialogAnswersFromTheScript) {
    platform::ScriptedServices services;
    services.queue_open_file(QStringLiteral("/tmp/map.bmp"));
    EXPECT_EQ(platform::open_file(nullptr, "Import", "Bitmaps (*.bmp)"), QStringLiteral("/tmp/map.bmp"));
    EXPECT_TRUE(platform::open_file(nullptr, "Import", "Bitmaps (*.bmp)").isEmpty());
}

}  // namespace
