#pragma once

// The item names and the verdicts on a board finished with wrong cells are
// kept in the program with every byte complemented, so that they do not show
// in it as text, and complemented back once, on first use.

#include "puzzle/board.h"

#include <array>
#include <string>

namespace puzzle {

const std::array<std::string, item_count>& item_names();

// The verdict for a finished board with that many wrong cells (at least one),
// the count written into it.
std::string wrong_cells_text(int wrong_cells);

}  // namespace puzzle
