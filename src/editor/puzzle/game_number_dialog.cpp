#include "editor/puzzle/game_number_dialog.h"

#include "core/tag_code.h"

#include "editor/platform/services.h"
#include "editor/toolkit/field_conversions.h"
#include "puzzle/game.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CGameNumberDlg::CGameNumberDlg(std::uint32_t number, QWidget* parent)
    : CTagDialog(dialog_template, NONE, NONE, parent), number_(number) {
    setWindowTitle(QStringLiteral("Game Number"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter a game number:"), this));
    auto* edit = new QLineEdit(this);
    register_control(number_control, edit);
    layout->addWidget(edit);
    layout->addWidget(create_ok_cancel_buttons());
}

bool CGameNumberDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("Game Number"));
    control_as<QLineEdit>(number_control)->setText(QString::number(number_));
    return true;
}

void CGameNumberDlg::accept() {
    auto* edit = control_as<QLineEdit>(number_control);
    bool whole = false;
    const qlonglong entered = edit->text().trimmed().toLongLong(&whole);
    if (!whole || entered < puzzle::first_game_number || entered > puzzle::last_game_number) {
        const std::string message =
            whole ? toolkit::range_message(toolkit::integer_format({4, true}), puzzle::first_game_number,
                                           puzzle::last_game_number)
                  : std::string(toolkit::integer_message);
        platform::message_box(this, QString::fromStdString(message), platform::application_name(),
                              platform::Buttons::ok, platform::Icon::exclamation);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    number_ = static_cast<std::uint32_t>(entered);
    QDialog::accept();
}
