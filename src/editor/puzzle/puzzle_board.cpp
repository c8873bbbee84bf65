#include "editor/puzzle/puzzle_board.h"

#include "editor/puzzle/board_layout.h"
#include "editor/puzzle/item_pictures.h"
#include "puzzle/hidden_texts.h"

#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <vector>

namespace {

// Blink phases of the hint and of each wrong cell.
constexpr std::int64_t blink_ms = 500;
constexpr std::int64_t phases_per_wrong_cell = 12;

const QColor board_colour(236, 230, 214);
const QColor cell_colour(252, 250, 244);
const QColor blink_colour(255, 214, 64);
const QColor wrong_colour(232, 80, 80);

bool blink_on(std::int64_t elapsed) { return (elapsed / blink_ms) % 2 == 0; }

// The words of a clue between its items' pictures, in the order its text
// reads; a filler is its item's picture and name.
void draw_clue(QPainter& painter, const puzzle::Clue& clue, const QRect& area) {
    const auto& names = puzzle::item_names();
    const char* relation = nullptr;
    std::vector<int> items{clue.a, clue.b};
    switch (clue.kind) {
        case puzzle::between: relation = "between"; items = {clue.b, clue.a, clue.c}; break;
        case puzzle::not_between: relation = "not between"; items = {clue.b, clue.a, clue.c}; break;
        case puzzle::left_of: relation = "left of"; break;
        case puzzle::next_to: relation = "next to"; break;
        case puzzle::not_next_to: relation = "not next to"; break;
        case puzzle::above: relation = "above"; break;
        case puzzle::not_above: relation = "not above"; break;
        default: items = {clue.a}; break;
    }
    const int picture = area.height() - 2;
    int x = area.left() + 3;
    const auto word = [&](const QString& text) {
        const int width = painter.fontMetrics().horizontalAdvance(text);
        painter.drawText(QRect(x, area.top(), width + 8, area.height()), Qt::AlignCenter, text);
        x += width + 8;
    };
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] < 0 || items[i] >= puzzle::item_count) continue;
        draw_item(painter, items[i], QRect(x, area.top() + 1, picture, picture));
        x += picture;
        if (!relation) word(QString::fromStdString(names[static_cast<std::size_t>(items[i])]));
        else if (i == 0) word(QString::fromLatin1(relation));
        else if (i == 1 && items.size() == 3) word(QStringLiteral("and"));
    }
}

}  // namespace

PuzzleBoard::PuzzleBoard(puzzle::Game& game, std::function<std::int64_t()> now, QWidget* parent)
    : QWidget(parent), game_(game), now_(std::move(now)) {
    setFixedSize(board_layout::width, board_layout::height);
    setMouseTracking(true);
}

QSize PuzzleBoard::sizeHint() const { return {board_layout::width, board_layout::height}; }

bool PuzzleBoard::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const auto slot = board_layout::slot_at(help->pos());
    const auto& page = game_.pages()[static_cast<std::size_t>(game_.shown_page())];
    const puzzle::Clue* clue = slot ? &page.list_slots(slot->list)[static_cast<std::size_t>(slot->slot)] : nullptr;
    if (clue && !clue->empty()) {
        QToolTip::showText(help->globalPos(), QString::fromStdString(puzzle::clue_text(*clue, puzzle::item_names())), this);
    } else {
        QToolTip::hideText();
    }
    return true;
}

void PuzzleBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), board_colour);
    const std::int64_t now = now_();
    paint_cells(painter, now);
    paint_clues(painter);
    if (game_.mode() == puzzle::Mode::finished_wrong) paint_result(painter, now);
    if (animation_) {
        for (const auto& place : animation_->waiting())
            draw_item(painter, place.item, QRect(static_cast<int>(place.x), static_cast<int>(place.y),
                                                 board_layout::large_item, board_layout::large_item));
        if (const puzzle::ThrownItem* flying = animation_->flying())
            draw_item(painter, flying->item, QRect(static_cast<int>(flying->x), static_cast<int>(flying->y),
                                                   board_layout::large_item, board_layout::large_item));
    }
    if (carried_ && !carried_->clue) {
        const int size = carried_->button == Qt::LeftButton ? board_layout::large_item : board_layout::small_item;
        draw_item(painter, puzzle::item_id(carried_->cell.category, carried_->index),
                  QRect(pointer_.x() - size / 2, pointer_.y() - size / 2, size, size));
    }
}

