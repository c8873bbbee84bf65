#pragma once

// The scenery form (group `scen`): collection reference, object, projectile, netgame
// role and flags, with buttons opening the sequences and projectile groups dialogs
// on parts of the same record.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

#include <cstdint>

class QWidget;

namespace scenery_form {

inline constexpr int template_id = 195;
inline constexpr int sequences_template_id = 196;
inline constexpr int projectile_groups_template_id = 197;

inline constexpr int collection_reference_id = 1029;
inline constexpr int is_netgame_flag_id = 1256;
inline constexpr int scoring_type_id = 1040;
inline constexpr int flag_number_id = 1257;
inline constexpr int sequences_button_id = 1075;
inline constexpr int projectile_groups_button_id = 1076;
inline constexpr int undamaged_sequence_id = 1117;
inline constexpr int ruined_sequence_id = 1118;

// Check boxes of the scenery flags other than "Is Netgame Flag" are numbered after
// their bit.
constexpr int flag_id(uint32_t mask) { return mask == 0x8 ? is_netgame_flag_id : toolkit::flag_check_id(mask); }

void declare(toolkit::Form& form);

}  // namespace scenery_form

class CSceneryDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CSceneryDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_scenery_dialog(tag_code group, tag_code subgroup, QWidget* parent);
