#pragma once

// From a form to the collection viewer: double-clicking the label of a sequence
// picker opens the viewer on the picker's collection with the chosen sequence
// playing. The viewer belongs to the form, so it can be used while the form is
// up and closes with it.

#include <functional>

#include "core/tag_code.h"

class QComboBox;
class QWidget;

namespace toolkit {

// collection: the `.256` subgroup the picker lists now, NONE for none.
void link_to_collection_viewer(QWidget* label, QComboBox* picker, std::function<tag_code()> collection);

}  // namespace toolkit
