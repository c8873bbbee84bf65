#include "editor/commands/tag_info_dialog.h"

#include "editor/character_translation.h"
#include "editor/commands/tag_name_entry.h"
#include "editor/data_exchange.h"
#include "editor/toolkit/exchange_failure.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_header.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <array>
#include <optional>

namespace {

// The edit box's frame and text margins on both sides.
constexpr int name_box_margin = 12;

// Entry n stands for the destination n, the foundation file a rebuild puts the tag into.
const char* const destination_names[tag_destination_count] = {
    "Small Install", "Medium Install", "Large Install", "Small Interface", "Large Interface"};

}  // namespace

CTagInfoDlg::CTagInfoDlg(tag_code group, tag_code subgroup, QWidget* parent)
    : CTagDialog(dialog_template, group, subgroup, parent) {
    setWindowTitle(QStringLiteral("Tag Info"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    auto add_row = [&](const char* label, int control_id, QWidget* control) {
        register_control(control_id, control);
        fields->addRow(QString::fromLatin1(label), control);
    };
    add_row("Group:", group_text_control, new QLabel(this));
    add_row("Subgroup:", subgroup_text_control, new QLabel(this));
    auto* name_edit = new QLineEdit(this);
    // Room for the longest name a tag can have, in a wide letter.
    name_edit->setMinimumWidth(name_edit->fontMetrics().horizontalAdvance(
                                   QString(tag_name_maximum_length, QLatin1Char('M'))) +
                               name_box_margin);
    add_row("Name:", name_control, name_edit);
    add_row("Size:", size_text_control, new QLabel(this));
    add_row("Version:", version_text_control, new QLabel(this));
    auto* destinations = new QComboBox(this);
    for (const char* name : destination_names) destinations->addItem(QString::fromLatin1(name));
    add_row("Destination:", destination_control, destinations);
    layout->addWidget(create_ok_cancel_buttons());
}

bool CTagInfoDlg::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CTagInfoDlg::DoDataExchange(CDataExchange& dx) {
    auto* name_edit = control_as<QLineEdit>(name_control);
    auto* destinations = control_as<QComboBox>(destination_control);
    if (dx.is_saving()) {
        dx.prepare_control(name_control);
        const std::optional<std::string> name = entered_tag_name(dx, name_edit);
        if (!name) return;
        if (const tag_handle other = other_tag_named(*name); other != NONE) {
            const QString used = text_from_windows_1252(tag_get_name(other));
            toolkit::refuse_entry(dx, QStringLiteral("The name \"%1\" is already used by %2/%1.")
                                          .arg(used, text_from_windows_1252(tag_group_get_folder_name(group_tag())))
                                          .toStdString());
            return;
        }
        name_ = *name;
        destination_ = static_cast<int16_t>(destinations->currentIndex());
        return;
    }
    const tag_handle handle = tag_find(group_tag(), subgroup());
    const auto set_text = [this](int control_id, const QString& text) { control_as<QLabel>(control_id)->setText(text); };
    set_text(group_text_control, text_from_windows_1252(tag_group_get_folder_name(group_tag())) +
                                     QString::asprintf(" (%4.4s)", tag_code_to_text(group_tag())));
    set_text(subgroup_text_control, QString::asprintf("(%4.4s)", tag_code_to_text(subgroup())));
    set_text(size_text_control, QString::asprintf("%d bytes", static_cast<int>(tag_get_size(handle))));
    set_text(version_text_control, QString::number(tag_get_version(handle)));
    name_ = tag_get_name(handle);
    name_edit->setText(text_from_windows_1252(name_));
    const int16_t destination = tag_get_destination(handle);
    destination_ = destination >= 0 && destination < tag_destination_count ? destination : int16_t{-1};
    destinations->setCurrentIndex(destination_);
}

tag_handle CTagInfoDlg::other_tag_named(const std::string& name) const {
    std::array<tag_handle, tag_group_list_limit> handles;
    const int32_t count = tag_list_of_group(group_tag(), handles.data());
    for (int32_t index = 0; index < count; ++index) {
        if (tag_get_subgroup(handles[index]) != subgroup() &&
            compare_text_ignoring_case(tag_get_name(handles[index]), name) == 0)
            return handles[index];
    }
    return NONE;
}

void CTagInfoDlg::accept() {
    if (!UpdateData(true)) return;
    tag_handle handle = tag_find(group_tag(), subgroup());
    // A rename may make a monolithic tag local, which moves it to another slot:
    // the destination is set on the handle the rename leaves.
    tag_rename(handle, name_.c_str());
    tag_set_destination(handle, destination_);
    tag_file_close_local();
    QDialog::accept();
}
