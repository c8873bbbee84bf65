#pragma once

#include "editor/tag_dialog.h"
#include "puzzle/game.h"
#include "puzzle/throwing_animation.h"

#include <QElapsedTimer>
#include <QTimer>
#include <memory>

class PuzzleBoard;
class QMenu;

// "Little Hidden Puzzle Game" (dialog 102), which a new monster tag of a
// certain name opens. It plays the game of puzzle::Game on its board and
// reads or writes no tag.
class CPuzzleDlg : public CTagDialog {
    Q_OBJECT

public:
    static constexpr int dialog_template = 102;
    static constexpr int board_control = 1000;
    static constexpr int other_clues_control = 1001;
    static constexpr int undo_control = 1002;
    static constexpr int hint_control = 1003;
    static constexpr int time_control = 1004;
    static constexpr int game_control = 1005;
    static constexpr int game_text_control = 1007;
    // Commands of the "Game" pop-up menu.
    static constexpr int play_command = 666;
    static constexpr int restart_command = 667;
    static constexpr int game_number_command = 668;
    static constexpr int help_command = 669;
    static constexpr int quit_command = 1;

    explicit CPuzzleDlg(QWidget* parent);
    ~CPuzzleDlg() override;

    puzzle::Game& game() { return game_; }
    // The pop-up menu of "Game", its entries' data their command ids.
    QMenu* game_menu() const { return menu_; }
    void run_command(int command);
    // Milliseconds since the dialog was made: the game's clock.
    std::int64_t now() const { return clock_.elapsed(); }

protected:
    bool OnInitDialog() override;

private:
    void tick();
    void refresh();
    void show_game_menu();
    void choose_game_number();
    void after_board_change();
    void end_celebration();

    puzzle::Game game_;
    QElapsedTimer clock_;
    QTimer timer_;
    QMenu* menu_ = nullptr;
    PuzzleBoard* board_ = nullptr;
    std::unique_ptr<puzzle::ThrowingAnimation> animation_;
};
