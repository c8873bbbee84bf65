#include "editor/toolkit/waveform_strip.h"

#include <QPainter>

namespace toolkit {

WaveformStrip::WaveformStrip(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize WaveformStrip::sizeHint() const { return {240, 64}; }

void WaveformStrip::show_sound(WaveformSound sound) {
    sound_ = std::move(sound);
    outline();
}

void WaveformStrip::clear() {
    sound_ = {};
    outline();
}

void WaveformStrip::outline() {
    // The thread of an outline no longer wanted is stopped and waited for: it
    // stops between two pieces of samples, well within a frame's time.
    worker_ = std::jthread();
    ++generation_;
    columns_.clear();
    update();
    outlining_ = static_cast<bool>(sound_.open) && width() > 0;
    if (!outlining_) return;
    worker_ = std::jthread(
        [this, sound = sound_, columns = width(), generation = generation_](std::stop_token stop) {
            std::optional<waveform_columns> outlined =
                outline_waveform(sound.open(), sound.frames, sound.channels, columns, stop);
            if (!outlined) return;
            // Delivered on the strip's own thread; dropped with the strip.
            QMetaObject::invokeMethod(
                this,
                [this, generation, outlined = std::move(*outlined)]() mutable {
                    if (generation != generation_) return;
                    columns_ = std::move(outlined);
                    outlining_ = false;
                    update();
                },
                Qt::QueuedConnection);
        });
}

void WaveformStrip::resizeEvent(QResizeEvent*) { outline(); }

void WaveformStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (columns_.empty()) return;
    const int bands = static_cast<int>(columns_.size());
    const int band_height = height() / bands;
    painter.setPen(palette().color(QPalette::Highlight));
    for (int band = 0; band < bands; ++band) {
        const int top = band * band_height;
        const auto y = [&](int sample) { return top + (32767 - sample) * (band_height - 1) / 65535; };
        const auto& columns = columns_[static_cast<std::size_t>(band)];
        for (int x = 0; x < static_cast<int>(columns.size()); ++x)
            painter.drawLine(x, y(columns[static_cast<std::size_t>(x)].high), x,
                             y(columns[static_cast<std::size_t>(x)].low));
    }
}

}  // namespace toolkit
