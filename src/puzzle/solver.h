#pragma once

// The one solver behind generation and hints. A deduction is a single step on
// one cell; the basic rules need the solution only to point at the player's
// wrong entries, every other step follows from the clues and the masks.

#include "puzzle/board.h"
#include "puzzle/clue.h"

#include <optional>
#include <span>
#include <vector>

namespace puzzle {

enum class DeductionKind { reset, solve, remove };

struct Deduction {
    DeductionKind kind = DeductionKind::solve;
    int category = 0;
    int column = 0;
    int index = 0;  // the item index solved or removed

    bool operator==(const Deduction&) const = default;
};

void apply_deduction(Board& board, const Deduction& deduction);

// The first basic step: a wrong entry to reset, an item solved elsewhere to
// take out, a cell with one possible item, an item with one possible cell.
std::optional<Deduction> basic_deduction(const Board& board, const Solution& solution);

// Every step the clue allows on the board, found before any is applied.
std::vector<Deduction> clue_deductions(const Board& board, const Clue& clue, const Solution& solution);

// Runs passes of the basic rules and every clue but the one left out until a
// pass finds nothing; true when the board ends solved.
bool solve(Board& board, std::span<const Clue> clues, const Solution& solution, int left_out = -1);

// Solves from a board on which only the clues fix anything.
bool clues_solve(std::span<const Clue> clues, const Solution& solution, int left_out = -1);

}  // namespace puzzle
