#pragma once

// The board of the hidden game: 6 categories (rows) by 6 columns, 6 items per
// category. An item is named by category * 6 + index. A cell holds the set of
// items still possible there as a 6-bit mask (63 all, 0 none), or, when
// negative, the complement of the item index it is solved with.

#include <array>
#include <cstdint>

namespace puzzle {

inline constexpr int category_count = 6;
inline constexpr int column_count = 6;
inline constexpr int items_per_category = 6;
inline constexpr int item_count = category_count * items_per_category;
inline constexpr std::int8_t all_items = 63;

using cell_state = std::int8_t;

constexpr int item_id(int category, int index) { return category * items_per_category + index; }
constexpr int category_of(int item) { return item / items_per_category; }
constexpr int index_of(int item) { return item % items_per_category; }

constexpr bool is_solved(cell_state cell) { return cell < 0; }
constexpr int solved_index(cell_state cell) { return ~cell; }
constexpr cell_state solved_cell(int index) { return static_cast<cell_state>(~index); }
// True when the cell is solved with the item or still allows it.
constexpr bool can_hold(cell_state cell, int index) {
    return is_solved(cell) ? solved_index(cell) == index : (cell & (1 << index)) != 0;
}

struct Board {
    std::array<std::array<cell_state, column_count>, category_count> cells{};

    static Board all_possible();
    cell_state& at(int category, int column) { return cells[category][column]; }
    cell_state at(int category, int column) const { return cells[category][column]; }
    bool is_complete() const;
    // Columns (bit per column) where the item is solved or still possible.
    int possible_columns(int item) const;
    // Solves the cell, takes the item out of the category's other cells and
    // empties another cell already solved with it.
    void solve(int category, int column, int index);
    void remove(int category, int column, int index);
    bool operator==(const Board&) const = default;
};

// The hidden arrangement: the item index of each category in each column.
struct Solution {
    std::array<std::array<std::uint8_t, column_count>, category_count> index_at{};

    int item_at(int category, int column) const { return item_id(category, index_at[category][column]); }
    int column_of(int item) const;
    bool operator==(const Solution&) const = default;
};

}  // namespace puzzle
