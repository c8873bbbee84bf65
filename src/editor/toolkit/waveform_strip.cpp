#include "editor/toolkit/waveform_strip.h"

#include <QPainter>

#include <algorithm>

namespace toolkit {

std::vector<std::vector<WaveformColumn>> waveform_columns(std::span<const std::int16_t> samples, int channels,
                                                          int columns) {
    if (channels < 1 || columns < 1) return {};
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    if (frames == 0) return {};
    const auto count = static_cast<std::size_t>(columns);
    std::vector<std::vector<WaveformColumn>> result(static_cast<std::size_t>(channels),
                                                    std::vector<WaveformColumn>(count));
    for (std::size_t column = 0; column < count; ++column) {
        const std::size_t begin = std::min(column * frames / count, frames - 1);
        const std::size_t end = std::max((column + 1) * frames / count, begin + 1);
        for (std::size_t channel = 0; channel < result.size(); ++channel) {
            WaveformColumn extremes{INT16_MAX, INT16_MIN};
            for (std::size_t frame = begin; frame < end; ++frame) {
                const std::int16_t sample = samples[frame * result.size() + channel];
                extremes.low = std::min(extremes.low, sample);
                extremes.high = std::max(extremes.high, sample);
            }
            result[channel][column] = extremes;
        }
    }
    return result;
}

WaveformStrip::WaveformStrip(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize WaveformStrip::sizeHint() const { return {240, 64}; }

void WaveformStrip::show_samples(std::span<const std::int16_t> samples, int channels) {
    samples_.assign(samples.begin(), samples.end());
    channels_ = std::max(channels, 1);
    compute_columns();
}

void WaveformStrip::clear() {
    samples_.clear();
    columns_.clear();
    update();
}

void WaveformStrip::compute_columns() {
    columns_ = waveform_columns(samples_, channels_, width());
    update();
}

void WaveformStrip::resizeEvent(QResizeEvent*) { compute_columns(); }

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
            painter.drawLine(x, y(columns[static_cast<std::size_t>(x)].high), x, y(columns[static_cast<std::size_t>(x)].low));
    }
}

}  // namespace toolkit
