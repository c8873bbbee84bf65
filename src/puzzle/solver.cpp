#include "puzzle/solver.h"

#include <bit>
#include <cstdlib>

namespace puzzle {

namespace {

bool columns_fit(int kind, int first, int second, int third) {
    switch (kind) {
        case between: return std::abs(first - third) == 2 && second == (first + third) / 2;
        case not_between: return std::abs(first - third) == 2 && second != (first + third) / 2;
        case left_of: return first < second;
        case next_to: return std::abs(first - second) == 1;
        case not_next_to: return std::abs(first - second) != 1;
        case above: return first == second;
        case not_above: return first != second;
        default: return true;
    }
}

// Two placements of items of one category must agree with the rule that
// every column holds exactly one item of every category.
bool placements_agree(int item, int column, int other_item, int other_column) {
    if (category_of(item) != category_of(other_item)) return true;
    return (item == other_item) == (column == other_column);
}

int items_in(const Clue& clue) {
    if (clue.kind == between || clue.kind == not_between) return 3;
    if (clue.kind >= left_of && clue.kind <= not_above) return 2;
    return 0;
}

// Columns of each item in some arrangement that the clue allows.
std::array<int, 3> supported_columns(const Board& board, const Clue& clue, int count) {
    const std::array<int, 3> items{clue.a, clue.b, clue.c};
    std::array<int, 3> possible{0, 0, 63};
    for (int i = 0; i < count; ++i) possible[i] = board.possible_columns(items[i]);
    std::array<int, 3> support{0, 0, 0};
    for (int first = 0; first < column_count; ++first) {
        if (!(possible[0] & (1 << first))) continue;
        for (int second = 0; second < column_count; ++second) {
            if (!(possible[1] & (1 << second)) || !placements_agree(items[0], first, items[1], second)) continue;
            for (int third = 0; third < (count == 3 ? column_count : 1); ++third) {
                if (count == 3 && (!(possible[2] & (1 << third)) ||
                                   !placements_agree(items[0], first, items[2], third) ||
                                   !placements_agree(items[1], second, items[2], third)))
                    continue;
                if (!columns_fit(clue.kind, first, second, third)) continue;
                support[0] |= 1 << first;
                support[1] |= 1 << second;
                if (count == 3) support[2] |= 1 << third;
            }
        }
    }
    return support;
}

}  // namespace

void apply_deduction(Board& board, const Deduction& deduction) {
    switch (deduction.kind) {
        case DeductionKind::reset: board.at(deduction.category, deduction.column) = all_items; break;
        case DeductionKind::solve: board.solve(deduction.category, deduction.column, deduction.index); break;
        case DeductionKind::remove: board.remove(deduction.category, deduction.column, deduction.index); break;
    }
}

std::optional<Deduction> basic_deduction(const Board& board, const Solution& solution) {
    for (int category = 0; category < category_count; ++category)
        for (int column = 0; column < column_count; ++column)
            if (!can_hold(board.at(category, column), solution.index_at[category][column]))
                return Deduction{DeductionKind::reset, category, column, 0};
    for (int category = 0; category < category_count; ++category)
        for (int column = 0; column < column_count; ++column) {
            const cell_state cell = board.at(category, column);
            if (!is_solved(cell)) continue;
            for (int other = 0; other < column_count; ++other)
                if (other != column && !is_solved(board.at(category, other)) &&
                    can_hold(board.at(category, other), solved_index(cell)))
                    return Deduction{DeductionKind::remove, category, other, solved_index(cell)};
        }
    for (int category = 0; category < category_count; ++category)
        for (int column = 0; column < column_count; ++column) {
            const cell_state cell = board.at(category, column);
            if (!is_solved(cell) && std::popcount(static_cast<unsigned>(cell)) == 1)
                return Deduction{DeductionKind::solve, category, column, std::countr_zero(static_cast<unsigned>(cell))};
        }
    for (int item = 0; item < item_count; ++item) {
        const int columns = board.possible_columns(item);
        if (std::popcount(static_cast<unsigned>(columns)) != 1) continue;
        const int column = std::countr_zero(static_cast<unsigned>(columns));
        if (!is_solved(board.at(category_of(item), column)))
            return Deduction{DeductionKind::solve, category_of(item), column, index_of(item)};
    }
    return std::nullopt;
}

std::vector<Deduction> clue_deductions(const Board& board, const Clue& clue, const Solution& solution) {
    std::vector<Deduction> found;
    if (clue.kind == given) {
        const int column = solution.column_of(clue.a);
        const cell_state cell = board.at(category_of(clue.a), column);
        if (!is_solved(cell) && can_hold(cell, index_of(clue.a)))
            found.push_back({DeductionKind::solve, category_of(clue.a), column, index_of(clue.a)});
        return found;
    }
    const int count = items_in(clue);
    if (count == 0) return found;
    const std::array<int, 3> items{clue.a, clue.b, clue.c};
    const std::array<int, 3> support = supported_columns(board, clue, count);
    for (int i = 0; i < count; ++i) {
        const int category = category_of(items[i]);
        const int index = index_of(items[i]);
        if (support[i] == 0) continue;  // the board contradicts the clue: nothing sound follows
        if (std::popcount(static_cast<unsigned>(support[i])) == 1) {
            const int column = std::countr_zero(static_cast<unsigned>(support[i]));
            if (!is_solved(board.at(category, column))) found.push_back({DeductionKind::solve, category, column, index});
            continue;
        }
        for (int column = 0; column < column_count; ++column) {
            const cell_state cell = board.at(category, column);
            if (!(support[i] & (1 << column)) && !is_solved(cell) && can_hold(cell, index))
                found.push_back({DeductionKind::remove, category, column, index});
        }
    }
    return found;
}

bool solve(Board& board, std::span<const Clue> clues, const Solution& solution, int left_out) {
    for (bool changed = true; changed;) {
        const Board before = board;
        while (const auto step = basic_deduction(board, solution)) apply_deduction(board, *step);
        for (std::size_t i = 0; i < clues.size(); ++i) {
            if (static_cast<int>(i) == left_out) continue;
            for (const Deduction& step : clue_deductions(board, clues[i], solution)) apply_deduction(board, step);
        }
        changed = board != before;
    }
    return board.is_complete();
}

bool clues_solve(std::span<const Clue> clues, const Solution& solution, int left_out) {
    Board board = Board::all_possible();
    return solve(board, clues, solution, left_out);
}

}  // namespace puzzle
