#include "media/wave_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "media/wave_writer.h"
#include "support/working_folder.h"
#include "wave_files.h"

namespace {

using media_test::pcm_format;
using media_test::RiffBytes;
using media_test::riff_form;

const std::string four_samples("\x01\x00\x02\x00\xff\xff\x00\x80", 8);

struct ReadCase {
    const char* what;
    std::string file;
    wave_problem problem;
};

std::vector<ReadCase> read_cases() {
    const std::string format = RiffBytes().chunk("fmt ", pcm_format(2, 22050, 16)).text();
    const std::string data = RiffBytes().chunk("data", four_samples).text();
    return {
        {"fmt then data", riff_form(format + data), wave_problem::none},
        {"other chunks with pad bytes stepped over",
         riff_form(RiffBytes().chunk("LIST", "odd").chunk("JUNK", std::string(7, 'j')).text() + format +
                   RiffBytes().chunk("fact", "abcd").text() + data),
         wave_problem::none},
        {"data before fmt", riff_form(data + format), wave_problem::none},
        {"a form claiming more than the file holds", RiffBytes().id("RIFF").little_endian(0xFFFFFFF0, 4).id("WAVE").raw(format + data).text(),
         wave_problem::none},
        {"another RIFF form before the WAVE form",
         RiffBytes().chunk("RIFF", "AVI xyz").text() + riff_form(format + data), wave_problem::none},
        {"empty file", "", wave_problem::not_wave},
        {"no RIFF chunk", RiffBytes().chunk("LIST", "WAVE").text(), wave_problem::not_wave},
        {"a RIFF form of another type", riff_form(format + data, "AVI "), wave_problem::not_wave},
        {"no fmt chunk", riff_form(data), wave_problem::bad_chunk},
        {"fmt chunk under 16 bytes", riff_form(RiffBytes().chunk("fmt ", pcm_format(2, 22050, 16).substr(0, 14)).text() + data),
         wave_problem::bad_chunk},
        {"no data chunk", riff_form(format), wave_problem::bad_chunk},
        {"data chunk past the end of the file", riff_form(format + RiffBytes().id("data").little_endian(9, 4).raw(four_samples).text()),
         wave_problem::bad_chunk},
        {"a chunk before data runs past the form", riff_form(format + RiffBytes().id("LIST").little_endian(1000, 4).text() + data),
         wave_problem::bad_chunk},
        {"truncated inside the fmt chunk", riff_form(format).substr(0, 20), wave_problem::bad_chunk},
    };
}

std::vector<std::byte> as_bytes(const std::string& text) {
    const auto* begin = reinterpret_cast<const std::byte*>(text.data());
    return {begin, begin + text.size()};
}

TEST(WaveReader, FindsFormatAndDataInsideTheWaveForm) {
    for (const ReadCase& example : read_cases()) {
        wave_file file;
        const std::vector<std::byte> bytes = as_bytes(example.file);
        ASSERT_EQ(read_wave_bytes(bytes, file), example.problem) << example.what;
        if (example.problem != wave_problem::none) {
            EXPECT_EQ(file.data, nullptr) << example.what;
            continue;
        }
        EXPECT_EQ(file.format.format_tag, 1) << example.what;
        EXPECT_EQ(file.format.channels, 2) << example.what;
        EXPECT_EQ(file.format.samples_per_second, 22050u) << example.what;
        EXPECT_EQ(file.format.bits_per_sample, 16) << example.what;
        EXPECT_TRUE(file.format.pcm) << example.what;
        ASSERT_EQ(file.data_size, 8) << example.what;
        EXPECT_EQ(std::memcmp(file.data.get(), four_samples.data(), 8), 0) << example.what;
    }
}

TEST(WaveReader, ExtensibleFormatIsPcmOnlyWithThePcmSubformat) {
    const std::string pcm_guid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71", 16);
    std::string float_guid = pcm_guid;
    float_guid[0] = 3;
    const auto extensible = [&](const std::string& guid) {
        std::string format = pcm_format(1, 48000, 16);
        format[0] = char(0xFE);
        format[1] = char(0xFF);
        format += RiffBytes().little_endian(22, 2).little_endian(16, 2).little_endian(4, 4).text() + guid;
        return riff_form(RiffBytes().chunk("fmt ", format).chunk("data", four_samples).text());
    };
    wave_file file;
    ASSERT_EQ(read_wave_bytes(as_bytes(extensible(pcm_guid)), file), wave_problem::none);
    EXPECT_EQ(file.format.format_tag, 0xFFFE);
    EXPECT_TRUE(file.format.pcm);
    ASSERT_EQ(read_wave_bytes(as_bytes(extensible(float_guid)), file), wave_problem::none);
    EXPECT_FALSE(file.format.pcm);
    // A format chunk too short to hold the subformat says nothing about it.
    std::string short_extensible = pcm_format(1, 48000, 16);
    short_extensible[0] = char(0xFE);
    short_extensible[1] = char(0xFF);
    ASSERT_EQ(read_wave_bytes(as_bytes(riff_form(RiffBytes().chunk("fmt ", short_extensible).chunk("data", four_samples).text())), file),
              wave_problem::none);
    EXPECT_FALSE(file.format.pcm);
}

TEST(WaveReader, FilesAndMessages) {
    test_support::WorkingFolder folder;
    wave_file file;
    EXPECT_EQ(read_wave_file("missing.wav", file), wave_problem::cannot_open);
    EXPECT_EQ(read_wave_file(".", file), wave_problem::cannot_open) << "a folder is no file";
    folder.write_file("text.wav", "just some text");
    EXPECT_EQ(read_wave_file("text.wav", file), wave_problem::not_wave);
    EXPECT_EQ(wave_error_message("/x/missing.wav", wave_problem::cannot_open), "/x/missing.wav: error opening file!");
    EXPECT_EQ(wave_error_message("a.wav", wave_problem::not_wave), "a.wav: not a valid WAVE file");
    EXPECT_EQ(wave_error_message("a.wav", wave_problem::bad_chunk), "a.wav: error in WAVE file");
    EXPECT_STREQ(wave_error_caption, "Error!");
}

TEST(WaveWriter, SoxReadsWhatWeWrite) {
    test_support::WorkingFolder folder;
    const std::vector<std::int16_t> samples = {0, 1000, -1000, 32767, -32768, 7, 8, 9, 10, 11};
    for (const int channels : {1, 2}) {
        const auto bytes = wave_file_bytes(samples, channels, 44100);
        ASSERT_TRUE(bytes);
        const std::string name = "written_" + std::to_string(channels) + ".wav";
        folder.write_file(name, std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
        const media_test::SoxInformation information = media_test::sox_information(folder.path() / name);
        EXPECT_EQ(information.channels, channels);
        EXPECT_EQ(information.rate, 44100);
        EXPECT_EQ(information.frames, std::int64_t(samples.size()) / channels);
        std::string text;
        ASSERT_TRUE(media_test::run_command("sox '" + (folder.path() / name).string() + "' -t s16 -L -", &text));
        ASSERT_EQ(text.size(), samples.size() * 2);
        EXPECT_EQ(std::memcmp(text.data(), samples.data(), text.size()), 0);

        wave_file file;
        ASSERT_EQ(read_wave_file(name, file), wave_problem::none);
        EXPECT_EQ(file.format.channels, channels);
        EXPECT_EQ(file.data_size, std::int32_t(samples.size() * 2));
    }
}

TEST(WaveReader, ReadsFilesSoxAndAlsaUtilsMake) {
    test_support::WorkingFolder folder;
    const std::pair<const char*, const char*> made[] = {
        {"mono_8k.wav", "-r 8000 -c 1 -b 16 -e signed-integer"},
        {"stereo_48k.wav", "-r 48000 -c 2 -b 16 -e signed-integer"},
        {"eight_bit.wav", "-r 11025 -c 1 -b 8 -e unsigned-integer"},
        {"float.wav", "-r 22050 -c 1 -b 32 -e floating-point"},
        {"four_channels.wav", "-r 16000 -c 4 -b 16 -e signed-integer"},
    };
    std::vector<std::filesystem::path> files;
    for (const auto& [name, arguments] : made) {
        media_test::make_with_sox(folder.path() / name, arguments, "0.0123");
        files.push_back(folder.path() / name);
    }
    const std::vector<std::filesystem::path> alsa = media_test::alsa_sounds();
    ASSERT_FALSE(alsa.empty()) << "scripts/install-deps installs alsa-utils";
    files.insert(files.end(), alsa.begin(), alsa.end());
    for (const std::filesystem::path& path : files) {
        wave_file file;
        ASSERT_EQ(read_wave_file(path.string(), file), wave_problem::none) << path;
        const media_test::SoxInformation information = media_test::sox_information(path);
        EXPECT_EQ(file.format.channels, information.channels) << path;
        EXPECT_EQ(file.format.samples_per_second, std::uint32_t(information.rate)) << path;
        const int bytes_per_frame = information.channels * ((file.format.bits_per_sample + 7) / 8);
        EXPECT_EQ(file.data_size / bytes_per_frame, information.frames) << path;
        EXPECT_EQ(file.format.pcm, path.filename() != "float.wav") << path;
    }
}

}  // namespace
