#pragma once

// The attack dialog the monster form's attack list opens, and the attack sequence
// dialog the attack dialog's sequence list opens.

#include "editor/toolkit/element_list.h"

#include <bit>
#include <cstdint>

namespace monster_form {

inline constexpr int attack_template_id = 156;
inline constexpr int attack_sequence_template_id = 157;
inline constexpr int attack_sequence_list_id = 1112;
inline constexpr int attack_sequence_picker_id = 1021;

// The attack dialog numbers the check boxes of the attack flags after the bits, from 1400.
constexpr int attack_flag_id(uint16_t mask) { return 1400 + std::countr_zero(mask); }

// The attack dialog (template 156) on one attack definition; the artifact form opens it
// on its override attack.
ElementDialogFactory attack_dialog();

// The list of the four attacks: named by their projectile, "Attack #" otherwise.
const ElementListConfig& attack_list_config();

}  // namespace monster_form
