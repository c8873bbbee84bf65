#pragma once

// The observer physics constants form (group `obpc`): seven buttons, one per kind of
// camera motion, each opening the velocity parameters dialog on that motion's set.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace observer_constants_form {

inline constexpr int template_id = 190;
inline constexpr int velocity_parameters_template_id = 191;

void declare(toolkit::Form& form);

}  // namespace observer_constants_form

class CObserverConstantsDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CObserverConstantsDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_observer_constants_dialog(tag_code group, tag_code subgroup, QWidget* parent);
