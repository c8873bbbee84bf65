#pragma once

// The model animation form (group `anim`): flags, timing, sounds and the element list
// of up to 31 frames, each edited in the animation frame dialog.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace model_animation_form {

inline constexpr int template_id = 147;
inline constexpr int frame_template_id = 148;
inline constexpr int frame_list_id = 1044;

void declare(toolkit::Form& form);
// The list of frames: named by their model, "Frame #" otherwise.
const ElementListConfig& frame_list_config();

}  // namespace model_animation_form

class CModelAnimationDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CModelAnimationDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_model_animation_dialog(tag_code group, tag_code subgroup, QWidget* parent);
