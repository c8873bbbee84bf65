#include "editor/puzzle/item_pictures.h"

#include "puzzle/board.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace {

const QColor index_colours[puzzle::items_per_category] = {  // red, orange, gold, green, blue, violet
    QColor(214, 48, 49), QColor(240, 147, 43), QColor(230, 200, 30),
    QColor(46, 160, 67), QColor(41, 98, 200), QColor(142, 68, 173)};

QPolygonF regular_polygon(const QRectF& box, int corners, double turn) {
    QPolygonF polygon;
    for (int i = 0; i < corners; ++i) {
        const double angle = turn + 2 * M_PI * i / corners;
        polygon << QPointF(box.center().x() + box.width() / 2 * std::cos(angle),
                           box.center().y() + box.height() / 2 * std::sin(angle));
    }
    return polygon;
}

QPainterPath category_shape(int category, const QRectF& box) {
    QPainterPath path;
    switch (category) {
        case 0: path.addEllipse(box); break;
        case 1: path.addRect(box.adjusted(box.width() / 10, box.height() / 10, -box.width() / 10, -box.height() / 10)); break;
        case 2: path.addPolygon(regular_polygon(box, 3, -M_PI / 2)); break;
        case 3: path.addPolygon(regular_polygon(box, 4, 0)); break;
        case 4: path.addPolygon(regular_polygon(box, 6, 0)); break;
        default: {
            QPolygonF star;
            for (int i = 0; i < 10; ++i) {
                const double angle = -M_PI / 2 + M_PI * i / 5;
                const double radius = (i % 2 ? 0.22 : 0.5) * box.width();
                star << QPointF(box.center().x() + radius * std::cos(angle), box.center().y() + radius * std::sin(angle));
            }
            path.addPolygon(star);
            break;
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace

void draw_item(QPainter& painter, int item, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(area).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(Qt::black, area.width() >= 40 ? 1.5 : 1.0));
    painter.setBrush(index_colours[puzzle::index_of(item)]);
    painter.drawPath(category_shape(puzzle::category_of(item), box));
    painter.restore();
}
