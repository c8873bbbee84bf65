#pragma once

// The wind form (group `wind`, "Edit Wind"): how often the wind changes, how fast it
// turns toward a new target and the range each velocity component is drawn from.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace wind_form {

inline constexpr int template_id = 137;

void declare(toolkit::Form& form);

}  // namespace wind_form

class CWindDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CWindDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_wind_dialog(tag_code group, tag_code subgroup, QWidget* parent);
