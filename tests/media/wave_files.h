#pragma once

// WAVE files for tests: built chunk by chunk here, made by sox, or taken from
// the sounds alsa-utils installs, so that the reader is checked against files
// it did not write itself.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace media_test {

class RiffBytes {
public:
    RiffBytes& id(const char* text) {
        bytes_.append(text, 4);
        return *this;
    }
    RiffBytes& little_endian(std::uint32_t value, int width) {
        for (int index = 0; index < width; ++index) bytes_.push_back(char((value >> (8 * index)) & 0xFF));
        return *this;
    }
    RiffBytes& chunk(const char* chunk_id, const std::string& content) {
        id(chunk_id).little_endian(std::uint32_t(content.size()), 4);
        bytes_ += content;
        if (content.size() % 2 != 0) bytes_.push_back('\0');
        return *this;
    }
    RiffBytes& raw(const std::string& text) {
        bytes_ += text;
        return *this;
    }
    const std::string& text() const { return bytes_; }
    std::vector<std::byte> bytes() const {
        const auto* begin = reinterpret_cast<const std::byte*>(bytes_.data());
        return {begin, begin + bytes_.size()};
    }

private:
    std::string bytes_;
};

// A 16-byte PCM format chunk's content.
std::string pcm_format(int channels, std::uint32_t rate, int bits);
// The RIFF form around chunks (the form's size computed from them).
std::string riff_form(const std::string& chunks, const char* form_type = "WAVE");

// Runs a command through the shell; its standard output, and whether it exited 0.
bool run_command(const std::string& command, std::string* output = nullptr);
// Makes a tone with sox's synth effect; the format is given to the null input
// too, so that a length in samples ("4411s") counts samples of the file.
void make_with_sox(const std::filesystem::path& path, const std::string& format_arguments, const std::string& length);

struct SoxInformation {
    int channels = 0;
    int rate = 0;
    std::int64_t frames = 0;
};
// What soxi says about a file.
SoxInformation sox_information(const std::filesystem::path& path);

inline const std::filesystem::path alsa_sounds_folder = "/usr/share/sounds/alsa";
std::vector<std::filesystem::path> alsa_sounds();

}  // namespace media_test
