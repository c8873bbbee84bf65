#include "disk_audio.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

namespace editor_test {

namespace {

// Well over one device buffer, so that the whole sound has been written.
constexpr std::uintmax_t trailing_silence_bytes = 16 * 4096 * 2 * 2;

}  // namespace

DiskAudio::DiskAudio() : file_(std::filesystem::path(folder_.path().toStdString()) / "played.raw") {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    // One millisecond a buffer instead of its playing time.
    setenv("SDL_DISKAUDIODELAY", "1", 1);
}

std::vector<std::int16_t> DiskAudio::sounded(std::size_t samples) {
    const std::uintmax_t wanted = given_ + samples * 2 + trailing_silence_bytes;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::error_code error;
    while (std::chrono::steady_clock::now() < deadline &&
           !(std::filesystem::exists(file_, error) && std::filesystem::file_size(file_, error) >= wanted))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::ifstream file(file_, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::size_t start = std::min<std::size_t>(given_, bytes.size() & ~std::size_t{1});
    given_ = bytes.size() & ~std::size_t{1};
    std::vector<std::int16_t> written((given_ - start) / 2);
    std::memcpy(written.data(), bytes.data() + start, written.size() * 2);
    return without_silence_around(written);
}

std::vector<std::int16_t> without_silence_around(const std::vector<std::int16_t>& samples) {
    const auto sounding = [](std::int16_t sample) { return sample != 0; };
    const auto first = std::find_if(samples.begin(), samples.end(), sounding);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), sounding).base();
    return first < last ? std::vector<std::int16_t>(first, last) : std::vector<std::int16_t>{};
}

}  // namespace editor_test
