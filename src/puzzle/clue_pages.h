#pragma once

// The two pages of clue slots, one shown at a time: 21 horizontal and 18
// vertical slots each, a slot holding a clue or nothing.

#include "puzzle/clue.h"

#include <array>
#include <span>

namespace puzzle {

inline constexpr int horizontal_slots = 21;
inline constexpr int vertical_slots = 18;
inline constexpr int page_count = 2;

enum class ClueList { horizontal, vertical };

struct CluePage {
    std::array<Clue, horizontal_slots> horizontal{};
    std::array<Clue, vertical_slots> vertical{};

    // The slots of one list, for code that treats both lists alike.
    std::span<Clue> list_slots(ClueList list);
    std::span<const Clue> list_slots(ClueList list) const;
    bool operator==(const CluePage&) const = default;
};

using CluePages = std::array<CluePage, page_count>;

// Moves the clue of a slot to another slot of the same list, shifting the
// clues between them by one.
void move_clue(CluePage& page, ClueList list, int from, int to);

// Moves the clue to the first free slot of the same list on the other page;
// false, with nothing moved, when that list is full or the slot empty.
bool send_to_other_page(CluePages& pages, int page, ClueList list, int slot);

}  // namespace puzzle
