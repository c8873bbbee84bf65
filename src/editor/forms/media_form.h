#pragma once

// The media form (group `medi`): the media record, with a button opening the seven
// splash projectile groups and the reflection tint colour on an owner-drawn button.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace media_form {

inline constexpr int template_id = 192;
inline constexpr int projectile_groups_template_id = 194;

inline constexpr int projectile_groups_button_id = 1076;
inline constexpr int reflection_tint_color_id = 1243;
// Splash projectile group k (from 0) is picker first_projectile_group_id + k.
inline constexpr int first_projectile_group_id = 1254;

void declare(toolkit::Form& form);

}  // namespace media_form

class CMediaDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CMediaDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_media_dialog(tag_code group, tag_code subgroup, QWidget* parent);
