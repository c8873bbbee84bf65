#pragma once

#include "definitions/font_definitions.h"

#include <QImage>
#include <QWidget>

#include <cstddef>
#include <span>
#include <vector>

// The characters of a font in a grid of equal cells, each drawn at one scale
// that lets all of them fit the control (at most 4 times their size). A click
// selects a character and shows it zoomed while the button is held; dragging
// moves the selection. Every change of the selection posts `selection_message`
// to the dialog holding the grid.
class CFontCharacterGrid : public QWidget {
    Q_OBJECT

public:
    // The first user message plus 666.
    static constexpr int selection_message = 1690;

    explicit CFontCharacterGrid(QWidget* parent = nullptr);

    // Lays out and draws the characters of `block` (character_count records
    // of `font`, headers in host order, checked to lie inside the block).
    // Clears the selection.
    void set_font(const definitions::font_definition& font, std::span<std::byte> block);

    int largest_width() const;
    int selected() const { return selected_; }
    definitions::font_character* character(int index) const;
    int character_count() const { return static_cast<int>(characters_.size()); }

    // The layout of the last set_font.
    double scale() const { return scale_; }
    int cell_width() const { return cell_width_; }
    int cell_height() const { return cell_height_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    QPoint grid_offset() const { return offset_; }
    QSize grid_size() const { return grid_.size(); }
    // The cell of a character in control coordinates.
    QRect cell_rect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void lay_out();
    void draw_grid();
    // Draws the character at `top_left` of a box, `scale` times its size.
    void draw_character(QPainter& painter, int index, QPoint top_left, int box_width, double scale) const;
    void draw_zoom(QPainter& painter) const;
    // The character under a point of the control, or -1.
    int character_at(QPoint point) const;
    void select(int index);

    definitions::font_definition font_{};
    std::vector<definitions::font_character*> characters_;
    int selected_ = -1;
    bool captured_ = false;
    int character_width_ = 1;   // largest width + 1
    int character_height_ = 1;  // ascent + descent + 1
    double scale_ = 1.0;
    int cell_width_ = 1;
    int cell_height_ = 1;
    int columns_ = 0;
    int rows_ = 0;
    QPoint offset_;
    QImage grid_;
};
