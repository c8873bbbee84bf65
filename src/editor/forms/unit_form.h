#pragma once

// The unit form (group `unit`): the monster and the collection reference that dresses
// it, the latter listing only the references to the chosen monster's collection.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace unit_form {

inline constexpr int template_id = 165;
inline constexpr int monster_id = 1147;
inline constexpr int collection_reference_id = 1029;

void declare(toolkit::Form& form);

}  // namespace unit_form

class CUnitDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CUnitDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_unit_dialog(tag_code group, tag_code subgroup, QWidget* parent);
