#pragma once

// Where things are on the 957 by 488 picture of the hidden game: the 6 by 6
// cells on the left, each with its six small items (or one large one once
// solved), then the horizontal and the vertical clue slots.

#include "puzzle/board.h"
#include "puzzle/clue_pages.h"
#include "puzzle/game.h"

#include <QPoint>
#include <QRect>
#include <optional>

namespace board_layout {

inline constexpr int width = 957;
inline constexpr int height = 488;
inline constexpr int large_item = 50;
inline constexpr int small_item = 26;

QRect cell_rect(int category, int column);
QRect small_item_rect(int category, int column, int index);
QRect large_item_rect(int category, int column);
QRect slot_rect(puzzle::ClueList list, int slot);
QRect message_rect();

struct CellHit {
    puzzle::Cell cell;
    std::optional<int> index;  // the small item under the point, if any
};
std::optional<CellHit> cell_at(QPoint point);

struct SlotHit {
    puzzle::ClueList list;
    int slot;
};
std::optional<SlotHit> slot_at(QPoint point);

}  // namespace board_layout
