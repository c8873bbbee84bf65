#pragma once

// The interface form (group `inte`): the interface collection and six fonts.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace interface_form {

inline constexpr int template_id = 146;

void declare(toolkit::Form& form);

}  // namespace interface_form

class CInterfaceDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CInterfaceDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_interface_dialog(tag_code group, tag_code subgroup, QWidget* parent);
