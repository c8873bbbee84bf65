#pragma once

// The artifact form (group `arti`): charges, restrictions, inventory picture and
// projectile, with buttons opening the bonus effect modifiers and the override attack
// (the monster form's attack dialog) on parts of the same record.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace artifact_form {

inline constexpr int template_id = 201;
inline constexpr int collection_id = 1039;
inline constexpr int inventory_sequence_id = 1021;
inline constexpr int vanish_time_period_id = 1295;
inline constexpr int effect_modifiers_button_id = 1288;
inline constexpr int override_attack_button_id = 1289;

void declare(toolkit::Form& form);

}  // namespace artifact_form

class CArtifactDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CArtifactDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_artifact_dialog(tag_code group, tag_code subgroup, QWidget* parent);
