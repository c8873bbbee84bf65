// SDL's "disk" driver writes every byte the device plays to a file, so what a
// sound sounds like can be compared sample for sample.
#include "editor/platform/sdl_audio_output.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace {

std::vector<std::int16_t> read_samples(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// Waits until the device has written at least `bytes` bytes, at most a few seconds.
void wait_for_file(const std::filesystem::path& path, std::uintmax_t bytes) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::error_code error;
    while (std::chrono::steady_clock::now() < deadline &&
           !(std::filesystem::exists(path, error) && std::filesystem::file_size(path, error) >= bytes))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

// A tone that never touches zero, so that the silence the device writes
// around it cannot be mistaken for a part of it.
std::vector<std::int16_t> tone(std::size_t count) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        const int rising = 1000 + static_cast<int>(i * 37 % 20000);
        samples[i] = static_cast<std::int16_t>(i % 2 == 0 ? rising : rising - 25000);
    }
    return samples;
}

// The samples between the device's leading and trailing silence.
std::vector<std::int16_t> sounded(const std::vector<std::int16_t>& written) {
    const auto first = std::find_if(written.begin(), written.end(), [](std::int16_t s) { return s != 0; });
    const auto last = std::find_if(written.rbegin(), written.rend(), [](std::int16_t s) { return s != 0; }).base();
    return first < last ? std::vector<std::int16_t>(first, last) : std::vector<std::int16_t>{};
}

class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        // One millisecond a buffer instead of its playing time.
        setenv("SDL_DISKAUDIODELAY", "1", 1);
    }

    QTemporaryDir folder;
    std::filesystem::path file = std::filesystem::path(folder.path().toStdString()) / "played.raw";
};

TEST_F(DiskAudio, PlaysTheSamplesOnceInterleavedAsGiven) {
    for (const int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        std::filesystem::remove(file);
        const std::vector<std::int16_t> samples = tone(3000 * static_cast<std::size_t>(channels));
        {
            platform::SdlAudioOutput output;
            output.play(samples, channels, 22050);
            // The played sound and well over one device buffer of silence after it.
            wait_for_file(file, samples.size() * 2 + 8 * 4096 * 2 * static_cast<std::size_t>(channels));
        }
        const std::vector<std::int16_t> written = read_samples(file);
        ASSERT_FALSE(written.empty());
        EXPECT_EQ(sounded(written), samples);
    }
}

TEST_F(DiskAudio, ANewSoundStopsThePreviousOne) {
    // Long enough that it is still playing when the second sound starts.
    const std::vector<std::int16_t> first(22050 * 60, 7);
    const std::vector<std::int16_t> second = tone(2000);
    {
        platform::SdlAudioOutput output;
        output.play(first, 1, 22050);
        output.play(second, 1, 22050);
        wait_for_file(file, (first.size() + second.size()) * 2);
    }
    const std::vector<std::int16_t> written = read_samples(file);
    const std::size_t sevens = static_cast<std::size_t>(std::count(written.begin(), written.end(), 7));
    EXPECT_LT(sevens, first.size());
    const auto start = std::search(written.begin(), written.end(), second.begin(), second.end());
    EXPECT_NE(start, written.end()) << "the second sound was not played whole";
}

}  // namespace
