#pragma once

// Clues: a kind and up to three items. Kinds 2 to 6 relate columns
// (horizontal clues), 7 and 8 relate categories in columns, 9 only shows an
// item that no clue mentions (vertical clues); 1 reveals a cell.

#include "puzzle/board.h"
#include "puzzle/game_random.h"

#include <array>
#include <string>

namespace puzzle {

enum ClueKind : int {
    no_clue = 0,
    given = 1,
    between = 2,
    not_between = 3,
    left_of = 4,
    next_to = 5,
    not_next_to = 6,
    above = 7,
    not_above = 8,
    filler = 9,
};

struct Clue {
    int kind = no_clue;
    int a = -1;
    int b = -1;
    int c = -1;

    bool empty() const { return kind == no_clue; }
    bool operator==(const Clue&) const = default;
};

constexpr bool is_horizontal(int kind) { return kind >= between && kind <= not_next_to; }
constexpr bool is_vertical(int kind) { return kind >= above && kind <= filler; }

// The clue as the player reads it, with the item names in place of the items;
// "error" for an unknown kind.
std::string clue_text(const Clue& clue, const std::array<std::string, item_count>& names);

// One clue drawn at random that holds for the solution.
Clue random_clue(GameRandom& random, const Solution& solution);

}  // namespace puzzle
