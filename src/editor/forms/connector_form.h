#pragma once

// The connector form (group `conn`): a collection reference with its normal and
// damaged sequences and two placement values.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace connector_form {

inline constexpr int template_id = 144;

void declare(toolkit::Form& form);

}  // namespace connector_form

class CConnectorDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CConnectorDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_connector_dialog(tag_code group, tag_code subgroup, QWidget* parent);
