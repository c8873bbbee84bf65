#pragma once

// The formations form (group `form`): the spacing constants of the nine formations,
// one tab page per formation.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace formations_form {

inline constexpr int template_id = 204;
inline constexpr int tabs_id = 1313;

void declare(toolkit::Form& form);

}  // namespace formations_form

class CFormationsDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CFormationsDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_formations_dialog(tag_code group, tag_code subgroup, QWidget* parent);
