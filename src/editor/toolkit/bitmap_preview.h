#pragma once

// A static control showing an 8-bit bitmap through a colour table, tinted, stretched
// to the largest size that keeps its aspect ratio and centred.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <span>

namespace toolkit {

struct Rgb16 {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
    uint16_t flags;
};

// The 8-bit displayed colour of a table colour under a tint of amount 0..256:
// per component (c x (256 - t) + c' x s) / 65536 with s = t x ((2r + 3g + b) / 5) / 65536.
QRgb tinted(const Rgb16& color, const Rgb16& tint, int amount);

// Where an image of `image` size is drawn inside a control of `control` size.
QRect fitted_rect(QSize control, QSize image);

}  // namespace toolkit

class CBitmapPreview : public QWidget {
    Q_OBJECT

public:
    explicit CBitmapPreview(QWidget* parent = nullptr);

    // One byte per pixel, row-major; pixel 0 shows the button face, v the table's
    // colour v. An empty image clears the preview.
    void set_image(int width, int height, std::span<const uint8_t> pixels, std::span<const toolkit::Rgb16> colors,
                   const toolkit::Rgb16& tint, int tint_amount);
    void clear_image();
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
