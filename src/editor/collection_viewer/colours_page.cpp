#include "editor/collection_viewer/colours_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QTreeWidget>

#include "editor/character_translation.h"
#include "editor/collection_viewer/picture_view.h"
#include "editor/collection_viewer/viewed_collection.h"

namespace {

constexpr int hue_turn = 65536;

bool member(std::span<const std::uint8_t, 32> mask, int index) {
    return mask[std::size_t(index / 8)] & (1 << (index % 8));
}

QString degrees(int hue) { return QString::number(hue * 360.0 / hue_turn, 'f', 1) + QChar(0x00B0); }

}  // namespace

QString member_ranges(std::span<const std::uint8_t, 32> mask) {
    QStringList ranges;
    for (int first = 0; first < color_table_capacity; ++first) {
        if (!member(mask, first)) continue;
        int last = first;
        while (last + 1 < color_table_capacity && member(mask, last + 1)) ++last;
        ranges << (last == first ? QString::number(first) : QStringLiteral("%1–%2").arg(first).arg(last));
        first = last;
    }
    return ranges.join(QStringLiteral(", "));
}

SwatchGrid::SwatchGrid(QWidget* parent) : QWidget(parent) {}

void SwatchGrid::set_colors(const rgba_palette& palette, int count) {
    palette_ = palette;
    count_ = count;
    update();
}

void SwatchGrid::set_marked(const std::array<std::uint8_t, 32>& mask) {
    marked_ = mask;
    update();
}

QString SwatchGrid::tooltip_of(int index) const {
    if (index == 0) return QStringLiteral("Colour 0: transparent");
    const rgba_color& color = palette_[std::size_t(index)];
    QString text = QStringLiteral("Colour %1: red %2, green %3, blue %4")
                       .arg(index)
                       .arg(color.red)
                       .arg(color.green)
                       .arg(color.blue);
    if (index >= count_) text += QStringLiteral(" (beyond the table's %1 colours)").arg(count_);
    return text;
}

QSize SwatchGrid::sizeHint() const { return {columns * side + 1, color_table_capacity / columns * side + 1}; }

bool SwatchGrid::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int column = help->pos().x() / side;
        const int row = help->pos().y() / side;
        if (column < columns && row < color_table_capacity / columns) {
            QToolTip::showText(help->globalPos(), tooltip_of(row * columns + column), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

void SwatchGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int index = 0; index < color_table_capacity; ++index) {
        const QRect cell((index % columns) * side, (index / columns) * side, side, side);
        const QRect swatch = cell.adjusted(1, 1, -1, -1);
        const rgba_color& color = palette_[std::size_t(index)];
        if (index == 0) {
            paint_checkerboard(painter, swatch);
        } else {
            painter.fillRect(swatch, QColor(color.red, color.green, color.blue));
        }
        if (index >= count_) {
            painter.setPen(QPen(Qt::gray, 1));
            painter.drawLine(swatch.topLeft(), swatch.bottomRight());
        }
        if (member(marked_, index)) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
            painter.drawRect(cell.adjusted(1, 1, -1, -1));
        }
    }
}

ColoursPage::ColoursPage(QWidget* parent)
    : QWidget(parent), grid_(new SwatchGrid), hue_changes_(new QTreeWidget) {
    hue_changes_->setHeaderLabels(
        {QStringLiteral("Hue change"), QStringLiteral("Colours"), QStringLiteral("Hues")});
    hue_changes_->setRootIsDecorated(false);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid_, 0, Qt::AlignTop);
    layout->addWidget(hue_changes_, 1);
    connect(hue_changes_, &QTreeWidget::currentItemChanged, this, [this] {
        const int row = hue_changes_->indexOfTopLevelItem(hue_changes_->currentItem());
        std::array<std::uint8_t, 32> mask{};
        if (collection_ && row >= 0) {
            const hue_change& change = collection_->contents().hue_changes[std::size_t(row)];
            std::copy(std::begin(change.member_mask), std::end(change.member_mask), mask.begin());
        }
        grid_->set_marked(mask);
    });
}

void ColoursPage::show_collection(ViewedCollection* collection) {
    collection_ = collection;
    hue_changes_->clear();
    grid_->set_marked({});
    if (collection_) {
        for (const hue_change& change : collection_->contents().hue_changes) {
            new QTreeWidgetItem(
                hue_changes_,
                {text_from_windows_1252(collection_name(change.name)), member_ranges(change.member_mask),
                 degrees(change.hue_lower) + QStringLiteral(" to ") + degrees(change.hue_upper)});
        }
    }
    redraw();
}

void ColoursPage::redraw() {
    grid_->set_colors(collection_ ? collection_->palette() : rgba_palette{},
                      collection_ ? collection_->colors().count : 0);
}
