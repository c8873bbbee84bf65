#pragma once

// The projectile form (group `proj`): the whole 256-byte record, with buttons opening
// the damage dialog on its damage definition and the flags dialog on the flags that
// the main form leaves out.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace projectile_form {

inline constexpr int template_id = 173;
inline constexpr int flags_template_id = 175;

inline constexpr int collection_id = 1039;
inline constexpr int flight_sequence_id = 1044;
inline constexpr int debris_sequence_id = 1045;
inline constexpr int bounce_sequence_id = 1046;
inline constexpr int contrail_id = 1050;
inline constexpr int promotion_projectile_id = 1052;
inline constexpr int maximum_contrails_check_id = 1162;
inline constexpr int maximum_contrails_id = 1177;
inline constexpr int lifespan_check_id = 1168;
inline constexpr int lifespan_lower_id = 1189;
inline constexpr int lifespan_upper_id = 1190;
inline constexpr int damage_button_id = 1143;
inline constexpr int flags_button_id = 1078;

// Bits of the flags word the main form shows; the flags dialog shows the others.
inline constexpr uint32_t main_form_flags = 0x8 | 0x10 | 0x20 | 0x40 | 0x400 | 0x1000 | 0x2000 | 0x4000 | 0x20000;

void declare(toolkit::Form& form);

}  // namespace projectile_form

class CProjectileDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CProjectileDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_projectile_dialog(tag_code group, tag_code subgroup, QWidget* parent);
