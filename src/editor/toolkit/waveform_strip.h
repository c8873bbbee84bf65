#pragma once

// A strip drawing a sound's samples as one vertical line per pixel column,
// from the lowest to the highest sample the column covers, each channel in a
// band of its own (left above right), so that an author sees what a sound
// holds before playing it. The columns are worked out on a thread of their
// own and drawn when ready: a long sound never stops the window, and a sound
// shown anew (or a new width) gives up the work for the one before.

#include <QWidget>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "media/sound_waveform.h"

namespace toolkit {

using WaveformColumn = waveform_column;

// A sound to outline: `open` gives a reader of its samples from the start
// (called on the strip's thread, once per outline).
struct WaveformSound {
    std::function<waveform_sample_reader()> open;
    std::int64_t frames = 0;
    int channels = 1;
};

class WaveformStrip : public QWidget {
public:
    explicit WaveformStrip(QWidget* parent = nullptr);

    void show_sound(WaveformSound sound);
    void clear();

    // What is drawn now: per channel, one column per pixel of the width.
    const std::vector<std::vector<WaveformColumn>>& columns() const { return columns_; }
    // The columns of the sound shown are still being worked out.
    bool outlining() const { return outlining_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void outline();

    WaveformSound sound_;
    std::vector<std::vector<WaveformColumn>> columns_;
    bool outlining_ = false;
    // Which outline is wanted; a finished one that is not is dropped.
    std::uint64_t generation_ = 0;
    std::jthread worker_;
};

}  // namespace toolkit
