#include "editor/toolkit/control_registry.h"

#include <QString>
#include <QWidget>

namespace toolkit {

void ControlRegistry::add(int control_id, QWidget* control) {
    controls_[control_id] = control;
    control->setObjectName(QString::number(control_id));
}

QWidget* ControlRegistry::find(int control_id) const {
    const auto found = controls_.find(control_id);
    return found == controls_.end() ? nullptr : found->second;
}

}  // namespace toolkit
