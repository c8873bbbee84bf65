#include "puzzle/clue_pages.h"

#include <algorithm>

namespace puzzle {

std::span<Clue> CluePage::list_slots(ClueList list) {
    return list == ClueList::horizontal ? std::span<Clue>(horizontal) : std::span<Clue>(vertical);
}

std::span<const Clue> CluePage::list_slots(ClueList list) const {
    return list == ClueList::horizontal ? std::span<const Clue>(horizontal) : std::span<const Clue>(vertical);
}

void move_clue(CluePage& page, ClueList list, int from, int to) {
    const std::span<Clue> slots = page.list_slots(list);
    if (from < 0 || to < 0 || from >= static_cast<int>(slots.size()) || to >= static_cast<int>(slots.size())) return;
    if (from < to) {
        std::rotate(slots.begin() + from, slots.begin() + from + 1, slots.begin() + to + 1);
    } else {
        std::rotate(slots.begin() + to, slots.begin() + from, slots.begin() + from + 1);
    }
}

bool send_to_other_page(CluePages& pages, int page, ClueList list, int slot) {
    const std::span<Clue> source = pages[page].list_slots(list);
    if (slot < 0 || slot >= static_cast<int>(source.size()) || source[slot].empty()) return false;
    const std::span<Clue> target = pages[1 - page].list_slots(list);
    const auto free = std::find_if(target.begin(), target.end(), [](const Clue& clue) { return clue.empty(); });
    if (free == target.end()) return false;
    *free = source[slot];
    source[slot] = Clue{};
    return true;
}

}  // namespace puzzle
