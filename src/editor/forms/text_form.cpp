#include "editor/forms/text_form.h"

#include "core/character_translation.h"
#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/platform/services.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <limits>
#include <string>

namespace {

// The dialog's first size.
constexpr QSize initial_size(520, 380);

constexpr int font_points = 10;
constexpr int tab_dialog_units_per_base_unit = 10;

// The platform's edit control breaks lines at CR LF; Qt's document at its own
// separators, which its raw text gives as U+2029 (Return) or U+2028
// (Shift+Return). A lone LF is not a line break there and is dropped on saving,
// so it is not shown here either.
QString document_text(const std::string& shown) {
    QString text;
    text.reserve(static_cast<qsizetype>(shown.size()));
    for (const QChar character : text_from_windows_1252(shown)) {
        if (character == QLatin1Char('\n')) continue;
        text.append(character == QLatin1Char('\r') ? QChar(QChar::ParagraphSeparator) : character);
    }
    return text;
}

std::string shown_bytes(const QString& document) {
    QString text;
    text.reserve(document.size() + document.size() / 16);
    for (const QChar character : document) {
        if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator) {
            text += QStringLiteral("\r\n");
        } else {
            text += character;
        }
    }
    return text_to_windows_1252(text);
}

void report(QWidget* owner, const QString& text) {
    platform::message_box(owner, text, platform::application_name(), platform::Buttons::ok,
                          platform::Icon::none);
}

const EditorRegistration string_list_editor(make_tag("stli"), &create_text_dialog);
const EditorRegistration template_editor(make_tag("temp"), &create_text_dialog);
const EditorRegistration text_editor(make_tag("text"), &create_text_dialog);

}  // namespace

CTextTagDlg::CTextTagDlg(uint32_t group_tag, uint32_t subgroup, QWidget* parent)
    : CTagDialog(text_form::template_id, group_tag, subgroup, parent) {
    text_ = new QPlainTextEdit(this);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setTabChangesFocus(false);
    register_control(text_form::text_id, text_);
    text_->installEventFilter(this);
    // The same button row as every other form.
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(create_ok_cancel_buttons());

    setSizeGripEnabled(true);
    resize(initial_size);
}

bool CTextTagDlg::OnInitDialog() {
    CTagDialog::OnInitDialog();
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(font_points);
    text_->setFont(font);
    // One tab stop at (base unit × 10 / 4) dialog units; a dialog unit is a
    // quarter of the dialog's horizontal base unit, its average character width.
    const int base_unit = QFontMetrics(this->font()).averageCharWidth();
    const int dialog_units = base_unit * tab_dialog_units_per_base_unit / 4;
    text_->setTabStopDistance(dialog_units * base_unit / 4.0);
    load_text();
    return true;
}

void CTextTagDlg::load_text() {
    const tag_handle handle = tag_find(group_tag(), subgroup());
    const int32_t size = tag_get_size(handle);
    std::string data(static_cast<size_t>(std::max(size, 0)), '\0');
    const bool read = handle != NONE && size >= 0 && tag_file_read(handle, 0, size, data.data());
    tag_file_close_local();
    if (!read) {
        // Saving the empty edit now would replace the text that could not be read.
        report(this, QStringLiteral("Error reading tag file!"));
        refuse_saving();
        return;
    }
    loaded_text_ = document_text(game_text_to_display(data));
    text_->setPlainText(loaded_text_);
    loaded_text_ = text_->document()->toRawText();
}

void CTextTagDlg::DoDataExchange(CDataExchange& dx) {
    if (!dx.is_saving() || record_read_failed()) return;
    const QString edited = text_->document()->toRawText();
    if (edited == loaded_text_) return;
    if (const std::optional<UnheldCharacter> unheld = first_unheld_character(edited, HeldText::game_text)) {
        refuse_character(*unheld);
        dx.fail();
        return;
    }
    const std::string data = display_text_to_game(shown_bytes(edited));
    tag_handle handle = tag_find(group_tag(), subgroup());
    const int16_t current_version = tag_group_get_version(group_tag());
    const bool written = data.size() <= static_cast<size_t>(std::numeric_limits<int32_t>::max()) &&
                         tag_replace_data(handle, data.data(), static_cast<int32_t>(data.size())) &&
                         (tag_get_version(handle) == current_version || tag_set_version(handle, current_version));
    tag_file_close_local();
    if (!written) {
        report(this, QStringLiteral("Error writing tag file!"));
        dx.fail();
        return;
    }
    loaded_text_ = edited;
}

void CTextTagDlg::refuse_character(const UnheldCharacter& unheld) {
    report(this, QStringLiteral("Line %1, column %2: %3.")
                     .arg(unheld.line)
                     .arg(unheld.column)
                     .arg(unheld_character_sentence(unheld, HeldText::game_text)));
    QTextCursor cursor(text_->document());
    cursor.setPosition(static_cast<int>(unheld.index));
    cursor.setPosition(static_cast<int>(unheld.index + (unheld.character > 0xFFFF ? 2 : 1)), QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    text_->setFocus(Qt::OtherFocusReason);
}

bool CTextTagDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != text_ || event->type() != QEvent::KeyPress) return CTagDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->modifiers().testFlag(Qt::ControlModifier)) return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        focusNextPrevChild(key->key() == Qt::Key_Tab && !key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    default:
        return false;
    }
}

CTagDialog* create_text_dialog(uint32_t group_tag, uint32_t subgroup, QWidget* parent) {
    return new CTextTagDlg(group_tag, subgroup, parent);
}
