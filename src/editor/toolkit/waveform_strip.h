#pragma once

// A strip drawing a sound's samples as one vertical line per pixel column,
// from the lowest to the highest sample the column covers, each channel in a
// band of its own (left above right), so that an author sees what a sound
// holds before playing it.

#include <QWidget>

#include <cstdint>
#include <span>
#include <vector>

namespace toolkit {

struct WaveformColumn {
    std::int16_t low;
    std::int16_t high;
};

// For each channel of interleaved `samples`, `columns` extremes over equal
// runs of frames; with fewer frames than columns a frame spans several
// columns. No frames or no columns give no columns.
std::vector<std::vector<WaveformColumn>> waveform_columns(std::span<const std::int16_t> samples, int channels,
                                                          int columns);

class WaveformStrip : public QWidget {
public:
    explicit WaveformStrip(QWidget* parent = nullptr);

    void show_samples(std::span<const std::int16_t> samples, int channels);
    void clear();

    // What is drawn now: per channel, one column per pixel of the width.
    const std::vector<std::vector<WaveformColumn>>& columns() const { return columns_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void compute_columns();

    std::vector<std::int16_t> samples_;
    int channels_ = 1;
    std::vector<std::vector<WaveformColumn>> columns_;
};

}  // namespace toolkit
