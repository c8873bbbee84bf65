#pragma once

// Controls by numeric id for widgets that are not tag dialogs but hold controls of
// their own (the element list, the colour picker), so code and tests find them the
// same way.

#include <unordered_map>

class QWidget;

namespace toolkit {

class ControlRegistry {
public:
    void add(int control_id, QWidget* control);
    QWidget* find(int control_id) const;

private:
    std::unordered_map<int, QWidget*> controls_;
};

}  // namespace toolkit
