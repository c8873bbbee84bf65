#include "puzzle/clue.h"

#include <algorithm>
#include <cstdlib>

namespace puzzle {

namespace {

// Each entry equally likely: "next to" and "above" come most often.
constexpr std::array<int, 26> kind_table{1, 1, 4, 4, 4, 2, 2, 3, 3, 7, 7, 7, 7,
                                         7, 7, 8, 8, 5, 5, 5, 5, 5, 5, 5, 6, 6};

int other_than(GameRandom& random, int taken) {
    int value = random.below(6);
    while (value == taken) value = random.below(6);
    return value;
}

int item_in_column(GameRandom& random, const Solution& solution, int column) {
    return solution.item_at(random.below(category_count), column);
}

}  // namespace

std::string clue_text(const Clue& clue, const std::array<std::string, item_count>& names) {
    const auto name = [&](int item) { return item >= 0 && item < item_count ? names[item] : std::string(); };
    switch (clue.kind) {
        case given:
        case filler: return name(clue.a);
        case between: return name(clue.b) + " between " + name(clue.a) + " and " + name(clue.c);
        case not_between: return name(clue.b) + " not between " + name(clue.a) + " and " + name(clue.c);
        case left_of: return name(clue.a) + " left of " + name(clue.b);
        case next_to: return name(clue.a) + " next to " + name(clue.b);
        case not_next_to: return name(clue.a) + " not next to " + name(clue.b);
        case above: return name(clue.a) + " above " + name(clue.b);
        case not_above: return name(clue.a) + " not above " + name(clue.b);
        default: return "error";
    }
}

Clue random_clue(GameRandom& random, const Solution& solution) {
    Clue clue;
    clue.kind = kind_table[static_cast<std::size_t>(random.below(static_cast<int>(kind_table.size())))];
    switch (clue.kind) {
        case given: {
            const int category = random.below(category_count);
            clue.a = solution.item_at(category, random.below(column_count));
            break;
        }
        case left_of: {
            const int first = random.below(column_count);
            const int second = other_than(random, first);
            clue.a = item_in_column(random, solution, std::min(first, second));
            clue.b = item_in_column(random, solution, std::max(first, second));
            break;
        }
        case next_to:
        case not_next_to: {
            const int first = random.below(column_count);
            int second = random.below(column_count);
            while ((std::abs(first - second) == 1) != (clue.kind == next_to)) second = random.below(column_count);
            clue.a = item_in_column(random, solution, first);
            clue.b = item_in_column(random, solution, second);
            break;
        }
        case above:
        case not_above: {
            const int first = random.below(category_count);
            const int second = other_than(random, first);
            const int column = random.below(column_count);
            const int partner_column = clue.kind == above ? column : other_than(random, column);
            clue.a = solution.item_at(std::min(first, second), column);
            clue.b = solution.item_at(std::max(first, second), partner_column);
            break;
        }
        default: {  // between, not between
            const int first = random.below(column_count);
            int last = random.below(column_count);
            while (std::abs(first - last) != 2) last = random.below(column_count);
            const int middle = (first + last) / 2;
            const int chosen = clue.kind == between ? middle : other_than(random, middle);
            clue.a = item_in_column(random, solution, first);
            clue.b = item_in_column(random, solution, chosen);
            clue.c = item_in_column(random, solution, last);
            break;
        }
    }
    return clue;
}

}  // namespace puzzle
