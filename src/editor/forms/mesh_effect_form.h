#pragma once

// The mesh effect form (group `meef`): shock wave, camera shaking and the shock wave's
// sequence of a collection reference.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace mesh_effect_form {

inline constexpr int template_id = 166;

void declare(toolkit::Form& form);

}  // namespace mesh_effect_form

class CMeshEffectDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CMeshEffectDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_mesh_effect_dialog(tag_code group, tag_code subgroup, QWidget* parent);