void PuzzleBoard::paint_cells(QPainter& painter, std::int64_t now) {
    const puzzle::Board& board = game_.board();
    const auto& hint = game_.hint();
    for (int category = 0; category < puzzle::category_count; ++category)
        for (int column = 0; column < puzzle::column_count; ++column) {
            const QRect cell = board_layout::cell_rect(category, column).adjusted(1, 1, -1, -1);
            QColor fill = cell_colour;
            if (game_.mode() == puzzle::Mode::hint_shown && hint && hint->category == category &&
                hint->column == column && blink_on(now))
                fill = blink_colour;
            painter.fillRect(cell, fill);
            painter.setPen(QColor(160, 150, 130));
            painter.drawRect(cell);
            if (animation_) continue;
            const puzzle::cell_state state = board.at(category, column);
            if (puzzle::is_solved(state)) {
                draw_item(painter, puzzle::item_id(category, puzzle::solved_index(state)),
                          board_layout::large_item_rect(category, column));
                continue;
            }
            for (int index = 0; index < puzzle::items_per_category; ++index)
                if (puzzle::can_hold(state, index))
                    draw_item(painter, puzzle::item_id(category, index), board_layout::small_item_rect(category, column, index));
        }
}

void PuzzleBoard::paint_clues(QPainter& painter) {
    const puzzle::CluePage& page = game_.pages()[static_cast<std::size_t>(game_.shown_page())];
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    for (const auto list : {puzzle::ClueList::horizontal, puzzle::ClueList::vertical}) {
        const auto clues = page.list_slots(list);
        for (int slot = 0; slot < static_cast<int>(clues.size()); ++slot) {
            const QRect area = board_layout::slot_rect(list, slot);
            const bool carried = carried_ && carried_->clue && carried_->list == list && carried_->slot == slot;
            painter.fillRect(area, carried ? blink_colour : cell_colour);
            const puzzle::Clue& clue = clues[static_cast<std::size_t>(slot)];
            if (clue.empty()) continue;
            draw_clue(painter, clue, area);
        }
    }
}

void PuzzleBoard::paint_result(QPainter& painter, std::int64_t now) {
    const auto& wrong = game_.wrong_cells();
    const std::int64_t phase = (now - result_start_) / blink_ms;
    const auto shown = static_cast<std::size_t>(phase / phases_per_wrong_cell);
    if (shown < wrong.size() && phase % 2 == 0) {
        const QRect cell = board_layout::cell_rect(wrong[shown].category, wrong[shown].column);
        painter.setPen(QPen(wrong_colour, 4));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell.adjusted(2, 2, -2, -2));
    }
    painter.setPen(wrong_colour.darker(150));
    painter.drawText(board_layout::message_rect(), Qt::AlignCenter | Qt::TextWordWrap,
                     QString::fromStdString(game_.wrong_cells_verdict()));
}

void PuzzleBoard::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    pointer_ = point;
    switch (game_.mode()) {
        case puzzle::Mode::hint_shown:
            if (event->button() == Qt::LeftButton) game_.apply_hint();
            if (event->button() == Qt::RightButton) game_.cancel_hint();
            emit changed();
            return;
        case puzzle::Mode::solved:
        case puzzle::Mode::finished_wrong: emit dismissed(); return;
        case puzzle::Mode::ready: return;
        case puzzle::Mode::playing: break;
    }
    if (carried_ || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) return;
    if (const auto hit = board_layout::cell_at(point)) {
        const puzzle::cell_state state = game_.board().at(hit->cell.category, hit->cell.column);
        if (hit->index && !puzzle::is_solved(state) && puzzle::can_hold(state, *hit->index))
            carried_ = Carried{event->button(), false, hit->cell, *hit->index};
    } else if (const auto slot = board_layout::slot_at(point)) {
        const auto& page = game_.pages()[static_cast<std::size_t>(game_.shown_page())];
        if (!page.list_slots(slot->list)[static_cast<std::size_t>(slot->slot)].empty())
            carried_ = Carried{event->button(), true, {}, 0, slot->list, slot->slot};
    }
    update();
}

void PuzzleBoard::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    if (carried_) update();
}

void PuzzleBoard::mouseReleaseEvent(QMouseEvent* event) {
    if (!carried_ || event->button() != carried_->button) return;
    const Carried carried = *carried_;
    carried_.reset();
    drop(carried, event->position().toPoint());
    update();
}

void PuzzleBoard::drop(const Carried& carried, QPoint point) {
    if (carried.clue) {
        const auto slot = board_layout::slot_at(point);
        if (!slot || slot->list != carried.list) return;
        if (carried.button == Qt::LeftButton && slot->slot != carried.slot) {
            game_.move_clue(carried.list, carried.slot, slot->slot);
        } else if (carried.button == Qt::RightButton && slot->slot == carried.slot) {
            game_.send_clue_to_other_page(carried.list, carried.slot);
        } else {
            return;
        }
        emit changed();
        return;
    }
    const auto hit = board_layout::cell_at(point);
    if (!hit || hit->cell.category != carried.cell.category) return;
    if (carried.button == Qt::LeftButton) {
        game_.place(hit->cell, carried.index);
    } else if (hit->cell == carried.cell) {
        game_.remove(hit->cell, carried.index);
    } else {
        return;
    }
    emit changed();
}
