#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <stop_token>

#include "editor/toolkit/waveform_strip.h"

namespace {

using Columns = std::vector<std::vector<toolkit::WaveformColumn>>;

std::vector<std::pair<int, int>> pairs(const std::vector<toolkit::WaveformColumn>& columns) {
    std::vector<std::pair<int, int>> result;
    for (const auto& column : columns) result.emplace_back(column.low, column.high);
    return result;
}

waveform_sample_reader reader_of(std::vector<std::int16_t> samples) {
    return [samples = std::move(samples), given = std::size_t{0}](std::span<std::int16_t> output) mutable {
        const std::size_t count = std::min(output.size(), samples.size() - given);
        std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(given), count, output.begin());
        given += count;
        return count;
    };
}

Columns columns_of(const std::vector<std::int16_t>& samples, int channels, int columns) {
    const auto frames = static_cast<std::int64_t>(samples.size() / static_cast<std::size_t>(channels));
    return outline_waveform(reader_of(samples), frames, channels, columns).value();
}

TEST(WaveformColumns, EachColumnHoldsTheExtremesOfItsShareOfTheFrames) {
    const std::vector<std::int16_t> mono{5, -3, 8, 2, -32768, 32767, 0, 1};
    const Columns four = columns_of(mono, 1, 4);
    ASSERT_EQ(four.size(), 1u);
    EXPECT_EQ(pairs(four[0]), (std::vector<std::pair<int, int>>{{-3, 5}, {2, 8}, {-32768, 32767}, {0, 1}}));
    // Eight frames over three columns: frames 0-1, 2-4 and 5-7.
    EXPECT_EQ(pairs(columns_of(mono, 1, 3)[0]),
              (std::vector<std::pair<int, int>>{{-3, 5}, {-32768, 8}, {0, 32767}}));
}

TEST(WaveformColumns, StereoGivesOneRowOfColumnsPerChannel) {
    // Left rises, right falls.
    const std::vector<std::int16_t> stereo{1, -1, 2, -2, 3, -3, 4, -4};
    const Columns columns = columns_of(stereo, 2, 2);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(pairs(columns[0]), (std::vector<std::pair<int, int>>{{1, 2}, {3, 4}}));
    EXPECT_EQ(pairs(columns[1]), (std::vector<std::pair<int, int>>{{-2, -1}, {-4, -3}}));
}

TEST(WaveformColumns, FewerFramesThanColumnsSpreadEachFrameOverSeveralColumns) {
    const std::vector<std::int16_t> mono{10, -10};
    EXPECT_EQ(pairs(columns_of(mono, 1, 4)[0]),
              (std::vector<std::pair<int, int>>{{10, 10}, {10, 10}, {-10, -10}, {-10, -10}}));
}

TEST(WaveformColumns, NothingToDrawGivesNoColumns) {
    const std::vector<std::int16_t> one_sample{7};
    EXPECT_TRUE(columns_of({}, 1, 100).empty());
    EXPECT_TRUE(columns_of(one_sample, 1, 0).empty());
    // Half a stereo frame is no frame.
    EXPECT_TRUE(columns_of(one_sample, 2, 10).empty());
}

// Read a piece at a time, a long sound gives what each column's share of the
// frames holds, as found frame by frame here; a requested stop gives nothing.
TEST(WaveformColumns, ALongSoundGivesEveryColumnsExtremes) {
    const struct {
        std::size_t frames;
        std::size_t columns;
    } cases[] = {{100003, 97}, {16384 * 3 + 5, 240}, {40000, 1}};
    for (const auto& [frames, columns] : cases) {
        std::vector<std::int16_t> stereo(frames * 2);
        std::uint32_t noise = static_cast<std::uint32_t>(frames);
        for (auto& sample : stereo) {
            noise = noise * 1664525u + 1013904223u;
            sample = static_cast<std::int16_t>(noise >> 16);
        }
        const Columns outlined = outline_waveform(reader_of(stereo), static_cast<std::int64_t>(frames), 2,
                                                  static_cast<int>(columns))
                                     .value();
        ASSERT_EQ(outlined.size(), 2u);
        for (std::size_t column = 0; column < columns; ++column) {
            for (std::size_t channel = 0; channel < 2; ++channel) {
                int low = INT16_MAX, high = INT16_MIN;
                for (std::size_t frame = column * frames / columns; frame < (column + 1) * frames / columns;
                     ++frame) {
                    low = std::min<int>(low, stereo[frame * 2 + channel]);
                    high = std::max<int>(high, stereo[frame * 2 + channel]);
                }
                ASSERT_EQ(outlined[channel][column].low, low) << frames << " " << column << " " << channel;
                ASSERT_EQ(outlined[channel][column].high, high) << frames << " " << column << " " << channel;
            }
        }
        std::stop_source stopped;
        stopped.request_stop();
        EXPECT_FALSE(outline_waveform(reader_of(stereo), static_cast<std::int64_t>(frames), 2,
                                      static_cast<int>(columns), stopped.get_token()));
    }
}

toolkit::WaveformSound sound_of(const std::vector<std::int16_t>& samples, int channels) {
    return {[samples] { return reader_of(samples); }, static_cast<std::int64_t>(samples.size()) / channels,
            channels};
}

bool outlined(const toolkit::WaveformStrip& strip) {
    return QTest::qWaitFor([&] { return !strip.outlining(); }, 5000);
}

TEST(WaveformStrip, DrawsOneColumnPerPixelWhenReadyAndForgetsWhenCleared) {
    toolkit::WaveformStrip strip;
    strip.resize(50, 40);
    std::vector<std::int16_t> stereo(2000);
    for (std::size_t i = 0; i < stereo.size(); ++i)
        stereo[i] = static_cast<std::int16_t>(i % 2 == 0 ? 100 : -100);
    strip.show_sound(sound_of(stereo, 2));
    ASSERT_TRUE(outlined(strip));
    ASSERT_EQ(strip.columns().size(), 2u);
    EXPECT_EQ(strip.columns()[0].size(), 50u);
    strip.resize(80, 40);
    strip.show();
    ASSERT_TRUE(outlined(strip));
    EXPECT_EQ(strip.columns()[1].size(), 80u);
    EXPECT_EQ(strip.columns()[1][79].low, -100);
    strip.clear();
    EXPECT_FALSE(strip.outlining());
    EXPECT_TRUE(strip.columns().empty());
}

}  // namespace
