#pragma once

// The ambient sound form (group `amso`): the background and random sounds, where they
// are heard and how often. The four further sound references are carried along unseen.

#include "core/tag_code.h"
#include "editor/toolkit/form_dialogs.h"

class QWidget;

namespace ambient_sound_form {

inline constexpr int template_id = 138;

void declare(toolkit::Form& form);

}  // namespace ambient_sound_form

class CAmbientSoundDlg : public CFormTagDialog {
    Q_OBJECT

public:
    CAmbientSoundDlg(tag_code group, tag_code subgroup, QWidget* parent);
};

CTagDialog* create_ambient_sound_dialog(tag_code group, tag_code subgroup, QWidget* parent);
