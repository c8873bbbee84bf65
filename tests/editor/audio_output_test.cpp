#include "disk_audio.h"

#include "editor/platform/scripted_services.h"
#include "editor/platform/sdl_audio_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace editor_test {
namespace {

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

// A source handing out `samples` as the device asks for them.
platform::SampleSource source_of(std::vector<std::int16_t> samples) {
    return [samples = std::move(samples), given = std::size_t{0}](std::span<std::int16_t> output) mutable {
        const std::size_t count = std::min(output.size(), samples.size() - given);
        std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(given), count, output.begin());
        given += count;
        return count;
    };
}

TEST(SdlAudioOutput, PlaysTheSamplesOnceInterleavedAsGiven) {
    for (const int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        const std::vector<std::int16_t> samples = tone(3000 * static_cast<std::size_t>(channels));
        DiskAudio device;
        platform::SdlAudioOutput output;
        output.play(source_of(samples), channels, 22050);
        EXPECT_EQ(device.sounded(samples.size()), samples);
    }
}

TEST(SdlAudioOutput, ANewSoundStopsThePreviousOne) {
    DiskAudio device;
    // Long enough that it is still playing when the second sound starts.
    const std::vector<std::int16_t> first(22050 * 60, 7);
    const std::vector<std::int16_t> second = tone(2000);
    platform::SdlAudioOutput output;
    output.play(source_of(first), 1, 22050);
    output.play(source_of(second), 1, 22050);
    const std::vector<std::int16_t> written = device.sounded(second.size());
    EXPECT_LT(static_cast<std::size_t>(std::count(written.begin(), written.end(), 7)), first.size());
    EXPECT_NE(std::search(written.begin(), written.end(), second.begin(), second.end()), written.end())
        << "the second sound was not played whole";
}

// Without a sound output the user hears of it once, with SDL's reason, as an
// error; later plays are silent.
TEST(SdlAudioOutput, NoOutputIsReportedOnceWithItsReason) {
    setenv("SDL_AUDIODRIVER", "no such driver", 1);
    platform::ScriptedServices services;
    {
        platform::SdlAudioOutput output;
        for (int press = 0; press < 3; ++press) output.play(source_of(tone(100)), 1, 22050);
    }
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_EQ(services.messages().size(), 1u);
    const platform::MessageRequest& shown = services.messages()[0];
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_TRUE(shown.text.startsWith("No sound output could be opened: ")) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.endsWith('.') && !shown.text.endsWith("..")) << shown.text.toStdString();
    EXPECT_GT(shown.text.size(), QStringLiteral("No sound output could be opened: .").size());
}

}  // namespace
}  // namespace editor_test
