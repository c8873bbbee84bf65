#pragma once

// From a form to the collection viewer: the small "Show" button beside a
// sequence picker opens the viewer on the picker's collection with the chosen
// sequence playing. The viewer belongs to the form, so it can be used while
// the form is up and closes with it.

#include <functional>

#include "core/tag_code.h"

class QComboBox;
class QToolButton;

namespace toolkit {

// collection: the `.256` subgroup the picker lists now, NONE for none. The
// button is enabled while the picker lists sequences.
QToolButton* new_show_button(QComboBox* picker, std::function<tag_code()> collection);

}  // namespace toolkit
