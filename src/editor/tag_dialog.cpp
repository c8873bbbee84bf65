#include "editor/tag_dialog.h"

#include "core/byte_swap.h"
#include "core/tag_code.h"
#include "editor/character_translation.h"
#include "editor/data_exchange.h"
#include "editor/platform/services.h"
#include "editor/tag_group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include <cstring>

namespace {

void convert_record(void* record, int32_t size, std::span<const int16_t> codes) {
    if (!codes.empty()) byte_swap_data("tag record", record, size, 1, codes);
}

void report(QWidget* owner, const QString& text) {
    platform::message_box(owner, text, platform::application_name(), platform::Buttons::ok,
                          platform::Icon::none);
}

void version_warning(QWidget* owner, const QString& text) {
    platform::message_box(owner, text, QStringLiteral("Version Warning"), platform::Buttons::ok,
                          platform::Icon::exclamation);
}

}  // namespace

CTagDialog::CTagDialog(int template_id, uint32_t group_tag, uint32_t subgroup, QWidget* parent)
    : QDialog(parent), template_id_(template_id), group_tag_(group_tag), subgroup_(subgroup) {}

CTagDialog::~CTagDialog() = default;

int32_t CTagDialog::GetCurrentCollection() { return NONE; }

void CTagDialog::register_control(int control_id, QWidget* control) {
    controls_[control_id] = control;
    control->setObjectName(QString::number(control_id));
}

QWidget* CTagDialog::control(int control_id) const {
    const auto found = controls_.find(control_id);
    return found == controls_.end() ? nullptr : found->second;
}

QDialogButtonBox* CTagDialog::create_ok_cancel_buttons() {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    register_control(control_id_ok, ok);
    register_control(control_id_cancel, buttons->button(QDialogButtonBox::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTagDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTagDialog::reject);
    return buttons;
}

bool CTagDialog::UpdateData(bool save) {
    CDataExchange dx(*this, save ? CDataExchange::Direction::save : CDataExchange::Direction::load);
    DoDataExchange(dx);
    return !dx.failed();
}

void CTagDialog::DoDataExchange(CDataExchange&) {}

namespace {

QString& read_only_reason() {
    static QString reason;
    return reason;
}

}  // namespace

void CTagDialog::set_read_only_reason(const QString& reason) { read_only_reason() = reason; }

void CTagDialog::setVisible(bool visible) {
    if (visible && !initialized_) {
        initialized_ = true;
        OnInitDialog();
        if (!read_only_reason().isEmpty()) {
            refuse_saving();
            if (QWidget* ok = control(control_id_ok)) ok->setToolTip(read_only_reason());
        }
    }
    QDialog::setVisible(visible);
}

bool CTagDialog::OnInitDialog() {
    UpdateData(false);
    const tag_handle handle = tag_find(group_tag_, subgroup_);
    const int16_t tag_version = tag_get_version(handle);
    const int16_t current_version = tag_group_get_version(group_tag_);
    // A tag that is gone has no version to compare; its read failure said so.
    if (handle != NONE && tag_version != current_version) {
        version_warning(this, QString::asprintf("Warning: expected version %d, got version %d",
                                                current_version, tag_version));
    }
    setWindowTitle(text_from_windows_1252(tag_get_name(handle)) +
                   QString::asprintf(" (%4.4s)", tag_code_to_text(subgroup_)));
    return true;
}

void CTagDialog::accept() {
    if (read_failed_) return;
    if (UpdateData(true)) QDialog::accept();
}

void CTagDialog::refuse_saving() {
    read_failed_ = true;
    if (QWidget* ok = control(control_id_ok)) ok->setEnabled(false);
}

bool CTagDialog::read_tag_record(CDataExchange& dx, void* record, int32_t size, std::span<const int16_t> codes) {
    if (dx.is_saving()) return true;
    const tag_handle handle = tag_find(group_tag_, subgroup_);
    if (empty_reads_as_zero_ && handle != NONE && tag_get_size(handle) == 0) {
        std::memset(record, 0, static_cast<size_t>(size));
        convert_record(record, size, codes);
        return true;
    }
    const bool read = tag_file_read(handle, 0, size, record);
    tag_file_close_local();
    if (!read) {
        // Whatever part of the record was read is no record at all.
        std::memset(record, 0, static_cast<size_t>(size));
        report_read_failure();
        return false;
    }
    convert_record(record, size, codes);
    return true;
}

bool CTagDialog::write_tag_record(CDataExchange& dx, void* record, int32_t size, std::span<const int16_t> codes) {
    if (dx.is_loading()) return true;
    if (dx.failed() || read_failed_) return false;
    convert_record(record, size, codes);
    tag_handle handle = tag_find(group_tag_, subgroup_);
    const bool written = tag_file_write(handle, 0, size, record);
    convert_record(record, size, codes);
    return finish_tag_write(dx, written, record);
}

void CTagDialog::report_read_failure() {
    report(this, QStringLiteral("Error reading tag file!"));
    refuse_saving();
}

bool CTagDialog::finish_tag_write(CDataExchange& dx, bool written, const void* record) {
    if (!written) {
        report(this, QStringLiteral("Error writing tag file!"));
        dx.fail();
        return false;
    }
    tag_handle handle = tag_find(group_tag_, subgroup_);
    const int16_t current_version = tag_group_get_version(group_tag_);
    if (tag_get_version(handle) != current_version) {
        version_warning(this, QString::asprintf("Updating the version number to %d", current_version));
        tag_set_version(handle, current_version);
    }
    if (const auto user_data = CTagGroupRegistry::get_user_data_function(group_tag_)) {
        tag_set_user_data(handle, static_cast<uint32_t>(user_data(record)));
    }
    tag_file_close_local();
    return true;
}
