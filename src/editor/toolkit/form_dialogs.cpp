#include "editor/toolkit/form_dialogs.h"

#include "editor/data_exchange.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace {

void lay_out(CTagDialog& dialog, toolkit::Form& form) {
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(form.widget());
    layout->addWidget(dialog.create_ok_cancel_buttons());
}

}  // namespace

CFormTagDialog::CFormTagDialog(int template_id, tag_code group, tag_code subgroup, QWidget* parent,
                               size_t record_size, std::span<const int16_t> codes, const FormDeclaration& declare)
    : CTagDialog(template_id, group, subgroup, parent),
      record_(record_size),
      codes_(codes),
      form_(*this, record_.data(), record_size) {
    declare(form_);
    lay_out(*this, form_);
}

int32_t CFormTagDialog::GetCurrentCollection() {
    return form_.has_current_collection_picker() ? form_.current_collection() : CTagDialog::GetCurrentCollection();
}

void CFormTagDialog::DoDataExchange(CDataExchange& dx) {
    const auto size = static_cast<int32_t>(record_.size());
    if (!read_tag_record(dx, record_.data(), size, codes_)) return;
    if (dx.is_loading())
        for (const auto& convert : form_.separate_conversions()) convert();
    form_.exchange(dx);
    if (dx.is_loading() || dx.failed()) return;
    for (const auto& convert : form_.separate_conversions()) convert();
    write_tag_record(dx, record_.data(), size, codes_);
    for (const auto& convert : form_.separate_conversions()) convert();
}

CFormElementDialog::CFormElementDialog(int template_id, const QString& caption, CTagDialog* owner,
                                       size_t element_size, const FormDeclaration& declare)
    : CElementDialog(template_id, caption, owner, element_size),
      form_(*this, working_element(), element_size) {
    declare(form_);
    lay_out(*this, form_);
}

int32_t CFormElementDialog::GetCurrentCollection() {
    return form_.has_current_collection_picker() ? form_.current_collection() : CElementDialog::GetCurrentCollection();
}

void CFormElementDialog::exchange_element(CDataExchange& dx) { form_.exchange(dx); }

namespace toolkit {

ElementDialogFactory form_element_dialog(int template_id, size_t element_size, FormDeclaration declare) {
    return [template_id, element_size, declare](const QString& caption, CTagDialog* owner) -> CElementDialog* {
        return new CFormElementDialog(template_id, caption, owner, element_size, declare);
    };
}

}  // namespace toolkit
