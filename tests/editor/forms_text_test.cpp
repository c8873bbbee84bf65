#include "editor_fixture.h"

#include "editor/forms/text_form.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace editor_test {
namespace {

constexpr tag_code string_lists = make_tag("stli");
constexpr tag_code templates = make_tag("temp");
constexpr tag_code texts = make_tag("text");

std::vector<std::byte> bytes(const std::string& text) {
    const auto* data = reinterpret_cast<const std::byte*>(text.data());
    return {data, data + text.size()};
}

class TextFormTest : public EditorTest {
protected:
    tag_code create_text(tag_code group, const std::string& name, const std::string& text, int16_t version = 1) {
        return tag_get_subgroup(create_tag(group, name, bytes(text), version));
    }

    std::unique_ptr<CTagDialog> open(tag_code group, tag_code subgroup) {
        std::unique_ptr<CTagDialog> form(CTagGroupRegistry::open_editor(group, subgroup, nullptr));
        EXPECT_NE(form, nullptr);
        if (form) form->show();
        return form;
    }

    static QPlainTextEdit* edit(const CTagDialog& form) { return form.control_as<QPlainTextEdit>(text_form::text_id); }

    static void type_at_end(const CTagDialog& form, const QString& text) {
        QTextCursor cursor = edit(form)->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
    }

    std::string stored(tag_code group, tag_code subgroup) const {
        const std::vector<std::byte> data = tag_data(group, subgroup);
        return {reinterpret_cast<const char*>(data.data()), data.size()};
    }

    CTagGroupRegistry registry;
};

TEST_F(TextFormTest, EveryTextGroupOpensItsTextWithCrAsLineBreaks) {
    for (const tag_code group : {string_lists, templates, texts}) {
        const tag_code subgroup = create_text(group, "Greetings", "Hello\rCaf\x8E \xDB 10\xA1\tend\r\r");
        const auto form = open(group, subgroup);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->template_id(), 187);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Greetings (gree)"));
        ASSERT_NE(edit(*form), nullptr);
        EXPECT_EQ(edit(*form)->toPlainText(), QString::fromUtf8("Hello\nCafé ¤ 10°\tend\n\n"));
        EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
        form->reject();
    }
}

