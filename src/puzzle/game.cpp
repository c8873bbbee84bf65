#include "puzzle/game.h"

#include "puzzle/generator.h"
#include "puzzle/hidden_texts.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace puzzle {

void Game::start(std::uint32_t number, std::int64_t now) {
    number_ = std::clamp(number, first_game_number, last_game_number);
    GeneratedGame game = generate_game(number_, random_);
    solution_ = game.solution;
    clues_ = std::move(game.clues);
    board_ = game.board;
    pages_ = game.pages;
    shown_page_ = 0;
    undo_stack_.clear();
    hint_.reset();
    wrong_cells_.clear();
    start_time_ = now;
    mode_ = Mode::playing;
}

std::string Game::elapsed_text(std::int64_t now) const {
    const std::int64_t seconds = std::max<std::int64_t>(0, (now - start_time_) / 1000);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(seconds / 60), static_cast<int>(seconds % 60));
    return text;
}

void Game::save_snapshot() {
    if (undo_stack_.empty() || undo_stack_.back() != snapshot()) undo_stack_.push_back(snapshot());
}

void Game::place(Cell cell, int index) {
    if (mode_ != Mode::playing) return;
    save_snapshot();
    board_.solve(cell.category, cell.column, index);
    check_end();
}

void Game::remove(Cell cell, int index) {
    if (mode_ != Mode::playing) return;
    save_snapshot();
    board_.remove(cell.category, cell.column, index);
    check_end();
}

void Game::move_clue(ClueList list, int from, int to) {
    if (mode_ != Mode::playing || from == to) return;
    save_snapshot();
    puzzle::move_clue(pages_[static_cast<std::size_t>(shown_page_)], list, from, to);
}

void Game::send_clue_to_other_page(ClueList list, int slot) {
    if (mode_ != Mode::playing) return;
    save_snapshot();
    send_to_other_page(pages_, shown_page_, list, slot);
}

void Game::switch_page() {
    if (mode_ != Mode::playing) return;
    save_snapshot();
    shown_page_ = 1 - shown_page_;
}

bool Game::undo() {
    if (!can_undo()) return false;
    const Snapshot& last = undo_stack_.back();
    board_ = last.board;
    pages_ = last.pages;
    shown_page_ = last.shown_page;
    undo_stack_.pop_back();
    return true;
}

std::optional<Deduction> Game::clue_hint(bool solving_only) {
    const CluePage& page = pages_[static_cast<std::size_t>(shown_page_)];
    std::array<int, horizontal_slots + vertical_slots> order{};
    std::iota(order.begin(), order.end(), 0);
    for (int i = static_cast<int>(order.size()) - 1; i > 0; --i) std::swap(order[i], order[random_.below(i + 1)]);
    for (const int slot : order) {
        const Clue& clue = slot < horizontal_slots ? page.horizontal[slot] : page.vertical[slot - horizontal_slots];
        if (clue.empty()) continue;
        for (const Deduction& step : clue_deductions(board_, clue, solution_))
            if (!solving_only || step.kind == DeductionKind::solve) return step;
    }
    return std::nullopt;
}

bool Game::request_hint() {
    if (mode_ != Mode::playing) return false;
    hint_ = basic_deduction(board_, solution_);
    if (!hint_) hint_ = clue_hint(true);
    if (!hint_) hint_ = clue_hint(false);
    if (!hint_) return false;
    start_time_ -= hint_cost_ms;
    mode_ = Mode::hint_shown;
    return true;
}

void Game::apply_hint() {
    if (mode_ != Mode::hint_shown || !hint_) return;
    mode_ = Mode::playing;
    save_snapshot();
    apply_deduction(board_, *hint_);
    hint_.reset();
    check_end();
}

void Game::cancel_hint() {
    if (mode_ != Mode::hint_shown) return;
    hint_.reset();
    mode_ = Mode::playing;
}

void Game::check_end() {
    if (!board_.is_complete()) return;
    wrong_cells_.clear();
    for (int category = 0; category < category_count; ++category)
        for (int column = 0; column < column_count; ++column)
            if (solved_index(board_.at(category, column)) != solution_.index_at[category][column])
                wrong_cells_.push_back({category, column});
    mode_ = wrong_cells_.empty() ? Mode::solved : Mode::finished_wrong;
}

std::string Game::wrong_cells_verdict() const {
    return wrong_cells_.empty() ? std::string() : wrong_cells_text(static_cast<int>(wrong_cells_.size()));
}

void Game::end_celebration() {
    if (mode_ != Mode::solved) return;
    number_ = number_ >= last_game_number ? first_game_number : number_ + 1;
    mode_ = Mode::ready;
}

void Game::dismiss_result() {
    if (mode_ == Mode::finished_wrong) mode_ = Mode::ready;
}

}  // namespace puzzle
