#pragma once

// The projectile group form (group `prgr`): mesh effect, sound and local projectile
// group, and the element list of up to fifteen parts.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace projectile_group_form {

inline constexpr int template_id = 141;
inline constexpr int part_template_id = 143;
inline constexpr int part_list_id = 1016;

void declare(toolkit::Form& form);

}  // namespace projectile_group_form

class CProjectileGroupDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CProjectileGroupDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_projectile_group_dialog(tag_code group, tag_code subgroup, QWidget* parent);
