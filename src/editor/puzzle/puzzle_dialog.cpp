#include "editor/puzzle/puzzle_dialog.h"

#include "core/tag_code.h"

#include "editor/commands/new_tag_hooks.h"
#include "editor/platform/services.h"
#include "editor/puzzle/board_layout.h"
#include "editor/puzzle/game_number_dialog.h"
#include "editor/puzzle/puzzle_board.h"
#include "editor/puzzle/puzzle_help_dialog.h"
#include "editor/quillet_frame_wnd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int timer_ms = 50;
// Ticks of the throwing animation per timer tick: ten-millisecond ticks keep
// the celebration of 36 items short.
constexpr int animation_ticks_per_timer = 5;

void start_hidden_game(CQuilletFrameWnd& frame) {
    CPuzzleDlg dialog(&frame);
    platform::run_modal(dialog);
}

const NewTagHookRegistration hidden_game_hook(NewTagHook::hidden_game, start_hidden_game);

}  // namespace

CPuzzleDlg::CPuzzleDlg(QWidget* parent) : CTagDialog(dialog_template, NONE, NONE, parent) {
    clock_.start();
    setWindowTitle(QStringLiteral("Little Hidden Puzzle Game"));
    auto* layout = new QVBoxLayout(this);
    board_ = new PuzzleBoard(game_, [this] { return now(); }, this);
    register_control(board_control, board_);
    layout->addWidget(board_);

    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    const auto add_button = [&](int id, const char* text) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setAutoDefault(false);
        register_control(id, button);
        row->addWidget(button);
        return button;
    };
    connect(add_button(game_control, "Game"), &QPushButton::clicked, this, &CPuzzleDlg::show_game_menu);
    connect(add_button(other_clues_control, "Other Clues"), &QPushButton::clicked, this, [this] {
        game_.switch_page();
        refresh();
    });
    connect(add_button(undo_control, "Undo"), &QPushButton::clicked, this, [this] {
        game_.undo();
        refresh();
    });
    connect(add_button(hint_control, "Hint"), &QPushButton::clicked, this, [this] {
        game_.request_hint();
        refresh();
    });
    row->addStretch();
    auto* game_text = new QLabel(this);
    register_control(game_text_control, game_text);
    row->addWidget(game_text);
    row->addSpacing(24);
    auto* time = new QLabel(QStringLiteral("00:00"), this);
    register_control(time_control, time);
    row->addWidget(time);

    menu_ = new QMenu(this);
    const auto add_entry = [this](int id, const char* text) {
        QAction* action = menu_->addAction(QString::fromLatin1(text));
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { run_command(id); });
    };
    add_entry(play_command, "Play");
    menu_->addSeparator();
    add_entry(restart_command, "Restart");
    add_entry(game_number_command, "Game Number");
    add_entry(help_command, "HELP!!");
    menu_->addSeparator();
    add_entry(quit_command, "Quit");

    connect(board_, &PuzzleBoard::changed, this, &CPuzzleDlg::after_board_change);
    connect(board_, &PuzzleBoard::dismissed, this, [this] {
        if (game_.mode() == puzzle::Mode::solved) end_celebration();
        game_.dismiss_result();
        refresh();
    });
    connect(&timer_, &QTimer::timeout, this, &CPuzzleDlg::tick);
    timer_.start(timer_ms);
    refresh();
}

CPuzzleDlg::~CPuzzleDlg() { board_->set_animation(nullptr); }

bool CPuzzleDlg::OnInitDialog() {
    setWindowTitle(QStringLiteral("Little Hidden Puzzle Game"));
    refresh();
    return true;
}

void CPuzzleDlg::run_command(int command) {
    switch (command) {
        case play_command:
            if (game_.can_play()) game_.play(now());
            break;
        case restart_command:
            if (game_.can_restart()) game_.play(now());
            break;
        case game_number_command:
            if (game_.can_choose_number()) choose_game_number();
            break;
        case help_command: {
            CPuzzleHelpDlg help(this);
            platform::run_modal(help);
            break;
        }
        case quit_command: reject(); return;
        default: return;
    }
    refresh();
}

void CPuzzleDlg::choose_game_number() {
    CGameNumberDlg choice(game_.number(), this);
    if (platform::run_modal(choice) == QDialog::Accepted) game_.start(choice.number(), now());
}

void CPuzzleDlg::show_game_menu() {
    for (QAction* action : menu_->actions()) {
        switch (action->data().toInt()) {
            case play_command: action->setEnabled(game_.can_play()); break;
            case restart_command: action->setEnabled(game_.can_restart()); break;
            case game_number_command: action->setEnabled(game_.can_choose_number()); break;
            default: break;
        }
    }
    auto* button = control(game_control);
    menu_->exec(button->mapToGlobal(QPoint(0, button->height())));
}

void CPuzzleDlg::after_board_change() {
    if (game_.mode() == puzzle::Mode::solved && !animation_) {
        std::vector<puzzle::ThrowingAnimation::Place> places;
        for (int category = 0; category < puzzle::category_count; ++category)
            for (int column = 0; column < puzzle::column_count; ++column) {
                const QRect at = board_layout::large_item_rect(category, column);
                places.push_back({puzzle::item_id(category, puzzle::solved_index(game_.board().at(category, column))),
                                  static_cast<double>(at.left()), static_cast<double>(at.top())});
            }
        animation_ = std::make_unique<puzzle::ThrowingAnimation>(
            game_.random(), std::move(places), puzzle::Area{board_layout::width, board_layout::height},
            board_layout::large_item);
        board_->set_animation(animation_.get());
    }
    if (game_.mode() == puzzle::Mode::finished_wrong) board_->set_result_start(now());
    refresh();
}

void CPuzzleDlg::end_celebration() {
    board_->set_animation(nullptr);
    animation_.reset();
    game_.end_celebration();
}

void CPuzzleDlg::tick() {
    if (game_.mode() == puzzle::Mode::playing) {
        control_as<QLabel>(time_control)->setText(QString::fromStdString(game_.elapsed_text(now())));
    }
    if (animation_) {
        bool going = true;
        for (int i = 0; i < animation_ticks_per_timer && going; ++i) going = animation_->step();
        if (!going) {
            end_celebration();
            refresh();
        }
    }
    board_->update();
}

void CPuzzleDlg::refresh() {
    const bool playing = game_.can_use_clues();
    control(hint_control)->setEnabled(playing);
    control(other_clues_control)->setEnabled(playing);
    control(undo_control)->setEnabled(game_.can_undo());
    control(game_control)->setEnabled(game_.can_choose_number());
    control_as<QLabel>(game_text_control)->setText(QString::asprintf("Game #%u", game_.number()));
    if (game_.mode() == puzzle::Mode::playing)
        control_as<QLabel>(time_control)->setText(QString::fromStdString(game_.elapsed_text(now())));
    board_->update();
}
