#pragma once

// The particle system form (group `part`): view distances, velocity ranges, boundary
// conditions around a frame and the two alternating states.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace particle_system_form {

inline constexpr int template_id = 153;

void declare(toolkit::Form& form);

}  // namespace particle_system_form

class CParticleSystemDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CParticleSystemDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_particle_system_dialog(tag_code group, tag_code subgroup, QWidget* parent);
