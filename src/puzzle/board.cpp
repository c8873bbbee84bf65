#include "puzzle/board.h"

namespace puzzle {

Board Board::all_possible() {
    Board board;
    for (auto& row : board.cells) row.fill(all_items);
    return board;
}

bool Board::is_complete() const {
    for (const auto& row : cells)
        for (const cell_state cell : row)
            if (!is_solved(cell)) return false;
    return true;
}

int Board::possible_columns(int item) const {
    int columns = 0;
    for (int column = 0; column < column_count; ++column)
        if (can_hold(at(category_of(item), column), index_of(item))) columns |= 1 << column;
    return columns;
}

void Board::solve(int category, int column, int index) {
    for (int other = 0; other < column_count; ++other) {
        cell_state& cell = at(category, other);
        if (other == column) {
            cell = solved_cell(index);
        } else if (is_solved(cell)) {
            if (solved_index(cell) == index) cell = 0;
        } else {
            cell = static_cast<cell_state>(cell & ~(1 << index));
        }
    }
}

void Board::remove(int category, int column, int index) {
    cell_state& cell = at(category, column);
    if (!is_solved(cell)) cell = static_cast<cell_state>(cell & ~(1 << index));
}

int Solution::column_of(int item) const {
    for (int column = 0; column < column_count; ++column)
        if (index_at[category_of(item)][column] == index_of(item)) return column;
    return -1;
}

}  // namespace puzzle
