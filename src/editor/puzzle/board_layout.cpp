#include "editor/puzzle/board_layout.h"

namespace board_layout {

namespace {

constexpr int margin = 8;
constexpr int cell_width = 80;
constexpr int cell_height = 78;
constexpr int slot_height = 22;
constexpr int horizontal_left = 500;
constexpr int horizontal_width = 240;
constexpr int vertical_left = horizontal_left + horizontal_width + 6;
constexpr int vertical_width = width - vertical_left - margin;

}  // namespace

QRect cell_rect(int category, int column) {
    return {margin + column * cell_width, margin + category * cell_height, cell_width, cell_height};
}

QRect small_item_rect(int category, int column, int index) {
    const QRect cell = cell_rect(category, column);
    const int left = cell.left() + (cell_width - 3 * small_item) / 2;
    const int top = cell.top() + (cell_height - 2 * small_item) / 2;
    return {left + (index % 3) * small_item, top + (index / 3) * small_item, small_item, small_item};
}

QRect large_item_rect(int category, int column) {
    const QRect cell = cell_rect(category, column);
    return {cell.center().x() - large_item / 2 + 1, cell.center().y() - large_item / 2 + 1, large_item, large_item};
}

QRect slot_rect(puzzle::ClueList list, int slot) {
    const bool horizontal = list == puzzle::ClueList::horizontal;
    return {horizontal ? horizontal_left : vertical_left, margin + slot * slot_height,
            horizontal ? horizontal_width : vertical_width, slot_height - 2};
}

QRect message_rect() {
    return {vertical_left, margin + puzzle::vertical_slots * slot_height + 4, vertical_width,
            height - margin - (margin + puzzle::vertical_slots * slot_height + 4)};
}

std::optional<CellHit> cell_at(QPoint point) {
    for (int category = 0; category < puzzle::category_count; ++category)
        for (int column = 0; column < puzzle::column_count; ++column) {
            if (!cell_rect(category, column).contains(point)) continue;
            CellHit hit{{category, column}, std::nullopt};
            for (int index = 0; index < puzzle::items_per_category; ++index)
                if (small_item_rect(category, column, index).contains(point)) hit.index = index;
            return hit;
        }
    return std::nullopt;
}

std::optional<SlotHit> slot_at(QPoint point) {
    for (const auto list : {puzzle::ClueList::horizontal, puzzle::ClueList::vertical}) {
        const int count = list == puzzle::ClueList::horizontal ? puzzle::horizontal_slots : puzzle::vertical_slots;
        for (int slot = 0; slot < count; ++slot)
            if (slot_rect(list, slot).contains(point)) return SlotHit{list, slot};
    }
    return std::nullopt;
}

}  // namespace board_layout
