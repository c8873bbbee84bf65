#include "editor/tree_images.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int image_size = 16;

QPixmap blank_image() {
    QPixmap pixmap(image_size, image_size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet of paper with a folded corner; a band across it marks a tag that
// lives in a packaged file.
QIcon tag_image(bool packaged) {
    QPixmap pixmap = blank_image();
    QPainter painter(&pixmap);
    const QPolygon sheet({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}});
    painter.setPen(QColor(64, 64, 64));
    painter.setBrush(QColor(250, 250, 250));
    painter.drawPolygon(sheet);
    painter.drawPolyline(QPolygon({{10, 1}, {10, 4}, {13, 4}}));
    painter.setPen(QColor(150, 150, 150));
    for (int line = 6; line <= 12; line += 2) painter.drawLine(5, line, 11, line);
    if (packaged) painter.fillRect(QRect(4, 8, 9, 4), QColor(70, 110, 190));
    return QIcon(pixmap);
}

// A folder, yellow for a group with an editor and grey for one without;
// open, its front flap leans forward.
QIcon group_image(bool expanded, bool editable) {
    QPixmap pixmap = blank_image();
    QPainter painter(&pixmap);
    const QColor back = editable ? QColor(214, 168, 40) : QColor(140, 140, 140);
    const QColor front = editable ? QColor(246, 208, 88) : QColor(196, 196, 196);
    painter.setPen(back.darker(150));
    painter.setBrush(back);
    painter.drawPolygon(QPolygon({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}));
    painter.setBrush(front);
    if (expanded) {
        painter.drawPolygon(QPolygon({{1, 13}, {4, 7}, {15, 7}, {12, 13}}));
    } else {
        painter.drawRect(1, 6, 13, 7);
    }
    return QIcon(pixmap);
}

}  // namespace

std::array<QIcon, tree_image_count> create_tree_images() {
    return {tag_image(false),         tag_image(true),         group_image(false, true),
            group_image(true, true),  group_image(false, false), group_image(true, false)};
}

// A tessera: four coloured tiles of a mosaic.
QIcon create_application_icon() {
    QPixmap pixmap = blank_image();
    QPainter painter(&pixmap);
    painter.fillRect(QRect(1, 1, 6, 6), QColor(200, 60, 50));
    painter.fillRect(QRect(9, 1, 6, 6), QColor(230, 180, 40));
    painter.fillRect(QRect(1, 9, 6, 6), QColor(60, 120, 200));
    painter.fillRect(QRect(9, 9, 6, 6), QColor(70, 160, 80));
    return QIcon(pixmap);
}

QIcon with_problem_mark(const QIcon& icon) {
    QPixmap picture = icon.pixmap(16, 16);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(QColor(0xD0, 0x20, 0x20));
    painter.drawEllipse(QRectF(8.5, 8.5, 7, 7));
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawLine(QPointF(12, 10.5), QPointF(12, 12.8));
    painter.drawPoint(QPointF(12, 14.2));
    return QIcon(picture);
}
