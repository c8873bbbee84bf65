#pragma once

// The element dialogs of the two damage sub-records that several groups hold:
// `CDamageDlg` (template 163) on a damage definition and `CEffectModifiersDlg`
// (template 150) on the nine damage effect modifiers. Whoever opens one gives the
// caption ("Projectile Damage", "Bonus Effect Modifiers", ...).
//
//     form.element_button(1143, "Edit Damage...", "Projectile Damage",
//                         Field::whole(&projectile_definition::damage), toolkit::damage_dialog());

#include "editor/toolkit/element_dialog.h"
#include "editor/toolkit/form_dialogs.h"

inline constexpr int damage_template_id = 163;
inline constexpr int effect_modifiers_template_id = 150;

// Damage flag check boxes are numbered after their bit (toolkit::flag_check_id).
inline constexpr int damage_type_id = 1146;
inline constexpr int damage_lower_id = 1144;
inline constexpr int damage_upper_id = 1145;
inline constexpr int damage_radius_lower_id = 1009;
inline constexpr int damage_radius_upper_id = 1010;
inline constexpr int damage_rate_of_expansion_id = 1148;
inline constexpr int damage_to_velocity_id = 1149;
// Modifier k (0 to 8) is edit first_effect_modifier_id + k.
inline constexpr int first_effect_modifier_id = 1054;

class CDamageDlg : public CFormElementDialog {
    Q_OBJECT

public:
    CDamageDlg(const QString& caption, CTagDialog* owner);
};

class CEffectModifiersDlg : public CFormElementDialog {
    Q_OBJECT

public:
    CEffectModifiersDlg(const QString& caption, CTagDialog* owner);
};

namespace toolkit {

ElementDialogFactory damage_dialog();
ElementDialogFactory effect_modifiers_dialog();

}  // namespace toolkit
