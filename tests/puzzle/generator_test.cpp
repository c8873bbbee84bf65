#include "puzzle/generator.h"
#include "puzzle/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

using namespace puzzle;

constexpr std::uint32_t games_checked = 400;

// The meaning of each clue kind, read straight off the solution.
bool holds(const Clue& clue, const Solution& solution) {
    const int a = solution.column_of(clue.a);
    const int b = clue.b >= 0 ? solution.column_of(clue.b) : -1;
    const int c = clue.c >= 0 ? solution.column_of(clue.c) : -1;
    switch (clue.kind) {
        case given:
        case filler: return true;
        case between: return std::abs(a - c) == 2 && b == (a + c) / 2;
        case not_between: return std::abs(a - c) == 2 && b != (a + c) / 2;
        case left_of: return a < b;
        case next_to: return std::abs(a - b) == 1;
        case not_next_to: return std::abs(a - b) != 1;
        case above: return a == b && category_of(clue.a) < category_of(clue.b);
        case not_above: return a != b && category_of(clue.a) < category_of(clue.b);
        default: return false;
    }
}

bool is_arrangement(const Solution& solution) {
    for (const auto& row : solution.index_at) {
        std::set<int> indices(row.begin(), row.end());
        if (indices.size() != 6 || *indices.rbegin() != 5) return false;
    }
    return true;
}

TEST(GeneratorTest, EveryClueSetSolvesTheBoardAndNoneOfItsCluesCanBeSpared) {
    for (std::uint32_t number = 1; number <= games_checked; ++number) {
        GameRandom random;
        const GeneratedGame game = generate_game(number, random);
        ASSERT_TRUE(is_arrangement(game.solution)) << "game " << number;
        ASSERT_TRUE(clues_solve(game.clues, game.solution)) << "game " << number;
        for (std::size_t left_out = 0; left_out < game.clues.size(); ++left_out)
            EXPECT_FALSE(clues_solve(game.clues, game.solution, static_cast<int>(left_out)))
                << "game " << number << " spares clue " << left_out << " of kind " << game.clues[left_out].kind;
        for (const Clue& clue : game.clues) EXPECT_TRUE(holds(clue, game.solution)) << "game " << number;
        EXPECT_TRUE(std::is_sorted(game.clues.begin(), game.clues.end(),
                                   [](const Clue& x, const Clue& y) { return x.kind < y.kind; }));
    }
}

TEST(GeneratorTest, CluesFitTheirSlotsOnTheFirstPageAndGivensAreShownSolved) {
    for (std::uint32_t number = 1; number <= games_checked; ++number) {
        GameRandom random;
        const GeneratedGame game = generate_game(number, random);
        const auto count = [&](auto predicate) { return std::count_if(game.clues.begin(), game.clues.end(), predicate); };
        const auto horizontal = count([](const Clue& c) { return is_horizontal(c.kind); });
        const auto vertical = count([](const Clue& c) { return c.kind == above || c.kind == not_above; });
        EXPECT_LE(horizontal, 20) << "game " << number;
        EXPECT_LE(vertical, 17) << "game " << number;

        const CluePage& first = game.pages[0];
        const auto used = [](auto& slots) { return std::count_if(slots.begin(), slots.end(), [](const Clue& c) { return !c.empty(); }); };
        EXPECT_EQ(used(first.horizontal), horizontal);
        EXPECT_EQ(used(game.pages[1].horizontal) + used(game.pages[1].vertical), 0);
        std::set<int> mentioned;
        for (const Clue& clue : game.clues) mentioned.insert({clue.a, clue.b, clue.c});
        int expected_fillers = 0;
        for (int item = 0; item < item_count; ++item) expected_fillers += mentioned.count(item) == 0;
        EXPECT_EQ(used(first.vertical), std::min<long>(18, vertical + expected_fillers)) << "game " << number;
        int previous_filler = -1;
        for (const Clue& clue : first.vertical) {
            if (clue.kind != filler) continue;
            EXPECT_EQ(mentioned.count(clue.a), 0u);
            EXPECT_GT(clue.a, previous_filler) << "fillers go in item order";
            previous_filler = clue.a;
        }
        for (int category = 0; category < category_count; ++category)
            for (int column = 0; column < column_count; ++column) {
                const cell_state cell = game.board.at(category, column);
                const Clue revealed{given, game.solution.item_at(category, column)};
                const bool is_given = std::find(game.clues.begin(), game.clues.end(), revealed) != game.clues.end();
                EXPECT_EQ(is_solved(cell), is_given) << "game " << number;
                if (is_given) EXPECT_EQ(solved_index(cell), game.solution.index_at[category][column]);
                else EXPECT_TRUE(can_hold(cell, game.solution.index_at[category][column]));
            }
    }
}

TEST(GeneratorTest, TheSameNumberGivesTheSameGame) {
    for (const std::uint32_t number : {1u, 2u, 77u, 123456u, 2000000000u}) {
        GameRandom first_random;
        GameRandom second_random(99);
        const GeneratedGame first = generate_game(number, first_random);
        const GeneratedGame second = generate_game(number, second_random);
        EXPECT_EQ(first.solution, second.solution) << number;
        EXPECT_EQ(first.clues, second.clues) << number;
        EXPECT_EQ(first.pages, second.pages) << number;
    }
    std::set<std::vector<int>> solutions;
    for (std::uint32_t number = 1; number <= 20; ++number) {
        GameRandom random;
        const GeneratedGame game = generate_game(number, random);
        std::vector<int> flat;
        for (const auto& row : game.solution.index_at) flat.insert(flat.end(), row.begin(), row.end());
        solutions.insert(flat);
    }
    EXPECT_EQ(solutions.size(), 20u) << "different numbers give different games";
}

TEST(GeneratorTest, RandomCluesHoldAndFollowTheKindTable) {
    GameRandom random(5);
    const Solution solution = random_solution(random);
    std::array<int, 10> drawn{};
    constexpr int draws = 26000;
    for (int i = 0; i < draws; ++i) {
        const Clue clue = random_clue(random, solution);
        ASSERT_TRUE(holds(clue, solution)) << "kind " << clue.kind;
        ++drawn[static_cast<std::size_t>(clue.kind)];
    }
    // Entries of the 26 in the table for each kind 1 to 8; about 1000 draws each.
    const std::array<int, 9> entries{0, 2, 2, 2, 3, 7, 2, 6, 2};
    for (int kind = 1; kind <= 8; ++kind)
        EXPECT_NEAR(drawn[static_cast<std::size_t>(kind)], entries[static_cast<std::size_t>(kind)] * 1000, 250) << "kind " << kind;
    EXPECT_EQ(drawn[0] + drawn[9], 0);
}

}  // namespace
