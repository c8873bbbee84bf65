#pragma once

// The six dialogs that edit the 60-byte parameter block of a local physics record,
// one per physics type.

#include "editor/toolkit/element_dialog.h"

#include <QString>

namespace local_physics_form {

struct ParametersDialog {
    int template_id;
    QString caption;
    ElementDialogFactory factory;
};

// The dialog of a type from 0 to 5.
const ParametersDialog& parameters_dialog(int type);

}  // namespace local_physics_form
