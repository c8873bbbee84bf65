#pragma once

// The object properties form (group `obje`): gravity, elasticity, vitality, scale,
// minimum damage and display flags.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

#include <bit>
#include <cstdint>

class QWidget;

namespace object_form {

inline constexpr int template_id = 149;

// The check boxes of the object flags are numbered after the bits, from 1400.
constexpr int flag_id(uint32_t mask) { return 1400 + std::countr_zero(mask); }

void declare(toolkit::Form& form);

}  // namespace object_form

class CObjectDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CObjectDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_object_dialog(tag_code group, tag_code subgroup, QWidget* parent);
