#pragma once

// The lightning form (group `ligh`): the bolt's collection reference and its three
// sequences, timing, shape, flags and the damage it deals.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace lightning_form {

inline constexpr int template_id = 162;
inline constexpr int collection_reference_id = 1029;
inline constexpr int fork_sequence_id = 1031;
inline constexpr int main_bolt_sequence_id = 1030;
inline constexpr int mesh_stain_sequence_id = 1032;
inline constexpr int damage_button_id = 1143;

void declare(toolkit::Form& form);

}  // namespace lightning_form

class CLightningDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CLightningDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_lightning_dialog(tag_code group, tag_code subgroup, QWidget* parent);
