#include "disk_audio.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace editor_test {

namespace {

// A few device buffers of stereo, so that the whole sound has been written.
constexpr std::uintmax_t trailing_silence_bytes = 4 * 4096 * 2 * 2;

}  // namespace

DiskAudio::DiskAudio() : file_(std::filesystem::path(folder_.path().toStdString()) / "played.raw") {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    // A few milliseconds a buffer instead of its playing time: quick, and the
    // file grows slowly enough while a test reads it.
    setenv("SDL_DISKAUDIODELAY", "5", 1);
}

std::vector<std::int16_t> DiskAudio::sounded(std::size_t samples) {
    const std::uintmax_t wanted = given_ + samples * 2 + trailing_silence_bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::error_code error;
    std::uintmax_t size = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        size = std::filesystem::file_size(file_, error);
        if (!error && size >= wanted) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The device goes on writing silence, so only what was asked for is read.
    const std::uintmax_t end = std::min(error ? 0 : size, wanted) & ~std::uintmax_t{1};
    const std::uintmax_t start = std::min(given_, end);
    std::vector<std::int16_t> written(static_cast<std::size_t>((end - start) / 2));
    std::ifstream file(file_, std::ios::binary);
    file.seekg(static_cast<std::streamoff>(start));
    file.read(reinterpret_cast<char*>(written.data()), static_cast<std::streamsize>(written.size() * 2));
    written.resize(static_cast<std::size_t>(file.gcount() / 2));
    given_ = start + written.size() * 2;
    return without_silence_around(written);
}

std::vector<std::int16_t> without_silence_around(const std::vector<std::int16_t>& samples) {
    const auto sounding = [](std::int16_t sample) { return sample != 0; };
    const auto first = std::find_if(samples.begin(), samples.end(), sounding);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), sounding).base();
    return first < last ? std::vector<std::int16_t>(first, last) : std::vector<std::int16_t>{};
}

}  // namespace editor_test