TEST_F(TextFormTest, TextIsShownInTenPointTimesNewRomanWithATabStop) {
    const auto form = open(texts, create_text(texts, "story", "a\tb"));
    const QFont font = edit(*form)->font();
    EXPECT_EQ(font.family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(font.pointSize(), 10);
    EXPECT_GT(edit(*form)->tabStopDistance(), 0.0);
    EXPECT_FALSE(edit(*form)->isReadOnly());
    EXPECT_EQ(edit(*form)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(TextFormTest, OkStoresTheEditedTextInTheGameCharacterSet) {
    tag_handle handle = create_tag(string_lists, "names", bytes("first\r\nsecond\x01"), 0);
    const tag_code subgroup = tag_get_subgroup(handle);
    ASSERT_TRUE(tag_set_destination(handle, 2));
    ASSERT_TRUE(tag_set_user_data(handle, 77));
    tag_file_close_local();
    const auto form = open(string_lists, subgroup);
    services.clear_messages();

    // The LF after the CR is dropped and the control byte shown as '?' stays '?'.
    type_at_end(*form, QString::fromUtf8("\nÜber – ?"));
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(stored(string_lists, subgroup), "first\rsecond?\r\x86" "ber \xD0 ?");
    const tag_handle saved = tag_find(string_lists, subgroup);
    EXPECT_EQ(tag_get_version(saved), tag_group_get_version(string_lists));
    EXPECT_EQ(tag_get_destination(saved), 2);
    EXPECT_EQ(tag_get_user_data(saved), 77u);
    EXPECT_TRUE(services.messages().empty()) << services.message_texts().join("; ").toStdString();
}

// A character the game cannot show is refused where it is, as the tool's text
// import refuses it; nothing is written and the dialog stays open on it.
TEST_F(TextFormTest, CharacterTheGameCannotShowIsRefusedAtItsPlace) {
    struct Case {
        const char* typed;
        const char* message;
        const char* selected;
    };
    const Case cases[] = {
        {"Price 5€", "Line 2, column 8: the character U+20AC '€' has no equivalent in the game's character set.",
         "€"},
        {"ok\nx 日本", "Line 3, column 3: the character U+65E5 '日' has no equivalent in the game's character set.",
         "日"},
        {"🙂", "Line 2, column 1: the character U+1F642 '🙂' has no equivalent in the game's character set.", "🙂"},
    };
    const tag_code subgroup = create_text(string_lists, "prices", "Names\r");
    for (const Case& c : cases) {
        const auto form = open(string_lists, subgroup);
        services.clear_messages();
        type_at_end(*form, QString::fromUtf8(c.typed));
        form->accept();
        EXPECT_NE(form->result(), QDialog::Accepted) << c.typed;
        EXPECT_EQ(services.message_texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(edit(*form)->textCursor().selectedText(), QString::fromUtf8(c.selected));
        EXPECT_EQ(stored(string_lists, subgroup), "Names\r");
    }
}

// Return and Tab are the text's; Ctrl+Tab leaves the edit and Ctrl+Return is OK.
TEST_F(TextFormTest, KeyboardReachesOkWithoutTheMouse) {
    const tag_code subgroup = create_text(texts, "story", "Once");
    const auto form = open(texts, subgroup);
    QApplication::setActiveWindow(form.get());
    edit(*form)->setFocus();
    edit(*form)->moveCursor(QTextCursor::End);
    QTest::keyClick(edit(*form), Qt::Key_Tab);
    QTest::keyClick(edit(*form), Qt::Key_Return);
    EXPECT_EQ(edit(*form)->toPlainText(), "Once\t\n");
    QTest::keyClick(edit(*form), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(QApplication::focusWidget(), edit(*form));
    EXPECT_EQ(edit(*form)->toPlainText(), "Once\t\n");
    edit(*form)->setFocus();
    QTest::keyClick(edit(*form), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), edit(*form));
    QTest::keyClick(edit(*form), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(stored(texts, subgroup), "Once\t\r");
}

TEST_F(TextFormTest, UnchangedOrCancelledTextWritesNothing) {
    const std::string original = "a\r\nb\x01\xF0\n";
    const tag_code subgroup = create_text(texts, "raw", original, 0);
    const auto unchanged = open(texts, subgroup);
    unchanged->accept();
    EXPECT_EQ(unchanged->result(), QDialog::Accepted);
    EXPECT_EQ(stored(texts, subgroup), original);
    EXPECT_EQ(tag_get_version(tag_find(texts, subgroup)), 0);

    const auto cancelled = open(texts, subgroup);
    type_at_end(*cancelled, QStringLiteral("more"));
    cancelled->reject();
    EXPECT_EQ(stored(texts, subgroup), original);

    // Typing and taking it back is no change either.
    const auto undone = open(texts, subgroup);
    type_at_end(*undone, QStringLiteral("x"));
    edit(*undone)->undo();
    undone->accept();
    EXPECT_EQ(stored(texts, subgroup), original);
}

TEST_F(TextFormTest, AMegabyteTextSurvivesEditing) {
    std::string text;
    while (text.size() < 1024 * 1024) text += "A line of the long text, number " + std::to_string(text.size()) + "\r";
    const tag_code subgroup = create_text(texts, "long", text);
    const auto form = open(texts, subgroup);
    type_at_end(*form, QStringLiteral("end"));
    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(stored(texts, subgroup), text + "end");
}

TEST_F(TextFormTest, UnreadableTextCanOnlyBeCancelled) {
    const tag_code subgroup = create_text(texts, "cut", "some text");
    std::filesystem::resize_file(folder.path() / "local" / "text" / tag_local_file_name(tag_find(texts, subgroup)), 64);
    const auto form = open(texts, subgroup);
    EXPECT_TRUE(services.message_texts().contains(QStringLiteral("Error reading tag file!")));
    EXPECT_FALSE(form->control(control_id_ok)->isEnabled());
    type_at_end(*form, QStringLiteral("typed"));
    form->accept();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(tag_get_size(tag_find(texts, subgroup)), 9);
}

TEST_F(TextFormTest, WriteFailureKeepsTheTextAndTheDialog) {
    const tag_code subgroup = create_text(texts, "locked", "old");
    const auto form = open(texts, subgroup);
    type_at_end(*form, QStringLiteral(" and new"));
    const std::string path =
        (folder.path() / "local" / "text" / tag_local_file_name(tag_find(texts, subgroup))).string();
    const int holder = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &lock), 0);

    form->accept();
    EXPECT_TRUE(services.message_texts().contains(QStringLiteral("Error writing tag file!")));
    EXPECT_TRUE(form->isVisible());
    close(holder);
    EXPECT_EQ(stored(texts, subgroup), "old");

    form->accept();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(stored(texts, subgroup), "old and new");
}

// The buttons are the button row of every other form; the edit takes what the
// dialog's size leaves.
TEST_F(TextFormTest, SameButtonRowAsEveryFormAndTheEditGrows) {
    const auto form = open(texts, create_text(texts, "sized", "text"));
    QWidget* ok = form->control(control_id_ok);
    QWidget* cancel = form->control(control_id_cancel);
    auto* row = qobject_cast<QDialogButtonBox*>(ok->parentWidget());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(cancel->parentWidget(), row);
    EXPECT_EQ(row->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->resize(QSize(420, 260));
    const QSize small = edit(*form)->size();
    form->resize(QSize(700, 500));
    EXPECT_EQ(edit(*form)->width() - small.width(), 280);
    EXPECT_EQ(edit(*form)->height() - small.height(), 240);
}

// TESSARY_FORM_PICTURES names a folder to write the form's picture to, once
// for each group that opens it, as <group>.png.
TEST_F(TextFormTest, FormFitsAScreen) {
    for (const tag_code group : {string_lists, templates, texts}) {
        const auto form = open(group, create_text(group, "Objectives",
                                                  "Win the battle\r\rKeep the \xD2" "dwarves\xD3 alive\r"
                                                  "Name\tCount\rArcher\t12\rWarrior\t30\r"));
        const QImage picture = form->grab().toImage();
        EXPECT_LE(picture.width(), 1600);
        EXPECT_LE(picture.height(), 1000);
        if (const char* pictures = std::getenv("TESSARY_FORM_PICTURES")) {
            const QString path = QDir(QString::fromLocal8Bit(pictures))
                                     .filePath(QString::fromLatin1(tag_code_to_text(group)) + QStringLiteral(".png"));
            EXPECT_TRUE(picture.save(path)) << path.toStdString();
        }
        form->reject();
    }
}

}  // namespace
}  // namespace editor_test
