#include "puzzle/solver.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace puzzle;

// Item index i of every category sits in column i.
Solution diagonal_solution() {
    Solution solution;
    for (auto& row : solution.index_at)
        for (int column = 0; column < column_count; ++column) row[column] = static_cast<std::uint8_t>(column);
    return solution;
}

bool contains(const std::vector<Deduction>& found, const Deduction& wanted) {
    return std::find(found.begin(), found.end(), wanted) != found.end();
}

TEST(SolverTest, BasicRulesComeInTheirOrder) {
    const Solution solution = diagonal_solution();
    Board board = Board::all_possible();
    EXPECT_FALSE(basic_deduction(board, solution));

    board.at(2, 4) = 1 << 4;  // one item left
    EXPECT_EQ(basic_deduction(board, solution), (Deduction{DeductionKind::solve, 2, 4, 4}));

    for (int column = 0; column < 5; ++column) board.at(3, column) = 0b011111;  // item 5 only in column 5
    board.at(2, 4) = all_items;
    EXPECT_EQ(basic_deduction(board, solution), (Deduction{DeductionKind::solve, 3, 5, 5}));

    board.at(1, 1) = solved_cell(1);  // solved: item 1 leaves the category's other cells
    EXPECT_EQ(basic_deduction(board, solution), (Deduction{DeductionKind::remove, 1, 0, 1}));

    board.at(0, 3) = solved_cell(2);  // a wrong item comes first of all
    EXPECT_EQ(basic_deduction(board, solution), (Deduction{DeductionKind::reset, 0, 3, 0}));
    board.at(0, 3) = static_cast<cell_state>(all_items & ~(1 << 3));  // a mask without the right item
    EXPECT_EQ(basic_deduction(board, solution), (Deduction{DeductionKind::reset, 0, 3, 0}));

    Board reset = board;
    apply_deduction(reset, *basic_deduction(board, solution));
    EXPECT_EQ(reset.at(0, 3), all_items);
}

struct clue_case {
    const char* what;
    Clue clue;
    std::vector<std::pair<int, int>> solved;  // (item, column) solved first
    std::vector<Deduction> expected;          // each must be among the clue's deductions
    std::vector<Deduction> absent;            // none of these may be
};

class ClueDeductions : public testing::TestWithParam<clue_case> {};

TEST_P(ClueDeductions, FollowFromTheClueMeaning) {
    const clue_case& example = GetParam();
    const Solution solution = diagonal_solution();
    Board board = Board::all_possible();
    for (const auto& [item, column] : example.solved) board.solve(category_of(item), column, index_of(item));
    const std::vector<Deduction> found = clue_deductions(board, example.clue, solution);
    for (const Deduction& wanted : example.expected)
        EXPECT_TRUE(contains(found, wanted)) << example.what << ": cell " << wanted.category << "," << wanted.column;
    for (const Deduction& unwanted : example.absent)
        EXPECT_FALSE(contains(found, unwanted)) << example.what << ": cell " << unwanted.category << "," << unwanted.column;
    for (const Deduction& step : found)
        EXPECT_EQ(step.kind == DeductionKind::solve, step.index == solution.index_at[step.category][step.column])
            << example.what << ": a deduction against the solution";
}

constexpr auto solve = DeductionKind::solve;
constexpr auto remove = DeductionKind::remove;

INSTANTIATE_TEST_SUITE_P(
    Examples, ClueDeductions,
    testing::Values(
        clue_case{"above: the partner of a solved item is solved in its column",
                  {above, item_id(0, 2), item_id(3, 2)}, {{item_id(0, 2), 2}}, {{solve, 3, 2, 2}}, {}},
        clue_case{"above: an item leaves columns where its partner cannot be",
                  {above, item_id(1, 4), item_id(2, 4)}, {{item_id(2, 0), 0}, {item_id(2, 1), 1}},
                  {{remove, 1, 0, 4}, {remove, 1, 1, 4}}, {{remove, 1, 4, 4}}},
        clue_case{"not above: a solved item takes its partner out of its column",
                  {not_above, item_id(0, 1), item_id(4, 3)}, {{item_id(0, 1), 1}}, {{remove, 4, 1, 3}}, {{remove, 4, 3, 3}}},
        clue_case{"left of: neither item can be at the wrong end",
                  {left_of, item_id(0, 1), item_id(5, 4)}, {},
                  {{remove, 0, 5, 1}, {remove, 5, 0, 4}}, {{remove, 0, 1, 1}, {remove, 5, 4, 4}}},
        clue_case{"left of: A goes from columns at or right of B's rightmost",
                  {left_of, item_id(0, 1), item_id(5, 2)}, {{item_id(5, 3), 3}, {item_id(5, 4), 4}, {item_id(5, 5), 5}},
                  {{remove, 0, 2, 1}, {remove, 0, 3, 1}, {remove, 0, 4, 1}, {remove, 0, 5, 1}}, {{remove, 0, 1, 1}}},
        clue_case{"next to: a solved item leaves its partner only its neighbours",
                  {next_to, item_id(2, 0), item_id(3, 1)}, {{item_id(2, 0), 0}}, {{solve, 3, 1, 1}}, {}},
        clue_case{"not next to: a solved item takes its partner from the neighbouring columns",
                  {not_next_to, item_id(1, 3), item_id(2, 0)}, {{item_id(1, 3), 3}},
                  {{remove, 2, 2, 0}, {remove, 2, 4, 0}}, {{remove, 2, 3, 0}, {remove, 2, 0, 0}}},
        clue_case{"between: the middle item cannot be at either edge",
                  {between, item_id(0, 1), item_id(1, 2), item_id(2, 3)}, {},
                  {{remove, 1, 0, 2}, {remove, 1, 5, 2}}, {{remove, 1, 2, 2}}},
        clue_case{"between: two solved outer items solve the middle one",
                  {between, item_id(0, 1), item_id(1, 2), item_id(2, 3)}, {{item_id(0, 1), 1}, {item_id(2, 3), 3}},
                  {{solve, 1, 2, 2}}, {}},
        clue_case{"not between: a solved item in the middle of two solved outer ones cannot be",
                  {not_between, item_id(0, 1), item_id(4, 5), item_id(2, 3)},
                  {{item_id(0, 1), 1}, {item_id(2, 3), 3}}, {{remove, 4, 2, 5}}, {{remove, 4, 5, 5}}},
        clue_case{"given: the cell is solved",
                  {given, item_id(3, 4)}, {}, {{solve, 3, 4, 4}}, {}},
        clue_case{"filler: nothing follows", {filler, item_id(3, 4)}, {}, {}, {{solve, 3, 4, 4}}}),
    [](const testing::TestParamInfo<clue_case>& info) { return "Case" + std::to_string(info.index); });

TEST(SolverTest, LeavingOutTheOnlyGivenLeavesTheCellOpen) {
    const Solution solution = diagonal_solution();
    std::vector<Clue> clues;
    for (int item = 0; item < item_count; ++item) clues.push_back({given, item});
    EXPECT_TRUE(clues_solve(clues, solution));
    // A category with five givens still solves by elimination.
    EXPECT_TRUE(clues_solve(clues, solution, 7));
    clues.erase(clues.begin() + 8);
    EXPECT_FALSE(clues_solve(clues, solution, 7));
}

}  // namespace
