#include "puzzle/game.h"
#include "puzzle/hidden_texts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace puzzle;

// Applies hints until the game leaves play; false if it ever finds none.
bool play_by_hints(Game& game) {
    for (int step = 0; step < 2000 && game.mode() == Mode::playing; ++step) {
        if (!game.request_hint()) return false;
        game.apply_hint();
    }
    return game.mode() != Mode::playing;
}

Cell first_open_cell(const Game& game) {
    for (int category = 0; category < category_count; ++category)
        for (int column = 0; column < column_count; ++column)
            if (!is_solved(game.board().at(category, column))) return {category, column};
    return {-1, -1};
}

TEST(GameTest, ModesEnableTheirCommands) {
    Game game;
    EXPECT_EQ(game.mode(), Mode::ready);
    EXPECT_EQ(game.number(), 1u);
    EXPECT_TRUE(game.can_play());
    EXPECT_FALSE(game.can_restart());
    EXPECT_TRUE(game.can_choose_number());
    EXPECT_FALSE(game.can_use_clues());
    EXPECT_FALSE(game.can_undo());

    game.play(0);
    EXPECT_EQ(game.mode(), Mode::playing);
    EXPECT_FALSE(game.can_play());
    EXPECT_TRUE(game.can_restart());
    EXPECT_TRUE(game.can_choose_number());
    EXPECT_TRUE(game.can_use_clues());
    EXPECT_FALSE(game.can_undo()) << "nothing to undo yet";

    game.switch_page();
    EXPECT_TRUE(game.can_undo());
    game.switch_page();  // back to the page with the clues, for the hint
    ASSERT_TRUE(game.request_hint());
    EXPECT_EQ(game.mode(), Mode::hint_shown);
    EXPECT_FALSE(game.can_restart());
    EXPECT_FALSE(game.can_choose_number());
    EXPECT_FALSE(game.can_use_clues());
    EXPECT_FALSE(game.can_undo());
    game.cancel_hint();
    EXPECT_EQ(game.mode(), Mode::playing);
}

TEST(GameTest, PlayingByHintsSolvesTheGameAndMovesToTheNextNumber) {
    Game game;
    game.start(41, 0);
    ASSERT_TRUE(play_by_hints(game));
    EXPECT_EQ(game.mode(), Mode::solved);
    EXPECT_TRUE(game.wrong_cells().empty());
    EXPECT_FALSE(game.can_choose_number());
    game.end_celebration();
    EXPECT_EQ(game.mode(), Mode::ready);
    EXPECT_EQ(game.number(), 42u);
}

TEST(GameTest, AHintPointsAtAWronglyPlacedItemAndResetsItsCell) {
    for (const std::uint32_t number : {3u, 500u, 90210u}) {
        Game game;
        game.start(number, 0);
        const Cell cell = first_open_cell(game);
        const int right = game.solution().index_at[cell.category][cell.column];
        const int wrong = (right + 1) % 6;
        game.place(cell, wrong);
        ASSERT_TRUE(game.request_hint());
        ASSERT_TRUE(game.hint());
        EXPECT_EQ(game.hint()->kind, DeductionKind::reset) << number;
        EXPECT_EQ((Cell{game.hint()->category, game.hint()->column}), cell) << number;
        game.apply_hint();
        EXPECT_EQ(game.board().at(cell.category, cell.column), all_items) << number;
        EXPECT_EQ(game.mode(), Mode::playing);
    }
}

TEST(GameTest, AHintAddsThirtySeconds) {
    Game game;
    game.start(7, 1000);
    EXPECT_EQ(game.elapsed_text(1000), "00:00");
    EXPECT_EQ(game.elapsed_text(1000 + 65999), "01:05");
    ASSERT_TRUE(game.request_hint());
    EXPECT_EQ(game.elapsed_text(1000), "00:30");
    EXPECT_EQ(game.elapsed_text(1000 + 65999), "01:35");
    game.apply_hint();
    EXPECT_EQ(game.elapsed_text(1000), "00:30");
}

TEST(GameTest, RightClickCancelsAHintWithoutApplyingIt) {
    Game game;
    game.start(12, 0);
    const Board before = game.board();
    ASSERT_TRUE(game.request_hint());
    game.cancel_hint();
    EXPECT_EQ(game.board(), before);
    EXPECT_FALSE(game.hint());
}

