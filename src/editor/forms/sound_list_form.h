#pragma once

// The sound list form (group `soli`): up to thirty sound references in an element
// list, each edited in the entry dialog.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace sound_list_form {

inline constexpr int template_id = 151;
inline constexpr int entry_template_id = 152;
inline constexpr int sound_list_id = 1055;
inline constexpr int entry_sound_id = 1008;

void declare(toolkit::Form& form);

}  // namespace sound_list_form

class CSoundListDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CSoundListDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_sound_list_dialog(tag_code group, tag_code subgroup, QWidget* parent);
