#include "puzzle/generator.h"

#include "puzzle/solver.h"

#include <algorithm>
#include <optional>

namespace puzzle {

namespace {

std::vector<Clue> clues_that_solve(GameRandom& random, const Solution& solution) {
    std::vector<Clue> clues;
    Board board = Board::all_possible();
    // Deductions only ever narrow the board, so solving on from the last
    // board with one more clue ends where solving afresh would.
    do {
        clues.push_back(random_clue(random, solution));
    } while (!solve(board, clues, solution));
    return clues;
}

void drop_spare_clues(std::vector<Clue>& clues, const Solution& solution) {
    std::stable_sort(clues.begin(), clues.end(), [](const Clue& x, const Clue& y) { return x.kind < y.kind; });
    for (std::size_t i = 0; i < clues.size();) {
        if (clues_solve(clues, solution, static_cast<int>(i))) {
            clues.erase(clues.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

bool fits_the_pages(const std::vector<Clue>& clues) {
    const auto horizontal = std::count_if(clues.begin(), clues.end(), [](const Clue& c) { return is_horizontal(c.kind); });
    const auto vertical = std::count_if(clues.begin(), clues.end(), [](const Clue& c) { return is_vertical(c.kind); });
    return horizontal <= max_horizontal_clues && vertical <= max_vertical_clues;
}

bool mentioned(const std::vector<Clue>& clues, int item) {
    return std::any_of(clues.begin(), clues.end(),
                       [item](const Clue& c) { return c.a == item || c.b == item || c.c == item; });
}

void lay_out(GeneratedGame& game) {
    game.board = Board::all_possible();
    CluePage& first = game.pages[0];
    int horizontal = 0;
    int vertical = 0;
    for (const Clue& clue : game.clues) {
        if (clue.kind == given) {
            game.board.solve(category_of(clue.a), game.solution.column_of(clue.a), index_of(clue.a));
        } else if (is_horizontal(clue.kind)) {
            first.horizontal[static_cast<std::size_t>(horizontal++)] = clue;
        } else {
            first.vertical[static_cast<std::size_t>(vertical++)] = clue;
        }
    }
    for (int item = 0; item < item_count && vertical < vertical_slots; ++item)
        if (!mentioned(game.clues, item)) first.vertical[static_cast<std::size_t>(vertical++)] = Clue{filler, item};
}

}  // namespace

Solution random_solution(GameRandom& random) {
    std::array<std::array<bool, column_count>, category_count> taken{};
    Solution solution;
    for (int index = 0; index < items_per_category; ++index)
        for (int category = 0; category < category_count; ++category) {
            int column = random.below(column_count);
            while (taken[category][column]) column = random.below(column_count);
            taken[category][column] = true;
            solution.index_at[category][column] = static_cast<std::uint8_t>(index);
        }
    return solution;
}

GeneratedGame generate_game(std::uint32_t number, GameRandom& random) {
    random.reseed(number);
    GeneratedGame game;
    game.solution = random_solution(random);
    for (int attempt = 0;; ++attempt) {
        if (attempt == clue_sets_per_solution) {
            game.solution = random_solution(random);
            attempt = 0;
        }
        game.clues = clues_that_solve(random, game.solution);
        drop_spare_clues(game.clues, game.solution);
        if (fits_the_pages(game.clues)) break;
    }
    lay_out(game);
    return game;
}

}  // namespace puzzle
