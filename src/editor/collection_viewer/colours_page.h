#pragma once

// The Colours page: the colour table as 256 swatches (number and colour in each
// tooltip, colours beyond the table's count crossed out) and the hue changes
// with the colours each takes as ranges; the chosen hue change's colours are
// outlined.

#include <QString>
#include <QWidget>
#include <array>
#include <span>

#include "media/collection_format.h"
#include "media/sprite_picture.h"

class QTreeWidget;
class ViewedCollection;

class SwatchGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int columns = 16;
    static constexpr int side = 18;

    explicit SwatchGrid(QWidget* parent = nullptr);

    // count: the colours in use; marked: the outlined colours, one bit each.
    void set_colors(const rgba_palette& palette, int count);
    void set_marked(const std::array<std::uint8_t, 32>& mask);
    // The tooltip of colour `index`.
    QString tooltip_of(int index) const;
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    rgba_palette palette_{};
    int count_ = 0;
    std::array<std::uint8_t, 32> marked_{};
};

// "1–63, 70, 72–75": the colours a member mask takes.
QString member_ranges(std::span<const std::uint8_t, 32> mask);

class ColoursPage : public QWidget {
    Q_OBJECT

public:
    explicit ColoursPage(QWidget* parent = nullptr);

    void show_collection(ViewedCollection* collection);
    // After the colours changed.
    void redraw();

    SwatchGrid* grid() const { return grid_; }
    QTreeWidget* hue_changes() const { return hue_changes_; }

private:
    ViewedCollection* collection_ = nullptr;
    SwatchGrid* grid_ = nullptr;
    QTreeWidget* hue_changes_ = nullptr;
};
