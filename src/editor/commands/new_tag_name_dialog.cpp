#include "editor/commands/new_tag_name_dialog.h"

#include "editor/commands/tag_name_entry.h"

#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/platform/services.h"
#include "editor/toolkit/exchange_failure.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_header.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <string>

// Refuses typing beyond the limit, as a limited edit box does, yet keeps a
// longer text the program put there and lets the user shorten it; OK then
// refuses what is still too long.
class CNewTagNameDlg::LengthLimit final : public QValidator {
public:
    LengthLimit(QObject* parent, qsizetype limit) : QValidator(parent), limit_(limit), allowed_(limit) {}

    // Accepts a text of this length that the program is about to set.
    void allow(qsizetype length) { allowed_ = std::max(limit_, length); }

    State validate(QString& input, int&) const override {
        if (input.size() > allowed_) return Invalid;
        allowed_ = std::max(limit_, input.size());
        return Acceptable;
    }

private:
    qsizetype limit_;
    mutable qsizetype allowed_;
};

CNewTagNameDlg::CNewTagNameDlg(const QString& caption, tag_code group, const std::string& name, int16_t version,
                               QWidget* parent)
    : CTagDialog(dialog_template, group, NONE, parent), caption_(caption), version_(version), name_(name) {
    setWindowTitle(QStringLiteral("New Tag"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Please enter the new file name:"), this));
    auto* names = new QListWidget(this);
    names->setSelectionMode(QAbstractItemView::NoSelection);
    register_control(existing_names_control, names);
    layout->addWidget(names);
    auto* edit = new QLineEdit(this);
    name_limit_ = new LengthLimit(edit, tag_name_maximum_length);
    edit->setValidator(name_limit_);
    register_control(name_control, edit);
    layout->addWidget(edit);
    layout->addWidget(create_ok_cancel_buttons());
    control_as<QPushButton>(control_id_ok)->setText(QStringLiteral("Save"));
}

QLineEdit* CNewTagNameDlg::name_edit() const { return control_as<QLineEdit>(name_control); }

bool CNewTagNameDlg::OnInitDialog() {
    UpdateData(false);
    setWindowTitle(caption_);

    std::array<tag_handle, tag_group_list_limit> handles;
    const int32_t count = tag_list_of_group(group_tag(), handles.data());
    QStringList shown;
    for (int32_t index = 0; index < count; ++index) {
        existing_names_.emplace_back(tag_get_name(handles[index]));
        shown.append(text_from_windows_1252(existing_names_.back()));
    }
    // A sorted list box orders its entries without regard to case.
    std::stable_sort(shown.begin(), shown.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    control_as<QListWidget>(existing_names_control)->addItems(shown);
    // The proposed name is there to be typed over.
    name_edit()->setFocus(Qt::OtherFocusReason);
    name_edit()->selectAll();
    return true;
}

bool CNewTagNameDlg::name_in_use(const std::string& name) const {
    return std::any_of(existing_names_.begin(), existing_names_.end(),
                       [&name](const std::string& existing) { return compare_text_ignoring_case(existing, name) == 0; });
}

void CNewTagNameDlg::DoDataExchange(CDataExchange& dx) {
    dx.prepare_control(name_control);
    if (dx.is_loading()) {
        const QString text = text_from_windows_1252(name_);
        name_limit_->allow(text.size());
        name_edit()->setText(text);
        return;
    }
    const std::optional<std::string> name = entered_tag_name(dx, name_edit());
    if (!name) return;
    const std::string& entered = *name;
    if (name_in_use(entered)) {
        platform::MessageRequest question{
            this, QStringLiteral("Replace existing \"%1\"?").arg(text_from_windows_1252(entered)),
            QStringLiteral("Tag exists"), platform::Buttons::yes_no, platform::Icon::stop};
        question.destructive = true;
        const platform::Answer answer = platform::message_box(question);
        if (answer != platform::Answer::yes) {
            dx.fail();
            return;
        }
    }
    name_ = entered;
}

void CNewTagNameDlg::accept() {
    if (!UpdateData(true)) return;
    result_ = tag_file_create(group_tag(), name_.c_str(), version_);
    QDialog::accept();
}
