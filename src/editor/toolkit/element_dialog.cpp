#include "editor/toolkit/element_dialog.h"

#include "editor/data_exchange.h"
#include "editor/platform/services.h"

#include <cstring>
#include <memory>

CElementDialog::CElementDialog(int template_id, const QString& caption, CTagDialog* owner, size_t element_size)
    : CTagDialog(template_id, element_dialog_tag, element_dialog_tag, owner),
      caption_(caption),
      owner_(owner),
      working_(element_size) {}

int32_t CElementDialog::GetCurrentCollection() {
    return owner_ ? owner_->GetCurrentCollection() : CTagDialog::GetCurrentCollection();
}

bool CElementDialog::OnInitDialog() {
    if (element_) std::memcpy(working_.data(), element_, working_.size());
    UpdateData(false);
    setWindowTitle(caption_);
    return true;
}

void CElementDialog::DoDataExchange(CDataExchange& dx) {
    exchange_element(dx);
    if (dx.is_saving() && !dx.failed() && element_) std::memcpy(element_, working_.data(), working_.size());
}

namespace toolkit {

bool run_element_dialog(const ElementDialogFactory& factory, const QString& caption, CTagDialog* owner,
                        void* element) {
    const std::unique_ptr<CElementDialog> dialog(factory(caption, owner));
    if (!dialog) return false;
    dialog->set_element(element);
    return platform::run_modal(*dialog) == QDialog::Accepted;
}

}  // namespace toolkit
