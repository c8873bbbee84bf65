#include "editor/forms/monster_part_forms.h"

#include "definitions/monster_definitions.h"
#include "editor/toolkit/form_dialogs.h"

#include <span>

namespace monster_form {

namespace {

using definitions::monster_definition;
using definitions::NamedValue;
using toolkit::Field;

// Bits of the flags word that the main dialog edits beside the fields they concern.
constexpr uint32_t main_dialog_flags = 0x200000 | 0x400000 | 0x8000000;

void declare_sequences(toolkit::Form& form) {
    for (const NamedValue& slot : definitions::monster_sequence_names)
        form.current_collection_sequence(first_sequence_id + slot.value, slot.name,
                                         Field::at<int16_t>(static_cast<uint32_t>(slot.value) * 2));
}

// A byte holding 0xFF is the cost of a terrain that cannot be entered, not flags.
void extended_flags(toolkit::Form& form, int byte_offset, std::span<const NamedValue> bits) {
    const auto holds_flags = [&form, byte_offset] { return form.record_bytes()[byte_offset] != std::byte{0xFF}; };
    for (const NamedValue& bit : bits) {
        const auto mask = static_cast<uint8_t>(bit.value);
        form.flag(extended_flag_id(byte_offset, mask), bit.name, Field::at<uint8_t>(static_cast<uint32_t>(byte_offset)),
                  mask)
            .exchanged_if(holds_flags)
            .overlays(definitions::FieldKind::integer);
    }
}

void declare_flags(toolkit::Form& form) {
    int row = 0;
    for (const NamedValue& bit : definitions::monster_flag_names) {
        const auto mask = static_cast<uint32_t>(bit.value);
        if ((mask & main_dialog_flags) != 0) continue;
        if (row++ == 13) form.column();
        form.flag(flag_id(mask), bit.name, &monster_definition::flags, mask);
    }
    form.column();
    form.group("Extended Flags", [&form] {
        extended_flags(form, definitions::monster_grass_extended_flags_offset,
                       definitions::monster_grass_extended_flag_names);
        extended_flags(form, definitions::monster_desert_extended_flags_offset,
                       definitions::monster_desert_extended_flag_names);
        extended_flags(form, definitions::monster_sloped_extended_flags_offset,
                       definitions::monster_sloped_extended_flag_names);
    });
}

void declare_sounds(toolkit::Form& form) {
    for (int slot = 0; slot < definitions::monster_sound_slots; ++slot) {
        form.line(QStringLiteral("Sound %1:").arg(slot + 1), [&form, slot] {
            form.reference(first_sound_id + slot, QString(), make_tag("soun"), Field(&monster_definition::sounds, slot));
            form.enumeration(first_sound_type_id + slot, QString(), Field(&monster_definition::sound_types, slot),
                             definitions::monster_sound_type_names, 1);
        });
    }
}

// A clear check box means the terrain cannot be entered: the cost becomes -1 and
// the row's boxes hide; checking it again offers a cost of 0.
void declare_terrain(toolkit::Form& form) {
    form.distance(base_movement_speed_id, "Base Movement Speed:", &monster_definition::base_movement_speed);
    form.grid([&form] {
        for (const NamedValue& terrain : definitions::monster_terrain_names) {
            const int i = terrain.value;
            form.line(QString(), [&form, &terrain, i] {
                form.integer(first_terrain_cost_id + i, "Cost", Field(&monster_definition::terrain_costs, i))
                    .optional(first_terrain_check_id + i, terrain.name, -1, toolkit::WhenAbsent::hidden);
                form.byte_fraction(first_terrain_speed_id + i, "Speed", Field(&monster_definition::terrain_speeds, i))
                    .shown_by(first_terrain_check_id + i);
            });
        }
    });
}

}  // namespace

ElementDialogFactory sequences_dialog() {
    return toolkit::form_element_dialog(sequences_template_id, sizeof(monster_definition::sequences),
                                        declare_sequences);
}

ElementDialogFactory flags_dialog() {
    return toolkit::form_element_dialog(flags_template_id, sizeof(monster_definition), declare_flags);
}

ElementDialogFactory sounds_dialog() {
    return toolkit::form_element_dialog(sounds_template_id, sizeof(monster_definition), declare_sounds);
}

ElementDialogFactory terrain_dialog() {
    return toolkit::form_element_dialog(terrain_template_id, sizeof(monster_definition), declare_terrain);
}

}  // namespace monster_form
