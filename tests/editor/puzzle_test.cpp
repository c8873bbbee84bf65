#include "commands_fixture.h"
#include "editor/commands/new_tag_name_dialog.h"
#include "editor/frame_commands.h"
#include "editor/puzzle/board_layout.h"
#include "editor/puzzle/game_number_dialog.h"
#include "editor/puzzle/puzzle_dialog.h"
#include "editor/puzzle/puzzle_help_dialog.h"
#include "tag_files/tag_data.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidgetItem>

namespace editor_test {
namespace {

class PuzzleTest : public CommandsTest {};

QString text_of(const CPuzzleDlg& dialog, int control_id) { return dialog.control_as<QLabel>(control_id)->text(); }

void click(CPuzzleDlg& dialog, int button_id) {
    auto* button = dialog.control_as<QPushButton>(button_id);
    ASSERT_TRUE(button->isEnabled()) << button_id;
    button->click();
}

// A click on the board, away from every cell and clue.
void click_board(CPuzzleDlg& dialog, Qt::MouseButton button) {
    QTest::mouseClick(dialog.control(CPuzzleDlg::board_control), button, {}, QPoint(490, 480));
}

TEST_F(PuzzleTest, NewMardenMonsterOpensTheGame) {
    select(group_item(monsters));
    when_shown<CNewTagNameDlg>([](CNewTagNameDlg& dialog) {
        dialog.control_as<QLineEdit>(CNewTagNameDlg::name_control)->setText(QStringLiteral("MARDEN"));
        press_ok(dialog);
    });
    bool opened = false;
    when_shown<CPuzzleDlg>([&](CPuzzleDlg& dialog) {
        opened = true;
        EXPECT_EQ(dialog.template_id(), 102);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Little Hidden Puzzle Game"));
        EXPECT_EQ(text_of(dialog, CPuzzleDlg::time_control), QStringLiteral("00:00"));
        EXPECT_EQ(text_of(dialog, CPuzzleDlg::game_text_control), QStringLiteral("Game #1"));
        EXPECT_EQ(dialog.control(CPuzzleDlg::board_control)->size(), QSize(957, 488));
        dialog.run_command(CPuzzleDlg::quit_command);
    });
    frame().run_command(command_id::new_in_group);
    EXPECT_TRUE(opened);
    const tag_handle created = tag_named(monsters, "marden");
    ASSERT_NE(created, NONE);
    EXPECT_EQ(tag_get_size(created), 0) << "the new tag stays empty";
}

TEST_F(PuzzleTest, ModesEnableTheButtonsAndTheMenu) {
    CPuzzleDlg dialog(nullptr);
    dialog.show();
    const auto enabled = [&](int id) { return dialog.control(id)->isEnabled(); };
    const auto entry = [&](int command) {
        for (QAction* action : dialog.game_menu()->actions())
            if (action->data().toInt() == command) return action;
        return static_cast<QAction*>(nullptr);
    };
    QStringList entries;
    for (QAction* action : dialog.game_menu()->actions()) entries << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(entries, (QStringList{"Play", "-", "Restart", "Game Number", "HELP!!", "-", "Quit"}));
    EXPECT_TRUE(enabled(CPuzzleDlg::game_control));
    EXPECT_FALSE(enabled(CPuzzleDlg::hint_control));
    EXPECT_FALSE(enabled(CPuzzleDlg::other_clues_control));
    EXPECT_FALSE(enabled(CPuzzleDlg::undo_control));

    // The menu's entries are set each time it opens.
    QTimer::singleShot(0, dialog.game_menu(), [&] {
        EXPECT_TRUE(entry(CPuzzleDlg::play_command)->isEnabled());
        EXPECT_FALSE(entry(CPuzzleDlg::restart_command)->isEnabled());
        EXPECT_TRUE(entry(CPuzzleDlg::game_number_command)->isEnabled());
        EXPECT_TRUE(entry(CPuzzleDlg::help_command)->isEnabled());
        entry(CPuzzleDlg::play_command)->trigger();
        dialog.game_menu()->close();
    });
    click(dialog, CPuzzleDlg::game_control);
    EXPECT_EQ(dialog.game().mode(), puzzle::Mode::playing);
    EXPECT_TRUE(enabled(CPuzzleDlg::hint_control));
    EXPECT_TRUE(enabled(CPuzzleDlg::other_clues_control));
    EXPECT_FALSE(enabled(CPuzzleDlg::undo_control));
    click(dialog, CPuzzleDlg::other_clues_control);
    EXPECT_EQ(dialog.game().shown_page(), 1);
    EXPECT_TRUE(enabled(CPuzzleDlg::undo_control));
    click(dialog, CPuzzleDlg::undo_control);
    EXPECT_EQ(dialog.game().shown_page(), 0);

    click(dialog, CPuzzleDlg::hint_control);
    EXPECT_EQ(dialog.game().mode(), puzzle::Mode::hint_shown);
    EXPECT_FALSE(enabled(CPuzzleDlg::hint_control));
    EXPECT_FALSE(enabled(CPuzzleDlg::game_control));
    const puzzle::Board before = dialog.game().board();
    click_board(dialog, Qt::RightButton);
    EXPECT_EQ(dialog.game().mode(), puzzle::Mode::playing);
    EXPECT_EQ(dialog.game().board(), before) << "a right click lets the hint be";
    EXPECT_EQ(text_of(dialog, CPuzzleDlg::time_control), QStringLiteral("00:30")) << "a hint costs 30 seconds";

    when_shown<CPuzzleHelpDlg>([](CPuzzleHelpDlg& help) {
        EXPECT_EQ(help.windowTitle(), QStringLiteral("Little Hidden Puzzle Help"));
        help.accept();
    });
    dialog.run_command(CPuzzleDlg::help_command);
    EXPECT_EQ(services.unscripted_dialogs(), 0);
}

TEST_F(PuzzleTest, GameNumberTakesOneTo2000000000) {
    CPuzzleDlg dialog(nullptr);
    dialog.show();
    when_shown<CGameNumberDlg>([this](CGameNumberDlg& choice) {
        EXPECT_EQ(choice.windowTitle(), QStringLiteral("Game Number"));
        auto* edit = choice.control_as<QLineEdit>(CGameNumberDlg::number_control);
        EXPECT_EQ(edit->text(), QStringLiteral("1"));
        for (const char* refused : {"0", "2000000001", "abc"}) {
            edit->setText(QString::fromLatin1(refused));
            press_ok(choice);
            EXPECT_FALSE(choice.result() == QDialog::Accepted) << refused;
        }
        EXPECT_EQ(services.message_texts(),
                  (QStringList{"Please enter an integer between 1 and 2000000000.",
                               "Please enter an integer between 1 and 2000000000.", "Please enter an integer."}));
        edit->setText(QStringLiteral("2000000000"));
        press_ok(choice);
    });
    dialog.run_command(CPuzzleDlg::game_number_command);
    EXPECT_EQ(dialog.game().mode(), puzzle::Mode::playing);
    EXPECT_EQ(text_of(dialog, CPuzzleDlg::game_text_control), QStringLiteral("Game #2000000000"));
}

// Plays by hints to the end; TESSARY_PUZZLE_PICTURE names a file to write a
// picture of the game half played to.
TEST_F(PuzzleTest, HintsPlayAGameToTheEndAndTheNextNumberFollows) {
    CPuzzleDlg dialog(nullptr);
    dialog.show();
    dialog.run_command(CPuzzleDlg::play_command);
    int hints = 0;
    while (dialog.game().mode() == puzzle::Mode::playing && hints < 500) {
        click(dialog, CPuzzleDlg::hint_control);
        ASSERT_EQ(dialog.game().mode(), puzzle::Mode::hint_shown);
        click_board(dialog, Qt::LeftButton);
        ++hints;
        if (hints == 40) {
            click(dialog, CPuzzleDlg::hint_control);
            const QImage picture = dialog.grab().toImage();
            EXPECT_EQ(picture.width(), dialog.width());
            if (const char* path = std::getenv("TESSARY_PUZZLE_PICTURE")) {
                EXPECT_TRUE(picture.save(QString::fromLocal8Bit(path))) << path;
            }
            click_board(dialog, Qt::RightButton);
        }
    }
    EXPECT_EQ(dialog.game().mode(), puzzle::Mode::solved);
    EXPECT_FALSE(dialog.control(CPuzzleDlg::game_control)->isEnabled());
    EXPECT_EQ(text_of(dialog, CPuzzleDlg::game_text_control), QStringLiteral("Game #1"));
    // The celebration runs on the timer; a click ends it at once.
    QTest::qWait(200);
    click_board(dialog, Qt::LeftButton);
    EXPECT_EQ(dialog.game().mode(), puzzle::Mode::ready);
    EXPECT_EQ(text_of(dialog, CPuzzleDlg::game_text_control), QStringLiteral("Game #2"));
    EXPECT_TRUE(dialog.control(CPuzzleDlg::game_control)->isEnabled());
}

TEST_F(PuzzleTest, DraggingAnItemOntoACellPlacesItAndARightDragRemovesIt) {
    CPuzzleDlg dialog(nullptr);
    dialog.show();
    dialog.run_command(CPuzzleDlg::play_command);
    const puzzle::Game& game = dialog.game();
    int category = 0;
    int column = 0;
    while (puzzle::is_solved(game.board().at(category, column)) || puzzle::is_solved(game.board().at(category, (column + 1) % 6))) {
        column = (column + 1) % 6;
        if (column == 0) ++category;
    }
    const int target = (column + 1) % 6;
    const int index = game.solution().index_at[category][target];
    QWidget* board = dialog.control(CPuzzleDlg::board_control);
    const QPoint from = board_layout::small_item_rect(category, target, index).center();
    const QPoint other = board_layout::small_item_rect(category, column, index).center();
    if (puzzle::can_hold(game.board().at(category, column), index)) {
        QTest::mousePress(board, Qt::RightButton, {}, other);
        QTest::mouseRelease(board, Qt::RightButton, {}, other);
        EXPECT_FALSE(puzzle::can_hold(game.board().at(category, column), index));
    }
    QTest::mousePress(board, Qt::LeftButton, {}, from);
    QTest::mouseMove(board, board_layout::cell_rect(category, target).center());
    QTest::mouseRelease(board, Qt::LeftButton, {}, board_layout::cell_rect(category, target).topLeft() + QPoint(3, 3));
    EXPECT_EQ(game.board().at(category, target), puzzle::solved_cell(index));
    EXPECT_TRUE(dialog.control(CPuzzleDlg::undo_control)->isEnabled());
}

}  // namespace
}  // namespace editor_test
