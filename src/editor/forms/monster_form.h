#pragma once

// The monster form (group `mons`): the group dialog over the whole 1024-byte record,
// with buttons opening the sequences, flags, sounds and terrain dialogs on parts of
// the same record and an element list of the four attacks.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace monster_form {

inline constexpr int template_id = 154;

inline constexpr int collection_id = 1039;
inline constexpr int attack_list_id = 1085;
inline constexpr int sequences_button_id = 1075;
inline constexpr int sounds_button_id = 1076;
inline constexpr int terrain_button_id = 1077;
inline constexpr int flags_button_id = 1078;

void declare(toolkit::Form& form);

}  // namespace monster_form

class CMonsterDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CMonsterDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_monster_dialog(tag_code group, tag_code subgroup, QWidget* parent);
