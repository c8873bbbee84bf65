#include "editor/commands/import_font_dialog.h"

#include "editor/data_exchange.h"

#include <QCheckBox>
#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QVBoxLayout>

namespace {

struct OptionBox {
    int id;
    const char* label;
    bool font_import_options::*option;
};

constexpr OptionBox option_boxes[] = {
    {CImportFontDlg::bold_control, "Bold", &font_import_options::bold},
    {CImportFontDlg::italic_control, "Italic", &font_import_options::italic},
    {CImportFontDlg::underline_control, "Underline", &font_import_options::underline},
    {CImportFontDlg::strikeout_control, "Strikeout", &font_import_options::strikeout},
    {CImportFontDlg::antialiased_control, "Antialiased", &font_import_options::antialiased},
    {CImportFontDlg::all_caps_control, "All Caps", &font_import_options::all_caps},
};

}  // namespace

CImportFontDlg::CImportFontDlg(const std::vector<std::string>& families, const std::string& initial_family,
                               QWidget* parent)
    : CTagDialog(dialog_template, NONE, NONE, parent), initial_family_(initial_family) {
    setWindowTitle(QStringLiteral("Import Font"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);

    auto* list = new QListWidget;
    list->setSortingEnabled(true);
    for (const std::string& family : families) list->addItem(QString::fromStdString(family));
    list->setMinimumHeight(160);
    register_control(family_list_control, list);
    fields->addRow(QStringLiteral("Font:"), list);

    auto* size_line = new QHBoxLayout;
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(font_import_smallest_size, font_import_largest_size);
    slider->setValue(font_import_initial_size);
    register_control(size_slider_control, slider);
    auto* size_text = new QLabel;
    size_text->setMinimumWidth(size_text->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    register_control(size_text_control, size_text);
    size_line->addWidget(slider);
    size_line->addWidget(size_text);
    fields->addRow(QStringLiteral("Size:"), size_line);

    auto* options_grid = new QHBoxLayout;
    for (const OptionBox& box : option_boxes) {
        auto* check = new QCheckBox(QString::fromLatin1(box.label));
        register_control(box.id, check);
        options_grid->addWidget(check);
        // Antialiased changes how the characters are stored, not how they look here.
        if (box.id != antialiased_control) connect(check, &QCheckBox::toggled, this, [this] { update_sample(); });
    }
    fields->addRow(QString(), options_grid);

    auto* sample = new QLineEdit;
    sample->setReadOnly(true);
    sample->setMinimumHeight(2 * sample->sizeHint().height());
    register_control(sample_control, sample);
    layout->addWidget(sample);
    layout->addWidget(create_ok_cancel_buttons());

    connect(list, &QListWidget::currentRowChanged, this, [this] { update_sample(); });
    connect(slider, &QSlider::valueChanged, this, [this, size_text](int value) {
        size_text->setText(QString::asprintf("%d", value));
        update_sample();
    });
}

bool CImportFontDlg::OnInitDialog() {
    UpdateData(false);
    setWindowTitle(QStringLiteral("Import Font"));
    auto* list = control_as<QListWidget>(family_list_control);
    const auto found = list->findItems(QString::fromStdString(initial_family_), Qt::MatchExactly);
    if (!found.isEmpty()) list->setCurrentItem(found.front());
    control_as<QLabel>(size_text_control)->setText(
        QString::asprintf("%d", control_as<QSlider>(size_slider_control)->value()));
    update_sample();
    return true;
}

void CImportFontDlg::DoDataExchange(CDataExchange& dx) {
    if (dx.is_loading()) return;
    const QListWidgetItem* family = control_as<QListWidget>(family_list_control)->currentItem();
    options_.family = family ? family->text().toStdString() : std::string();
    options_.point_size = control_as<QSlider>(size_slider_control)->value();
    for (const OptionBox& box : option_boxes) options_.*box.option = control_as<QCheckBox>(box.id)->isChecked();
}

void CImportFontDlg::update_sample() {
    auto* sample = control_as<QLineEdit>(sample_control);
    if (!sample) return;
    const QListWidgetItem* family = control_as<QListWidget>(family_list_control)->currentItem();
    QFont font(family ? family->text() : QString());
    font.setPointSize(control_as<QSlider>(size_slider_control)->value());
    font.setWeight(control_as<QCheckBox>(bold_control)->isChecked() ? QFont::Bold : QFont::Normal);
    font.setItalic(control_as<QCheckBox>(italic_control)->isChecked());
    font.setUnderline(control_as<QCheckBox>(underline_control)->isChecked());
    font.setStrikeOut(control_as<QCheckBox>(strikeout_control)->isChecked());
    sample->setFont(font);
    const QString text = QString::fromLatin1(sample_text);
    sample->setText(control_as<QCheckBox>(all_caps_control)->isChecked() ? text.toUpper() : text);
    sample->setCursorPosition(0);
}
