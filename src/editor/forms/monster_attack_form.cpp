#include "editor/forms/monster_attack_form.h"

#include "definitions/monster_definitions.h"
#include "editor/toolkit/form_dialogs.h"

namespace monster_form {

namespace {

using definitions::attack_definition;
using definitions::attack_sequence;
using toolkit::Field;

constexpr tag_code projectiles = make_tag("proj");

void declare_attack_sequence(toolkit::Form& form) {
    form.flag(1113, "Normal", &attack_sequence::flags, 0x1);
    form.flag(1114, "Declinated", &attack_sequence::flags, 0x2);
    form.flag(1115, "Elevated", &attack_sequence::flags, 0x4);
    form.current_collection_sequence(attack_sequence_picker_id, "Sequence:", &attack_sequence::sequence);
    form.fraction(1116, "Skip Fraction:", &attack_sequence::skip_fraction);
}

// The list edits the element dialog's working copy of the attack, so the sequences
// reach the attack only when the attack dialog ends with OK.
SequenceListConfig attack_sequences_config() {
    return {sizeof(attack_sequence), offsetof(attack_sequence, sequence),
            toolkit::form_element_dialog(attack_sequence_template_id, sizeof(attack_sequence),
                                         declare_attack_sequence)};
}

void declare_attack(toolkit::Form& form) {
    form.reference(1026, "Projectile:", projectiles, &attack_definition::projectile);
    form.fraction(1104, "Miss Fraction:", &attack_definition::miss_fraction);
    form.distance(1101, "Minimum Range:", &attack_definition::minimum_range);
    form.distance(1102, "Maximum Range:", &attack_definition::maximum_range);
    form.integer(1103, "Repetitions:", &attack_definition::repetitions);
    form.distance_range(1111, 1105, "Initial Velocity:", &attack_definition::initial_velocity_lower,
                        &attack_definition::initial_velocity_delta);
    form.distance(1106, "Initial Velocity Error:", &attack_definition::initial_velocity_error);
    form.distance(1107, "Velocity Experience Delta:", &attack_definition::velocity_experience_delta);
    form.ticks(1108, "Recovery Time:", &attack_definition::recovery_time);
    form.ticks(1109, "Recovery Time Experience Delta:", &attack_definition::recovery_time_experience_delta);
    form.short_fixed(1110, "Mana Cost:", &attack_definition::mana_cost);
    form.flag(1114, "Can be used against friendly units", &attack_definition::usage_flags, 0x1);
    form.flag(1116, "Player can interrupt", &attack_definition::usage_flags, 0x4);
    form.group("Sequences", [&form] {
        form.sequence_list(attack_sequence_list_id, attack_sequences_config(),
                           Field::whole(&attack_definition::sequences), 4);
    });
    form.column();
    form.group("Flags", [&form] {
        for (const definitions::NamedValue& bit : definitions::attack_flag_names)
            form.flag(attack_flag_id(static_cast<uint16_t>(bit.value)), bit.name, &attack_definition::flags,
                      static_cast<uint32_t>(bit.value));
    });
}

}  // namespace

ElementDialogFactory attack_dialog() {
    return toolkit::form_element_dialog(attack_template_id, sizeof(attack_definition), declare_attack);
}

const ElementListConfig& attack_list_config() {
    static const ElementListConfig config{
        sizeof(attack_definition),
        offsetof(attack_definition, projectile),
        QStringLiteral("Attack #"),
        definitions::monster_attack_capacity,
        projectiles,
        attack_dialog(),
        &definitions::attack_definition_default,
    };
    return config;
}

}  // namespace monster_form
