#pragma once

// A sound's outline for drawing: for each channel, the lowest and the highest
// sample of each of a number of equal runs of frames (one run per pixel
// column). The samples are read a piece at a time, so a sound of any length
// is outlined without being held decoded, and the work can be given up
// between pieces.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

struct waveform_column {
    std::int16_t low;
    std::int16_t high;
    friend bool operator==(const waveform_column&, const waveform_column&) = default;
};

// Per channel, one column each.
using waveform_columns = std::vector<std::vector<waveform_column>>;

// Fills its argument with the next samples, the channels interleaved; fewer
// than asked only at the end.
using waveform_sample_reader = std::function<std::size_t(std::span<std::int16_t>)>;

// The columns of `frames` frames read from `read`. With fewer frames than
// columns a frame spans several columns; no frames or no columns give no
// columns. Nothing once `stop` is requested.
std::optional<waveform_columns> outline_waveform(const waveform_sample_reader& read, std::int64_t frames,
                                                 int channels, int columns, std::stop_token stop = {});
