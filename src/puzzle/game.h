#pragma once

// One sitting of the hidden game: the current game number, the mode, the
// player's board and clue pages with their undo snapshots, hints and the end
// of a game. Times are milliseconds of a clock the caller reads.

#include "puzzle/board.h"
#include "puzzle/clue_pages.h"
#include "puzzle/game_random.h"
#include "puzzle/solver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace puzzle {

enum class Mode { ready = 0, playing = 1, solved = 2, hint_shown = 3, finished_wrong = 4 };

inline constexpr std::uint32_t first_game_number = 1;
inline constexpr std::uint32_t last_game_number = 2000000000;
inline constexpr std::int64_t hint_cost_ms = 30000;

struct Cell {
    int category = 0;
    int column = 0;
    bool operator==(const Cell&) const = default;
};

class Game {
public:
    std::uint32_t number() const { return number_; }
    Mode mode() const { return mode_; }
    const Board& board() const { return board_; }
    const Solution& solution() const { return solution_; }
    const std::vector<Clue>& clues() const { return clues_; }
    const CluePages& pages() const { return pages_; }
    int shown_page() const { return shown_page_; }
    std::int64_t start_time() const { return start_time_; }
    GameRandom& random() { return random_; }

    // What the buttons and the menu allow in the current mode.
    bool can_play() const { return mode_ == Mode::ready; }
    bool can_restart() const { return mode_ == Mode::playing; }
    bool can_choose_number() const { return mode_ == Mode::ready || mode_ == Mode::playing; }
    bool can_use_clues() const { return mode_ == Mode::playing; }
    bool can_undo() const { return mode_ == Mode::playing && !undo_stack_.empty(); }

    // Generates that game (the number is kept within the valid range) and
    // plays it from now.
    void start(std::uint32_t number, std::int64_t now);
    void play(std::int64_t now) { start(number_, now); }
    // Whole minutes and seconds since the start, "%02d:%02d".
    std::string elapsed_text(std::int64_t now) const;

    // The player's moves, each first saving an undo snapshot.
    void place(Cell cell, int index);
    void remove(Cell cell, int index);
    void move_clue(ClueList list, int from, int to);
    void send_clue_to_other_page(ClueList list, int slot);
    void switch_page();
    bool undo();

    // Looks for a hint; when there is one, it costs hint_cost_ms and is shown.
    bool request_hint();
    const std::optional<Deduction>& hint() const { return hint_; }
    void apply_hint();
    void cancel_hint();

    // A finished board's wrong cells in board order, and its verdict.
    const std::vector<Cell>& wrong_cells() const { return wrong_cells_; }
    std::string wrong_cells_verdict() const;
    // Ends the celebration of a solved game: the next number, ready to play.
    void end_celebration();
    // Leaves a game finished with wrong cells.
    void dismiss_result();

private:
    struct Snapshot {
        Board board;
        CluePages pages;
        int shown_page;
        bool operator==(const Snapshot&) const = default;
    };

    Snapshot snapshot() const { return {board_, pages_, shown_page_}; }
    void save_snapshot();
    void check_end();
    std::optional<Deduction> clue_hint(bool solving_only);

    std::uint32_t number_ = first_game_number;
    Mode mode_ = Mode::ready;
    std::int64_t start_time_ = 0;
    GameRandom random_;
    Solution solution_;
    std::vector<Clue> clues_;
    Board board_ = Board::all_possible();
    CluePages pages_{};
    int shown_page_ = 0;
    std::vector<Snapshot> undo_stack_;
    std::optional<Deduction> hint_;
    std::vector<Cell> wrong_cells_;
};

}  // namespace puzzle
