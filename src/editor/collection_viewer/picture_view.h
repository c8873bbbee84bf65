#pragma once

// A picture enlarged by a whole factor, each pixel a square of that side, over
// a checkerboard that shows through its transparent pixels.

#include <QImage>
#include <QRect>
#include <QWidget>

class QPainter;

class PictureView : public QWidget {
    Q_OBJECT

public:
    static constexpr int largest_zoom = 8;

    explicit PictureView(QWidget* parent = nullptr);

    // An empty image shows nothing.
    void set_image(const QImage& image);
    const QImage& image() const { return image_; }
    // 1 to largest_zoom.
    void set_zoom(int zoom);
    int zoom() const { return zoom_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    int zoom_ = 1;
};

// The checkerboard behind transparent pixels, drawn over `area`.
void paint_checkerboard(QPainter& painter, const QRect& area);
