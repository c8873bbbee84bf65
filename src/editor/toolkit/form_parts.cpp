#include "editor/toolkit/form_parts.h"

#include "definitions/field_description.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace toolkit {

// QLineEdit's own inner margin on each side of the text (2 px), and a little room
// for the cursor.
constexpr int number_edit_padding = 8;

QLineEdit* new_edit() {
    auto* edit = new QLineEdit;
    edit->setMaximumWidth(110);
    return edit;
}

QLineEdit* new_number_edit(const NumberFormat& format) {
    QLineEdit* edit = new_edit();
    const QString widest = QString::fromStdString(widest_shown_text(format));
    const QMargins margins = edit->textMargins();
    const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
    const int width = edit->fontMetrics().horizontalAdvance(widest) + margins.left() + margins.right() + 2 * frame +
                      number_edit_padding;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(std::max(edit->maximumWidth(), width));
    return edit;
}

QComboBox* new_combo() {
    auto* combo = new QComboBox;
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(16);
    return combo;
}

void connect_user_change(QWidget* control, const std::function<void()>& handler) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        QObject::connect(combo, &QComboBox::activated, combo, [handler] { handler(); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(button, &QAbstractButton::clicked, button, [handler] { handler(); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [handler] { handler(); });
    }
}

definitions::FieldKind described_kind(NumberKind kind) {
    using definitions::FieldKind;
    switch (kind) {
        case NumberKind::integer: return FieldKind::integer;
        case NumberKind::world_distance: return FieldKind::world_distance;
        case NumberKind::game_ticks: return FieldKind::game_ticks;
        case NumberKind::short_fixed: return FieldKind::short_fixed;
        case NumberKind::fixed: return FieldKind::fixed;
        case NumberKind::fraction: return FieldKind::fraction;
        case NumberKind::byte_fraction: return FieldKind::byte_fraction;
        case NumberKind::angle: return FieldKind::angle;
        case NumberKind::angular_speed: return FieldKind::angular_speed;
        case NumberKind::real: return FieldKind::real;
    }
    return FieldKind::integer;
}

}  // namespace toolkit
