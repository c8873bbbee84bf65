#pragma once

// Dialogs whose body is a form declaration: a group form over a tag's record, and an
// element dialog over a sub-record of its owner's record.
//
//     void declare_monster_form(toolkit::Form& form) { form.distance(...); ... }
//     CTagDialog* create_monster_dialog(tag_code group, tag_code subgroup, QWidget* parent) {
//         return new CFormTagDialog(154, group, subgroup, parent, sizeof(monster_definition),
//                                   monster_definition_codes, declare_monster_form);
//     }

#include "core/tag_code.h"
#include "editor/tag_dialog.h"
#include "editor/toolkit/element_dialog.h"
#include "editor/toolkit/form.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

using FormDeclaration = std::function<void(toolkit::Form&)>;

class CFormTagDialog : public CTagDialog {
    Q_OBJECT

public:
    // Builds the controls from `declare`; nothing is read until the dialog opens.
    CFormTagDialog(int template_id, tag_code group, tag_code subgroup, QWidget* parent, size_t record_size,
                   std::span<const int16_t> codes, const FormDeclaration& declare);

    toolkit::Form& form() { return form_; }
    // The record in host order while the dialog is open.
    template <class Record>
    Record& record() {
        return form_.record<Record>();
    }

    // The selection of the form's collection picker, when it declares one.
    int32_t GetCurrentCollection() override;

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    std::vector<std::byte> record_;
    std::span<const int16_t> codes_;
    toolkit::Form form_;
};

class CFormElementDialog : public CElementDialog {
    Q_OBJECT

public:
    CFormElementDialog(int template_id, const QString& caption, CTagDialog* owner, size_t element_size,
                       const FormDeclaration& declare);

    toolkit::Form& form() { return form_; }
    int32_t GetCurrentCollection() override;

protected:
    void exchange_element(CDataExchange& dx) override;

private:
    toolkit::Form form_;
};

namespace toolkit {

// A factory of element dialogs built from a declaration over `element_size` bytes.
ElementDialogFactory form_element_dialog(int template_id, size_t element_size, FormDeclaration declare);

}  // namespace toolkit
