#include "editor/collection_viewer/picture_view.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int checker_side = 8;

}  // namespace

void paint_checkerboard(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor(204, 204, 204));
    for (int y = area.top(); y <= area.bottom(); y += checker_side) {
        const int row = (y - area.top()) / checker_side;
        for (int x = area.left() + (row % 2) * checker_side; x <= area.right(); x += 2 * checker_side) {
            painter.fillRect(x, y, checker_side, checker_side, QColor(255, 255, 255));
        }
    }
    painter.restore();
}

PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

void PictureView::set_image(const QImage& image) {
    const bool resized = image.size() != image_.size();
    image_ = image;
    if (resized) updateGeometry();
    update();
}

void PictureView::set_zoom(int zoom) {
    zoom_ = std::clamp(zoom, 1, largest_zoom);
    updateGeometry();
    update();
}

QSize PictureView::sizeHint() const { return image_.isNull() ? QSize(64, 64) : image_.size() * zoom_; }

void PictureView::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    // Centred in whatever room the view has beyond the picture.
    const QSize shown = image_.size() * zoom_;
    const QRect area(
        QPoint(std::max(0, (width() - shown.width()) / 2), std::max(0, (height() - shown.height()) / 2)),
        shown);
    paint_checkerboard(painter, area);
    // Without smoothing each pixel becomes a square: nearest neighbour.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(area, image_);
}
