#pragma once

// The mesh lighting form (group `meli`): incident light, intensities, shadows and
// smoothing; its 16.16 numbers show two decimals.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace mesh_lighting_form {

inline constexpr int template_id = 168;

void declare(toolkit::Form& form);

}  // namespace mesh_lighting_form

class CMeshLightingDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CMeshLightingDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_mesh_lighting_dialog(tag_code group, tag_code subgroup, QWidget* parent);
