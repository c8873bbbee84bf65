#pragma once

// What the files of the form share and nothing else uses: the box the rows are
// placed in, and the controls every row builder makes alike.

#include "editor/toolkit/form.h"

#include <functional>

class QComboBox;
class QFormLayout;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QWidget;

namespace toolkit {

struct Form::Box {
    QWidget* container;
    QHBoxLayout* columns;  // null inside a line
    QFormLayout* column;   // null inside a line
    QHBoxLayout* line;     // set inside a line
    QGridLayout* grid;     // set inside a grid: each line is one of its rows
    int grid_rows;
};

QLineEdit* new_edit();
// However the window is squeezed, a number box shows its widest value whole: a
// narrowed box would show "800" for 0.800.
QLineEdit* new_number_edit(const NumberFormat& format);
QComboBox* new_combo();
void connect_user_change(QWidget* control, const std::function<void()>& handler);
definitions::FieldKind described_kind(NumberKind kind);

}  // namespace toolkit
