#include "editor/toolkit/waveform_strip.h"

#include <gtest/gtest.h>

namespace {

using Columns = std::vector<std::vector<toolkit::WaveformColumn>>;

std::vector<std::pair<int, int>> pairs(const std::vector<toolkit::WaveformColumn>& columns) {
    std::vector<std::pair<int, int>> result;
    for (const auto& column : columns) result.emplace_back(column.low, column.high);
    return result;
}

TEST(WaveformColumns, EachColumnHoldsTheExtremesOfItsShareOfTheFrames) {
    const std::vector<std::int16_t> mono{5, -3, 8, 2, -32768, 32767, 0, 1};
    const Columns four = toolkit::waveform_columns(mono, 1, 4);
    ASSERT_EQ(four.size(), 1u);
    EXPECT_EQ(pairs(four[0]), (std::vector<std::pair<int, int>>{{-3, 5}, {2, 8}, {-32768, 32767}, {0, 1}}));
    // Eight frames over three columns: frames 0-1, 2-4 and 5-7.
    EXPECT_EQ(pairs(toolkit::waveform_columns(mono, 1, 3)[0]),
              (std::vector<std::pair<int, int>>{{-3, 5}, {-32768, 8}, {0, 32767}}));
}

TEST(WaveformColumns, StereoGivesOneRowOfColumnsPerChannel) {
    // Left rises, right falls.
    const std::vector<std::int16_t> stereo{1, -1, 2, -2, 3, -3, 4, -4};
    const Columns columns = toolkit::waveform_columns(stereo, 2, 2);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(pairs(columns[0]), (std::vector<std::pair<int, int>>{{1, 2}, {3, 4}}));
    EXPECT_EQ(pairs(columns[1]), (std::vector<std::pair<int, int>>{{-2, -1}, {-4, -3}}));
}

TEST(WaveformColumns, FewerFramesThanColumnsSpreadEachFrameOverSeveralColumns) {
    const std::vector<std::int16_t> mono{10, -10};
    EXPECT_EQ(pairs(toolkit::waveform_columns(mono, 1, 4)[0]),
              (std::vector<std::pair<int, int>>{{10, 10}, {10, 10}, {-10, -10}, {-10, -10}}));
}

TEST(WaveformColumns, NothingToDrawGivesNoColumns) {
    const std::vector<std::int16_t> one_sample{7};
    EXPECT_TRUE(toolkit::waveform_columns({}, 1, 100).empty());
    EXPECT_TRUE(toolkit::waveform_columns(one_sample, 1, 0).empty());
    // Half a stereo frame is no frame.
    EXPECT_TRUE(toolkit::waveform_columns(one_sample, 2, 10).empty());
}

TEST(WaveformStrip, DrawsOneColumnPerPixelAndForgetsWhenCleared) {
    toolkit::WaveformStrip strip;
    strip.resize(50, 40);
    std::vector<std::int16_t> stereo(2000);
    for (std::size_t i = 0; i < stereo.size(); ++i) stereo[i] = static_cast<std::int16_t>(i % 2 == 0 ? 100 : -100);
    strip.show_samples(stereo, 2);
    ASSERT_EQ(strip.columns().size(), 2u);
    EXPECT_EQ(strip.columns()[0].size(), 50u);
    strip.resize(80, 40);
    strip.show();
    EXPECT_EQ(strip.columns()[1].size(), 80u);
    EXPECT_EQ(strip.columns()[1][79].low, -100);
    strip.clear();
    EXPECT_TRUE(strip.columns().empty());
}

}  // namespace
