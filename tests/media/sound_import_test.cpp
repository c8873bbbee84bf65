#include "media/sound_import.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "support/working_folder.h"
#include "wave_files.h"

namespace {

using media_test::pcm_format;
using media_test::RiffBytes;
using media_test::riff_form;

TEST(SoundImport, PermutationNameFromTheFileName) {
    const std::pair<const char*, const char*> names[] = {
        {"door.creak.wav", "door"},
        {"/home/sounds/door.creak.wav", "door"},
        {"C:\\Sounds\\Thunder.WAV", "Thunder"},
        {"no_extension", "no_extension"},
        {"sounds/a_name_longer_than_twenty_five.wav", "a_name_longer_than_twenty"},
        {"sounds/.hidden.wav", ""},
        // File names are UTF-8; the tag holds game text, as for a typed name.
        {"sounds/caf\xC3\xA9.wav", "caf\x8E"},
        {"\xE6\x97\xA5\xE6\x9C\xAC door.wav", "?? door"},
    };
    for (const auto& [path, name] : names) EXPECT_EQ(permutation_name_from_path(path), name) << path;
}

// The samples of a file as sox decodes them to signed 16-bit, channels interleaved.
std::vector<std::int16_t> sox_samples(const std::filesystem::path& path) {
    std::string raw;
    EXPECT_TRUE(media_test::run_command("sox '" + path.string() + "' -t s16 -L -", &raw));
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
}

// From sample first on: the encoder starts at the smallest step, so its first
// samples of a loud tone are still catching up.
double signal_to_noise(const std::vector<std::int16_t>& original, const std::vector<std::int16_t>& decoded,
                       std::size_t first) {
    double signal = 0, noise = 0;
    for (std::size_t index = first; index < original.size(); ++index) {
        signal += double(original[index]) * original[index];
        const double error = double(original[index]) - decoded[index];
        noise += error * error;
    }
    return 10 * std::log10(signal / std::max(noise, 1.0));
}

class SoundImportFiles : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) const {
        folder.write_file(name, bytes);
        return (folder.path() / name).string();
    }
    // The file's samples wrapped in a form of our own: other chunks around the
    // format and before the data, and the format given as the extensible one.
    std::string rewrapped(const std::string& name, const std::filesystem::path& source) const {
        const media_test::SoxInformation information = media_test::sox_information(source);
        const std::vector<std::int16_t> samples = sox_samples(source);
        std::string format = pcm_format(information.channels, std::uint32_t(information.rate), 16);
        format[0] = char(0xFE);
        format[1] = char(0xFF);
        format += RiffBytes().little_endian(22, 2).little_endian(16, 2).little_endian(3, 4).text();
        format += std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 16);
        const std::string data(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
        return file(name, riff_form(RiffBytes()
                                        .chunk("LIST", "INFOISFT\x03\x00\x00\x00sox")
                                        .chunk("fmt ", format)
                                        .chunk("fact", "abcd")
                                        .chunk("PAD ", "x")
                                        .chunk("data", data)
                                        .text()));
    }
    test_support::WorkingFolder folder;
};

TEST_F(SoundImportFiles, RealFilesBecomeCompressedPermutations) {
    struct Made {
        const char* name;
        const char* arguments;
        const char* length;
    };
    const Made made[] = {
        {"mono_8k.wav", "-r 8000 -c 1 -b 16 -e signed-integer", "801s"},
        {"mono_11k.wav", "-r 11025 -c 1 -b 16 -e signed-integer", "64s"},
        {"stereo_22k.wav", "-r 22050 -c 2 -b 16 -e signed-integer", "2205s"},
        {"stereo_44k.wav", "-r 44100 -c 2 -b 16 -e signed-integer", "4411s"},
        {"mono_48k.wav", "-r 48000 -c 1 -b 16 -e signed-integer", "1s"},
        {"stereo_48k.wav", "-r 48000 -c 2 -b 16 -e signed-integer", "4799s"},
    };
    std::vector<std::filesystem::path> files;
    for (const Made& entry : made) {
        media_test::make_with_sox(folder.path() / entry.name, entry.arguments, entry.length);
        files.push_back(folder.path() / entry.name);
    }
    files.push_back(rewrapped("wrapped_mono.wav", files[0]));
    files.push_back(rewrapped("wrapped_stereo.wav", files[3]));
    const std::vector<std::filesystem::path> alsa = media_test::alsa_sounds();
    ASSERT_FALSE(alsa.empty()) << "scripts/install-deps installs alsa-utils";

    for (const std::filesystem::path& path : files) {
        sound_tag sound = new_sound_tag();
        const sound_import_outcome outcome = import_sound_permutation_file(sound, path.string());
        ASSERT_TRUE(outcome.succeeded) << path << ": " << outcome.message;
        const std::vector<std::int16_t> original = sox_samples(path);
        const media_test::SoxInformation information = media_test::sox_information(path);
        const sound_tag_permutation& permutation = sound.permutations.at(0);
        const definitions::sampled_sound_header& header = permutation.header;
        EXPECT_EQ(header.flags, 1) << path;
        EXPECT_EQ(header.bits_per_sample, 16);
        EXPECT_EQ(header.sample_size_shift, 1);
        EXPECT_EQ(header.channels, information.channels) << path;
        EXPECT_EQ(sound_permutation_rate(permutation), std::uint32_t(information.rate)) << path;
        EXPECT_EQ(header.count, (information.frames + 63) / 64 * information.channels) << path;
        EXPECT_EQ(permutation.data.size(), std::size_t(header.count) * 34);
        EXPECT_EQ(permutation.permutation.skip_fraction, 0);
        EXPECT_EQ(permutation.data[0], std::byte{0}) << "the first block header is 0";
        EXPECT_EQ(permutation.data[1], std::byte{0});
        EXPECT_EQ(permutation.permutation.name, path.stem().string());

        const std::optional<std::vector<std::int16_t>> decoded = decode_sound_permutation(permutation);
        ASSERT_TRUE(decoded);
        ASSERT_GE(decoded->size(), original.size());
        if (information.frames >= 512) {
            EXPECT_GT(signal_to_noise(original, *decoded, std::size_t(128 * information.channels)), 30.0) << path;
        }
        ASSERT_TRUE(write_sound_tag(sound)) << path;
    }
    // Recordings of speech: every one imports with the rate and length sox sees.
    sound_tag sound = new_sound_tag();
    for (std::size_t index = 0; index < alsa.size(); ++index) {
        if (sound.permutations.size() == 5) sound = new_sound_tag();
        const sound_import_outcome outcome = import_sound_permutation_file(sound, alsa[index].string());
        ASSERT_TRUE(outcome.succeeded) << alsa[index] << ": " << outcome.message;
        const media_test::SoxInformation information = media_test::sox_information(alsa[index]);
        const sound_tag_permutation& permutation = sound.permutations.back();
        EXPECT_EQ(sound_permutation_rate(permutation), std::uint32_t(information.rate)) << alsa[index];
        EXPECT_EQ(permutation.header.count, (information.frames + 63) / 64 * information.channels) << alsa[index];
        EXPECT_EQ(permutation.permutation.name, alsa[index].stem().string());
    }
}

