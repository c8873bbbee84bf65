#include "media/sound_waveform.h"

#include <algorithm>

namespace {

// Frames asked of the reader at a time; between two pieces a stop is seen.
constexpr std::int64_t piece_frames = 16384;

}  // namespace

std::optional<waveform_columns> outline_waveform(const waveform_sample_reader& read, std::int64_t frames,
                                                 int channels, int columns, std::stop_token stop) {
    if (channels < 1 || columns < 1 || frames < 1) return waveform_columns{};
    const auto width = std::size_t(channels);
    const auto count = std::int64_t(columns);
    waveform_columns result(width, std::vector<waveform_column>(std::size_t(columns)));
    // The frames read and not yet passed by every column still to come.
    std::vector<std::int16_t> window;
    std::int64_t window_first = 0;
    bool ended = false;
    for (std::int64_t column = 0; column < count; ++column) {
        const std::int64_t begin = std::min(column * frames / count, frames - 1);
        const std::int64_t end = std::max((column + 1) * frames / count, begin + 1);
        if (begin > window_first) {
            const auto passed = std::min(std::size_t(begin - window_first) * width, window.size());
            window.erase(window.begin(), window.begin() + std::ptrdiff_t(passed));
            window_first = begin;
        }
        while (!ended && window_first + std::int64_t(window.size() / width) < end) {
            if (stop.stop_requested()) return std::nullopt;
            const std::size_t had = window.size();
            window.resize(had + std::size_t(piece_frames) * width);
            const std::size_t given = read(std::span(window).subspan(had));
            window.resize(had + given);
            ended = given < std::size_t(piece_frames) * width;
        }
        const std::size_t last =
            std::min(std::size_t(end - window_first) * width, window.size() / width * width);
        for (std::size_t channel = 0; channel < width; ++channel) {
            waveform_column extremes{INT16_MAX, INT16_MIN};
            for (std::size_t at = channel; at < last; at += width) {
                extremes.low = std::min(extremes.low, window[at]);
                extremes.high = std::max(extremes.high, window[at]);
            }
            result[channel][std::size_t(column)] = extremes;
        }
    }
    if (stop.stop_requested()) return std::nullopt;
    return result;
}
