#pragma once

// The object properties form (group `obje`): gravity, elasticity, vitality, scale,
// minimum damage and display flags.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace object_form {

inline constexpr int template_id = 149;

inline constexpr int effect_modifiers_button_id = 1052;

void declare(toolkit::Form& form);

}  // namespace object_form

class CObjectDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CObjectDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_object_dialog(tag_code group, tag_code subgroup, QWidget* parent);