TEST(GameTest, UndoRestoresEachChangeAndSkipsSnapshotsThatChangeNothing) {
    Game game;
    game.start(19, 0);
    const Board start = game.board();
    const Cell cell = first_open_cell(game);
    const int index = game.solution().index_at[cell.category][cell.column];

    // Removing an item twice: the second snapshot equals the first.
    game.remove(cell, (index + 1) % 6);
    const Board narrowed = game.board();
    EXPECT_FALSE(can_hold(narrowed.at(cell.category, cell.column), (index + 1) % 6));
    game.remove(cell, (index + 1) % 6);
    game.place(cell, index);
    EXPECT_EQ(solved_index(game.board().at(cell.category, cell.column)), index);
    game.switch_page();
    EXPECT_EQ(game.shown_page(), 1);

    ASSERT_TRUE(game.undo());
    EXPECT_EQ(game.shown_page(), 0);
    ASSERT_TRUE(game.undo());
    EXPECT_EQ(game.board(), narrowed);
    ASSERT_TRUE(game.undo());
    EXPECT_EQ(game.board(), start);
    EXPECT_FALSE(game.can_undo());
    EXPECT_FALSE(game.undo());
}

TEST(GameTest, PlacingAnItemTakesItFromTheOtherCellsOfItsCategory) {
    Game game;
    game.start(23, 0);
    const Cell cell = first_open_cell(game);
    const int other_column = (cell.column + 1) % column_count;
    const int index = game.solution().index_at[cell.category][other_column];
    if (!is_solved(game.board().at(cell.category, other_column))) game.place({cell.category, other_column}, index);
    game.place(cell, index);
    EXPECT_EQ(game.board().at(cell.category, cell.column), solved_cell(index));
    EXPECT_EQ(game.board().at(cell.category, other_column), 0) << "the cell solved with it before becomes empty";
    for (int column = 0; column < column_count; ++column) {
        if (column != cell.column) {
            EXPECT_FALSE(can_hold(game.board().at(cell.category, column), index));
        }
    }
}

TEST(GameTest, ABoardFinishedWrongCountsItsWrongCellsInBoardOrder) {
    Game game;
    game.start(31, 0);
    std::vector<Cell> swapped;
    // Every item placed once, those of the first two columns swapped where both cells are open.
    for (int category = 0; category < category_count; ++category) {
        const bool open = !is_solved(game.board().at(category, 0)) && !is_solved(game.board().at(category, 1));
        for (int column = 0; column < column_count; ++column) {
            const int target = open && column < 2 ? 1 - column : column;
            if (is_solved(game.board().at(category, column))) continue;
            game.place({category, column}, game.solution().index_at[category][target]);
        }
        if (open) swapped.insert(swapped.end(), {{category, 0}, {category, 1}});
    }
    ASSERT_FALSE(swapped.empty());
    ASSERT_EQ(game.mode(), Mode::finished_wrong);
    EXPECT_EQ(game.wrong_cells(), swapped);
    EXPECT_NE(game.wrong_cells_verdict().find(std::to_string(swapped.size())), std::string::npos);
    EXPECT_FALSE(game.can_choose_number());
    game.dismiss_result();
    EXPECT_EQ(game.mode(), Mode::ready);
    EXPECT_EQ(game.number(), 31u) << "only a solved game moves to the next number";
}

TEST(GameTest, GameNumbersStayInTheirRange) {
    Game game;
    game.start(0, 0);
    EXPECT_EQ(game.number(), 1u);
    game.start(2000000000u, 0);
    ASSERT_TRUE(play_by_hints(game));
    game.end_celebration();
    EXPECT_EQ(game.number(), 1u);
}

TEST(HiddenTextsTest, NamesAreDistinctAndVerdictsCarryTheCount) {
    const auto& names = item_names();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 36u);
    for (const auto& name : names) EXPECT_FALSE(name.empty());
    std::set<std::string> verdicts;
    for (const int count : {1, 3, 4, 9, 10, 19, 20, 36}) {
        const std::string text = wrong_cells_text(count);
        EXPECT_NE(text.find(std::to_string(count)), std::string::npos) << text;
        verdicts.insert(text.substr(0, text.find(std::to_string(count))));
    }
    EXPECT_GE(verdicts.size(), 2u) << "one text below 4, others above";
    EXPECT_EQ(wrong_cells_text(1).substr(0, 5), wrong_cells_text(3).substr(0, 5));
    EXPECT_NE(wrong_cells_text(3).substr(0, 5), wrong_cells_text(4).substr(0, 5));
}

}  // namespace
