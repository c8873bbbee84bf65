#include "editor/toolkit/damage_dialogs.h"

#include "definitions/projectile_definitions.h"

namespace {

using definitions::damage_definition;
using toolkit::Field;

void declare_damage(toolkit::Form& form) {
    form.enumeration(damage_type_id, "Type:", &damage_definition::type, definitions::damage_type_names, 1);
    form.short_fixed_range(damage_lower_id, damage_upper_id, "Damage:", &damage_definition::damage_lower,
                           &damage_definition::damage_delta);
    form.distance_range(damage_radius_lower_id, damage_radius_upper_id, "Radius:", &damage_definition::radius_lower,
                        &damage_definition::radius_delta);
    form.distance(damage_rate_of_expansion_id, "Rate of Expansion:", &damage_definition::rate_of_expansion);
    form.short_fixed(damage_to_velocity_id, "Damage to Velocity:", &damage_definition::damage_to_velocity);
    form.column();
    form.group("Flags", [&form] {
        for (const definitions::NamedValue& bit : definitions::damage_flag_names) {
            const auto mask = static_cast<uint32_t>(bit.value);
            form.flag(toolkit::flag_check_id(mask), bit.name, &damage_definition::flags, mask);
        }
    });
}

void declare_effect_modifiers(toolkit::Form& form) {
    for (const definitions::NamedValue& modifier : definitions::damage_effect_modifier_names)
        form.short_fixed(first_effect_modifier_id + modifier.value, modifier.name,
                         Field(&definitions::damage_effect_modifiers::modifiers, static_cast<size_t>(modifier.value)));
}

}  // namespace

CDamageDlg::CDamageDlg(const QString& caption, CTagDialog* owner)
    : CFormElementDialog(damage_template_id, caption, owner, sizeof(damage_definition), declare_damage) {}

CEffectModifiersDlg::CEffectModifiersDlg(const QString& caption, CTagDialog* owner)
    : CFormElementDialog(effect_modifiers_template_id, caption, owner, sizeof(definitions::damage_effect_modifiers),
                         declare_effect_modifiers) {}

namespace toolkit {

ElementDialogFactory damage_dialog() {
    return [](const QString& caption, CTagDialog* owner) -> CElementDialog* { return new CDamageDlg(caption, owner); };
}

ElementDialogFactory effect_modifiers_dialog() {
    return [](const QString& caption, CTagDialog* owner) -> CElementDialog* {
        return new CEffectModifiersDlg(caption, owner);
    };
}

}  // namespace toolkit
