#include "editor/forms/font_character_grid.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

using definitions::font_character;
using definitions::font_character_record_length;

namespace {

constexpr int largest_scale = 4;
constexpr int zoomed_size = 100;

QImage character_image(const font_character& character) {
    const int width = std::max<int>(character.width, 0);
    const int height = std::max<int>(character.height, 0);
    if (width == 0 || height == 0) return {};
    // The pixels lie right after the header; QImage only reads them.
    const auto* pixels = reinterpret_cast<const uchar*>(&character + 1);
    return QImage(pixels, width, height, width, QImage::Format_Grayscale8);
}

}  // namespace

CFontCharacterGrid::CFontCharacterGrid(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CFontCharacterGrid::set_font(const definitions::font_definition& font, std::span<std::byte> block) {
    font_ = font;
    characters_.clear();
    std::size_t position = 0;
    for (int32_t index = 0; index < font.character_count && position + sizeof(font_character) <= block.size();
         ++index) {
        auto* character = reinterpret_cast<font_character*>(&block[position]);
        characters_.push_back(character);
        position += static_cast<std::size_t>(font_character_record_length(character->width, character->height));
    }
    selected_ = -1;
    captured_ = false;
    lay_out();
    draw_grid();
    update();
}

int CFontCharacterGrid::largest_width() const {
    int largest = 0;
    for (const font_character* character : characters_) largest = std::max<int>(largest, character->width);
    return largest;
}

font_character* CFontCharacterGrid::character(int index) const {
    return index >= 0 && index < character_count() ? characters_[static_cast<std::size_t>(index)] : nullptr;
}

// The scale that fills the control best, then shrunk by 1% steps until every
// character has a cell; cells are at least a pixel, so a control too small
// for all of them still ends the search.
void CFontCharacterGrid::lay_out() {
    const int width = this->width();
    const int height = this->height();
    const int count = std::max(character_count(), 1);
    character_width_ = largest_width() + 1;
    character_height_ = std::max(font_.ascent + font_.descent + 1, 1);
    const double cw = character_width_;
    const double ch = character_height_;
    double scale = std::sqrt((cw / ch) * (double(width) * double(height)) / count) / cw;
    if (scale > 1) scale = std::min(std::trunc(scale), double(largest_scale));
    for (;;) {
        cell_width_ = std::max(static_cast<int>(cw * scale), 1);
        cell_height_ = std::max(static_cast<int>(ch * scale), 1);
        columns_ = width / cell_width_;
        rows_ = height / cell_height_;
        if (columns_ * rows_ >= character_count() || (cell_width_ == 1 && cell_height_ == 1)) break;
        scale *= 0.99;
    }
    scale_ = scale;
    const QSize size(columns_ * cell_width_ + 1, rows_ * cell_height_ + 1);
    offset_ = QPoint((width - size.width()) / 2, (height - size.height()) / 2);
    grid_ = QImage(size, QImage::Format_RGB32);
}

QRect CFontCharacterGrid::cell_rect(int index) const {
    if (columns_ == 0) return {};
    return QRect(offset_.x() + (index % columns_) * cell_width_, offset_.y() + (index / columns_) * cell_height_,
                 cell_width_ + 1, cell_height_ + 1);
}

void CFontCharacterGrid::draw_character(QPainter& painter, int index, QPoint top_left, int box_width,
                                        double scale) const {
    const font_character& character = *characters_[static_cast<std::size_t>(index)];
    const QImage image = character_image(character);
    if (image.isNull()) return;
    const double drawn_width = character.width * scale;
    const double x = top_left.x() + (box_width - drawn_width) / 2 - scale * character.origin_x;
    const double y = top_left.y() + scale * (font_.ascent - character.origin_y);
    painter.drawImage(QRectF(x, y, drawn_width, character.height * scale), image);
}

void CFontCharacterGrid::draw_grid() {
    grid_.fill(palette().color(QPalette::Button));
    QPainter painter(&grid_);
    for (int index = 0; index < std::min(character_count(), columns_ * rows_); ++index) {
        const QRect cell = cell_rect(index).translated(-offset_);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::white);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        painter.save();
        painter.setClipRect(cell.adjusted(1, 1, -1, -1));
        draw_character(painter, index, cell.topLeft() + QPoint(1, 1), cell.width() - 2, scale_);
        painter.restore();
    }
}

void CFontCharacterGrid::draw_zoom(QPainter& painter) const {
    const int zoom = std::max(zoomed_size / character_width_, 1);
    const QSize box(character_width_ * zoom, character_height_ * zoom);
    const QRect cell = cell_rect(selected_);
    QRect area(cell.center() - QPoint(box.width() / 2, box.height() / 2), box);
    area.moveLeft(std::clamp(area.left(), 0, std::max(width() - box.width(), 0)));
    area.moveTop(std::clamp(area.top(), 0, std::max(height() - box.height(), 0)));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.save();
    painter.setClipRect(area.adjusted(1, 1, -1, -1));
    draw_character(painter, selected_, area.topLeft(), area.width(), zoom);
    painter.restore();
}

void CFontCharacterGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.drawImage(offset_, grid_);
    if (selected_ < 0) return;
    if (captured_) {
        draw_zoom(painter);
        return;
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell_rect(selected_).adjusted(1, 1, -2, -2));
}

int CFontCharacterGrid::character_at(QPoint point) const {
    if (columns_ == 0 || rows_ == 0) return -1;
    const QPoint inside = point - offset_;
    if (inside.x() < 0 || inside.y() < 0) return -1;
    const int column = inside.x() / cell_width_;
    const int row = inside.y() / cell_height_;
    if (column >= columns_ || row >= rows_) return -1;
    const int index = row * columns_ + column;
    return index < character_count() ? index : -1;
}

void CFontCharacterGrid::select(int index) {
    selected_ = index;
    update();
    // The dialog the grid stands in, whatever boxes the layout put around it.
    QCoreApplication::postEvent(window(), new QEvent(static_cast<QEvent::Type>(selection_message)));
}

void CFontCharacterGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const int index = character_at(event->position().toPoint());
    if (index < 0) return;
    // Qt sends the moves to this widget while the button is down: that is the capture.
    captured_ = true;
    select(index);
}

void CFontCharacterGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!captured_) return;
    const int index = character_at(event->position().toPoint());
    if (index >= 0 && index != selected_) select(index);
}

void CFontCharacterGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !captured_) return;
    captured_ = false;
    update();
}
