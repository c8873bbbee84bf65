#pragma once

// Generation of a game from its number: a random solution, then random clues
// until they solve it, cut down to the clues none of which can be spared.

#include "puzzle/board.h"
#include "puzzle/clue.h"
#include "puzzle/clue_pages.h"
#include "puzzle/game_random.h"

#include <cstdint>
#include <vector>

namespace puzzle {

inline constexpr int max_horizontal_clues = 20;
inline constexpr int max_vertical_clues = 17;
// Clue sets drawn for one solution before another solution is drawn, so that
// no game number can keep the generator looking for ever.
inline constexpr int clue_sets_per_solution = 1000;

struct GeneratedGame {
    Solution solution;
    std::vector<Clue> clues;  // sorted by kind, givens included
    Board board;              // the givens applied
    CluePages pages;
};

// The random generator is left where generation ended, for the game's hints
// and animation.
GeneratedGame generate_game(std::uint32_t number, GameRandom& random);

Solution random_solution(GameRandom& random);

}  // namespace puzzle