TEST_F(SoundImportFiles, UnsuitableFilesAddNothing) {
    media_test::make_with_sox(folder.path() / "eight_bit.wav", "-r 11025 -c 1 -b 8 -e unsigned-integer", "100s");
    media_test::make_with_sox(folder.path() / "float.wav", "-r 11025 -c 1 -b 32 -e floating-point", "100s");
    media_test::make_with_sox(folder.path() / "four.wav", "-r 11025 -c 4 -b 16 -e signed-integer", "100s");
    const std::string samples(400, '\x10');
    const auto wave = [&](const std::string& format, const std::string& data) {
        return riff_form(RiffBytes().chunk("fmt ", format).chunk("data", data).text());
    };
    struct Refusal {
        std::string path;
        std::string message;
        std::string caption;
        bool warning;
    };
    const std::string base = folder.path().string() + "/";
    const Refusal refusals[] = {
        {base + "missing.wav", base + "missing.wav: error opening file!", "Error!", false},
        {file("text.wav", "not a sound"), base + "text.wav: not a valid WAVE file", "Error!", false},
        {file("short_format.wav", wave(pcm_format(1, 8000, 16).substr(0, 12), samples)),
         base + "short_format.wav: error in WAVE file", "Error!", false},
        {file("no_frames.wav", wave(pcm_format(2, 8000, 16), "abc")), base + "no_frames.wav: error in WAVE file",
         "Error!", false},
        {base + "eight_bit.wav", "Only 16-bit wave files are supported", "Error", false},
        {base + "float.wav", "Only 16-bit wave files are supported", "Error", false},
        {base + "four.wav", "We don't support 4 channel sounds.", "Error", true},
        {file("no_channels.wav", wave(pcm_format(0, 8000, 16), samples)), "We don't support 0 channel sounds.",
         "Error", true},
        {file("rate_0.wav", wave(pcm_format(1, 0, 16), samples)), "We don't support a sample rate of 0 Hz.", "Error",
         false},
        {file("rate_65536.wav", wave(pcm_format(1, 65536, 16), samples)),
         "We don't support a sample rate of 65536 Hz.", "Error", false},
    };
    sound_tag sound = new_sound_tag();
    ASSERT_TRUE(import_sound_permutation_file(sound, file("good.wav", wave(pcm_format(1, 65535, 16), samples))).succeeded)
        << "65535 Hz is the highest rate a header holds";
    EXPECT_EQ(sound_permutation_rate(sound.permutations[0]), 65535u);
    for (const Refusal& refusal : refusals) {
        const sound_import_outcome outcome = import_sound_permutation_file(sound, refusal.path);
        EXPECT_FALSE(outcome.succeeded) << refusal.path;
        EXPECT_EQ(outcome.message, refusal.message) << refusal.path;
        EXPECT_EQ(outcome.caption, refusal.caption) << refusal.path;
        EXPECT_EQ(outcome.warning, refusal.warning) << refusal.path;
        EXPECT_EQ(sound.permutations.size(), 1u) << refusal.path;
    }
    while (sound.permutations.size() < 5) {
        ASSERT_TRUE(import_sound_permutation_file(sound, base + "good.wav").succeeded);
    }
    const sound_import_outcome full = import_sound_permutation_file(sound, base + "good.wav");
    EXPECT_FALSE(full.succeeded);
    EXPECT_EQ(full.message, "A sound holds at most 5 permutations.");
    EXPECT_EQ(sound.permutations.size(), 5u);
}

}  // namespace
