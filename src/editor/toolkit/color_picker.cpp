#include "editor/toolkit/color_picker.h"

#include "editor/platform/services.h"
#include "editor/toolkit/field_conversions.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int component_ids[3] = {color_red_id, color_green_id, color_blue_id};
constexpr const char* component_labels[3] = {"Red:", "Green:", "Blue:"};
constexpr int flag_ids[3] = {color_is_reversed_id, color_uses_global_tint_id, color_is_unused_id};
constexpr const char* flag_labels[3] = {"Is Reversed", "Uses Global Tint", "Is Unused"};

}  // namespace

CCustomColorPickerDlg::CCustomColorPickerDlg(QWidget* parent, int red, int green, int blue, bool with_flags)
    : QDialog(parent), chooser_(new QColorDialog(this)), flags_(new QGroupBox(QStringLiteral("Color Flags"))) {
    setWindowTitle(QStringLiteral("Color"));
    chooser_->setWindowFlags(Qt::Widget);
    chooser_->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    chooser_->setCurrentColor(QColor(red, green, blue));
    // The red, green and blue edits below are the form's own: the chooser's
    // are hidden, so that each value is shown once. Its buttons never take Enter.
    for (QLabel* label : chooser_->findChildren<QLabel*>()) {
        const QString text = label->text().remove(QLatin1Char('&'));
        if (text != QStringLiteral("Red:") && text != QStringLiteral("Green:") && text != QStringLiteral("Blue:")) continue;
        label->hide();
        if (QWidget* buddy = label->buddy()) buddy->hide();
    }
    for (QPushButton* button : chooser_->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto* edits = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        components_[i] = new QLineEdit;
        controls_.add(component_ids[i], components_[i]);
        edits->addRow(QString::fromLatin1(component_labels[i]), components_[i]);
        connect(components_[i], &QLineEdit::textEdited, this, &CCustomColorPickerDlg::follow_edits);
    }
    show_components(chooser_->currentColor());
    connect(chooser_, &QColorDialog::currentColorChanged, this, &CCustomColorPickerDlg::show_components);

    auto* flag_layout = new QVBoxLayout(flags_);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(flag_labels[i]));
        controls_.add(flag_ids[i], box);
        flag_layout->addWidget(box);
    }
    controls_.add(color_flags_group_id, flags_);

    auto* side = new QVBoxLayout;
    side->addLayout(edits);
    side->addWidget(flags_);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(chooser_);
    body->addLayout(side);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCustomColorPickerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCustomColorPickerDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    // Without flags the box is hidden and the window is narrower by its width.
    flags_->setVisible(with_flags);
}

CCustomColorPickerDlg::CCustomColorPickerDlg(QWidget* parent, uint16_t* rgb_words)
    : CCustomColorPickerDlg(parent, rgb_words[0] >> 8, rgb_words[1] >> 8, rgb_words[2] >> 8, true) {
    rgb_words_ = rgb_words;
    for (int i = 0; i < 3; ++i)
        static_cast<QCheckBox*>(controls_.find(flag_ids[i]))->setChecked((rgb_words[3] >> i) & 1);
}

CCustomColorPickerDlg::CCustomColorPickerDlg(QWidget* parent, uint32_t* color_ref)
    : CCustomColorPickerDlg(parent, *color_ref & 0xFF, (*color_ref >> 8) & 0xFF, (*color_ref >> 16) & 0xFF, false) {
    color_ref_ = color_ref;
}

void CCustomColorPickerDlg::show_components(const QColor& color) {
    const int values[3] = {color.red(), color.green(), color.blue()};
    for (int i = 0; i < 3; ++i)
        if (components_[i]->text() != QString::number(values[i])) components_[i]->setText(QString::number(values[i]));
}

void CCustomColorPickerDlg::follow_edits() {
    int values[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        values[i] = components_[i]->text().toInt(&ok);
        if (!ok || values[i] < 0 || values[i] > 255) return;
    }
    const QSignalBlocker quiet(chooser_);
    chooser_->setCurrentColor(QColor(values[0], values[1], values[2]));
}

void CCustomColorPickerDlg::accept() {
    int64_t values[3];
    for (int i = 0; i < 3; ++i) {
        const toolkit::ParseResult entered =
            toolkit::parse_stored(toolkit::integer_format({1, false}), components_[i]->text().toStdString());
        if (!entered.ok()) {
            platform::message_box(this, QString::fromStdString(entered.message), platform::application_name(),
                                  platform::Buttons::ok, platform::Icon::exclamation);
            components_[i]->setFocus();
            components_[i]->selectAll();
            return;
        }
        values[i] = entered.stored;
    }
    if (rgb_words_) {
        // A component or flag the user left as it was keeps its stored bits (the low
        // byte, the unnamed flag bits), so OK on an untouched colour changes nothing.
        for (int i = 0; i < 3; ++i)
            if (values[i] != rgb_words_[i] >> 8) rgb_words_[i] = static_cast<uint16_t>(values[i] * 256);
        for (int i = 0; i < 3; ++i) {
            const auto bit = static_cast<uint16_t>(1 << i);
            const bool checked = static_cast<QCheckBox*>(controls_.find(flag_ids[i]))->isChecked();
            rgb_words_[3] = static_cast<uint16_t>(checked ? (rgb_words_[3] | bit) : (rgb_words_[3] & ~bit));
        }
    } else if (color_ref_) {
        *color_ref_ = static_cast<uint32_t>(values[0] | (values[1] << 8) | (values[2] << 16));
    }
    QDialog::accept();
}

namespace toolkit {

bool pick_rgb_color(QWidget* parent, uint16_t* rgb_words) {
    CCustomColorPickerDlg picker(parent, rgb_words);
    return platform::run_modal(picker) == QDialog::Accepted;
}

bool pick_color_ref(QWidget* parent, uint32_t* color_ref) {
    CCustomColorPickerDlg picker(parent, color_ref);
    return platform::run_modal(picker) == QDialog::Accepted;
}

}  // namespace toolkit
