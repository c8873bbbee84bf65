#include "editor/toolkit/bitmap_preview.h"

#include "media/sprite_picture.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace toolkit {

QRgb tinted(const Rgb16& color, const Rgb16& tint, int amount) {
    const rgba_color shown = tinted_color({color.red, color.green, color.blue, color.flags},
                                          {{tint.red, tint.green, tint.blue, tint.flags}, amount});
    return qRgb(shown.red, shown.green, shown.blue);
}

QRect fitted_rect(QSize control, QSize image) {
    if (image.isEmpty() || control.isEmpty()) return {};
    const int64_t width = control.width();
    const int64_t height = control.height();
    if (width * image.height() >= height * image.width()) {
        const int fitted_width = static_cast<int>(image.width() * height / image.height());
        return {static_cast<int>((width - fitted_width) / 2), 0, fitted_width, static_cast<int>(height)};
    }
    const int fitted_height = static_cast<int>(image.height() * width / image.width());
    return {0, static_cast<int>((height - fitted_height) / 2), static_cast<int>(width), fitted_height};
}

}  // namespace toolkit

CBitmapPreview::CBitmapPreview(QWidget* parent) : QWidget(parent) {}

void CBitmapPreview::set_image(int width, int height, std::span<const uint8_t> pixels,
                               std::span<const toolkit::Rgb16> colors, const toolkit::Rgb16& tint, int tint_amount) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height)) {
        clear_image();
        return;
    }
    // Each of the 256 values is tinted once, not once per pixel.
    std::array<QRgb, 256> shown;
    shown.fill(palette().color(QPalette::Button).rgb());
    for (size_t value = 1; value < std::min(colors.size(), shown.size()); ++value)
        shown[value] = toolkit::tinted(colors[value], tint, tint_amount);
    image_ = QImage(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const uint8_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) line[x] = shown[row[x]];
    }
    update();
}

void CBitmapPreview::clear_image() {
    image_ = QImage();
    update();
}

void CBitmapPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (!image_.isNull()) painter.drawImage(toolkit::fitted_rect(size(), image_.size()), image_);
}
