#pragma once

// The local projectile group form (group `lpgr`): collection reference, physics and
// sequences of the particles, their ranges and flags, and the start-up, duration and
// ending transitions, each enabled by its check box.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace local_projectile_group_form {

inline constexpr int template_id = 177;

inline constexpr int collection_reference_id = 1039;
inline constexpr int flight_sequence_id = 1044;
inline constexpr int stain_sequence_id = 1029;
inline constexpr int has_startup_transition_id = 1154;
inline constexpr int has_ending_transition_id = 1159;
inline constexpr int has_finite_duration_id = 1181;

// The transitions' check boxes keep their own ids; the other flags' are numbered
// after their bit.
int flag_id(uint32_t mask);

void declare(toolkit::Form& form);

}  // namespace local_projectile_group_form

class CLocalProjectileGroupDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CLocalProjectileGroupDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_local_projectile_group_dialog(tag_code group, tag_code subgroup, QWidget* parent);
