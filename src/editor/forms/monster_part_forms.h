#pragma once

// The dialogs the monster form's buttons open, each on a part of the monster record
// held by the form: "Monster Sequences", "Monster Flags", "Monster Sounds" and
// "Terrain Parameters".

#include "editor/toolkit/element_dialog.h"

#include <bit>
#include <cstdint>

namespace monster_form {

inline constexpr int sequences_template_id = 158;
inline constexpr int flags_template_id = 159;
inline constexpr int sounds_template_id = 160;
inline constexpr int terrain_template_id = 161;

// Sequence pickers of slots 0 to 18.
inline constexpr int first_sequence_id = 1117;
// Slot k (from 1) of the sounds: picker first_sound_id + k - 1, type first_sound_type_id + k - 1.
inline constexpr int first_sound_id = 1119;
inline constexpr int first_sound_type_id = 1017;
// Terrain row i: speed, cost and the check box saying the terrain can be entered.
inline constexpr int base_movement_speed_id = 1120;
inline constexpr int first_terrain_speed_id = 1121;
inline constexpr int first_terrain_cost_id = 1222;
inline constexpr int first_terrain_check_id = 1323;

// The flags dialog numbers its check boxes after the bits: the flags word from 1400,
// the extended flag bytes 76, 78 and 79 from 1430, 1440 and 1450.
constexpr int flag_id(uint32_t mask) { return 1400 + std::countr_zero(mask); }
constexpr int extended_flag_id(int byte_offset, uint8_t mask) {
    const int first = byte_offset == 76 ? 1430 : byte_offset == 78 ? 1440 : 1450;
    return first + std::countr_zero(mask);
}

// Element dialogs over the monster record; the sequences dialog's element starts at
// the sequence slots, the others at the start of the record.
ElementDialogFactory sequences_dialog();
ElementDialogFactory flags_dialog();
ElementDialogFactory sounds_dialog();
ElementDialogFactory terrain_dialog();

}  // namespace monster_form
