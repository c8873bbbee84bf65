#pragma once

// The local physics form (group `phys`): the physics type and a button opening the
// dialog of that type on the record's parameter block.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace local_physics_form {

inline constexpr int template_id = 179;

inline constexpr int type_id = 1146;
inline constexpr int parameters_button_id = 1182;

void declare(toolkit::Form& form);

}  // namespace local_physics_form

class CLocalPhysicsDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CLocalPhysicsDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_local_physics_dialog(tag_code group, tag_code subgroup, QWidget* parent);
