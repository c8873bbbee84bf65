#include "wave_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace media_test {

std::string pcm_format(int channels, std::uint32_t rate, int bits) {
    const std::uint32_t align = std::uint32_t(channels * bits / 8);
    return RiffBytes()
        .little_endian(1, 2)
        .little_endian(std::uint32_t(channels), 2)
        .little_endian(rate, 4)
        .little_endian(rate * align, 4)
        .little_endian(align, 2)
        .little_endian(std::uint32_t(bits), 2)
        .text();
}

std::string riff_form(const std::string& chunks, const char* form_type) {
    return RiffBytes().id("RIFF").little_endian(std::uint32_t(chunks.size() + 4), 4).id(form_type).raw(chunks).text();
}

bool run_command(const std::string& command, std::string* output) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, count);
    const int status = ::pclose(pipe);
    if (output) *output = text;
    return status == 0;
}

void make_with_sox(const std::filesystem::path& path, const std::string& format_arguments, const std::string& length) {
    const std::string command = "sox " + format_arguments + " -n " + format_arguments + " '" + path.string() +
                                "' synth " + length + " sine 440 vol 0.8 2>&1";
    std::string output;
    ASSERT_TRUE(run_command(command, &output)) << command << ": " << output;
}

SoxInformation sox_information(const std::filesystem::path& path) {
    SoxInformation information;
    std::string text;
    EXPECT_TRUE(run_command("soxi -c '" + path.string() + "'", &text)) << path;
    information.channels = std::atoi(text.c_str());
    EXPECT_TRUE(run_command("soxi -r '" + path.string() + "'", &text)) << path;
    information.rate = std::atoi(text.c_str());
    EXPECT_TRUE(run_command("soxi -s '" + path.string() + "'", &text)) << path;
    information.frames = std::atoll(text.c_str());
    return information;
}

std::vector<std::filesystem::path> alsa_sounds() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(alsa_sounds_folder, error)) {
        if (entry.path().extension() == ".wav") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace media_test
