// What a row may be asked after it is built: enabled or shown by a check box,
// made optional, exchanged only while a condition holds.

#include "editor/toolkit/form.h"

#include "editor/data_exchange.h"
#include "editor/toolkit/control_state.h"
#include "editor/toolkit/form_parts.h"
#include "editor/toolkit/stored_value.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

#include <algorithm>

namespace toolkit {

Row& Row::enabled_by(int check_id) {
    std::vector<QWidget*> widgets = widgets_;
    form_.dependencies_.push_back([this, check_id, widgets] {
        const auto* check = form_.dialog_.control_as<QAbstractButton>(check_id);
        for (QWidget* widget : widgets) widget->setEnabled(!check || check->isChecked());
    });
    return *this;
}

Row& Row::shown_by(int check_id) {
    std::vector<QWidget*> widgets = widgets_;
    form_.dependencies_.push_back([this, check_id, widgets] {
        const auto* check = form_.dialog_.control_as<QAbstractButton>(check_id);
        for (QWidget* widget : widgets) widget->setVisible(!check || check->isChecked());
    });
    return *this;
}

Row& Row::enabled_while_chosen(int picker_id) {
    auto* picker = form_.dialog_.control_as<QComboBox>(picker_id);
    if (!picker) qFatal("row enabled by picker %d, which is not declared before it", picker_id);
    const std::vector<QWidget*> widgets = widgets_;
    const auto update = [picker, widgets] {
        for (QWidget* widget : widgets) widget->setEnabled(selected_reference(picker) != NONE);
    };
    form_.dependencies_.push_back(update);
    QObject::connect(picker, &QComboBox::currentIndexChanged, picker, update);
    return *this;
}

Row& Row::optional(int check_id, const QString& label, int64_t sentinel, WhenAbsent look) {
    auto* check = new QCheckBox(label);
    form_.dialog_.register_control(check_id, check);
    // The box takes the place of the row's label, or leads its line. The row was just
    // placed in the form's current box; a column of a box is a layout nested in the
    // box's own, so the widget's parent does not lead to it.
    QWidget* first = widgets_.front();
    const Form::Box& placed = *form_.boxes_.back();
    if (QFormLayout* form_layout = placed.line ? nullptr : placed.column) {
        int index = -1;
        QFormLayout::ItemRole role{};
        form_layout->getWidgetPosition(first, &index, &role);
        if (role == QFormLayout::LabelRole) {
            form_layout->removeWidget(first);
            first->hide();
            widgets_.erase(widgets_.begin());
            form_layout->setWidget(index, QFormLayout::LabelRole, check);
        } else {
            form_layout->insertRow(index, check);
        }
    } else if (placed.line) {
        placed.line->insertWidget(placed.line->indexOf(first), check);
    }

    look == WhenAbsent::hidden ? shown_by(check_id) : enabled_by(check_id);

    auto inner = exchange_;
    const std::vector<Field> fields = fields_;
    const std::vector<QWidget*> controls = controls_;
    std::byte* record = form_.record_;
    std::optional<NumberFormat> format = format_;
    exchange_ = [inner, fields, controls, record, check, sentinel, format](CDataExchange& dx) {
        const auto holds_sentinel = [&] {
            return std::all_of(fields.begin(), fields.end(), [&](const Field& field) {
                return load_stored(record + field.offset, field.storage()) == sentinel;
            });
        };
        if (dx.is_loading()) {
            inner(dx);
            const bool present = !holds_sentinel();
            check->setChecked(present);
            remember_loaded_state(check);
            if (!present && format) {
                for (QWidget* control : controls)
                    if (auto* edit = qobject_cast<QLineEdit*>(control))
                        edit->setText(QString::fromStdString(format_stored(*format, 0)));
            }
            return;
        }
        if (check->isChecked()) {
            inner(dx);
            return;
        }
        if (dx.failed() || (!changed_since_load(check) && holds_sentinel())) return;
        for (const Field& field : fields) store_stored(record + field.offset, field.storage(), sentinel);
    };
    return *this;
}

Row& Row::exchanged_if(std::function<bool()> condition) {
    condition_ = std::move(condition);
    return *this;
}

Row& Row::on_change(std::function<void()> handler) {
    for (QWidget* control : controls_) connect_user_change(control, handler);
    return *this;
}

Row& Row::overlays(definitions::FieldKind described) {
    for (RowField& shown : description_.fields) shown.kind = described;
    return *this;
}

}  // namespace toolkit
