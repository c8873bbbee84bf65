#pragma once

#include "puzzle/game.h"
#include "puzzle/throwing_animation.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

// The hidden game's board (static 1000 of dialog 102): it draws the game and
// turns presses, drags and releases of both buttons into the game's moves.
class PuzzleBoard : public QWidget {
    Q_OBJECT

public:
    // `now` reads the game's clock in milliseconds.
    PuzzleBoard(puzzle::Game& game, std::function<std::int64_t()> now, QWidget* parent);

    QSize sizeHint() const override;
    // The celebration of a solved game, while it runs.
    void set_animation(const puzzle::ThrowingAnimation* animation) { animation_ = animation; }
    // Where the result of a game finished wrong started being shown.
    void set_result_start(std::int64_t start) { result_start_ = start; }

signals:
    // The game changed through the board.
    void changed();
    // A click that ends the celebration or the shown result.
    void dismissed();

protected:
    // A clue's tooltip is its text.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Carried {
        Qt::MouseButton button;
        bool clue;
        puzzle::Cell cell;  // items: where it was picked up
        int index = 0;
        puzzle::ClueList list = puzzle::ClueList::horizontal;
        int slot = 0;
    };

    void paint_cells(QPainter& painter, std::int64_t now);
    void paint_clues(QPainter& painter);
    void paint_result(QPainter& painter, std::int64_t now);
    void drop(const Carried& carried, QPoint point);

    puzzle::Game& game_;
    std::function<std::int64_t()> now_;
    const puzzle::ThrowingAnimation* animation_ = nullptr;
    std::int64_t result_start_ = 0;
    std::optional<Carried> carried_;
    QPoint pointer_;
};
