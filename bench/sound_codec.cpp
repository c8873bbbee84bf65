// Importing a 10-minute 44.1 kHz stereo 16-bit WAVE file (read + compress), the
// same file through sox's IMA ADPCM encoder for scale, and decoding the sound
// back to PCM, with the run decoder and block by block.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "media/sound_block_codec.h"
#include "media/sound_import.h"
#include "media/sound_tag.h"
#include "media/wave_writer.h"

namespace {

constexpr int rate = 44100;
constexpr int seconds = 600;

// Chords with a slow tremolo and some noise, so that the encoder's step size
// keeps moving as it does on music.
class TenMinuteFile {
public:
    TenMinuteFile() {
        folder_ = std::filesystem::temp_directory_path() / ("tessary-sound-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "ten_minutes.wav").string();
        std::vector<std::int16_t> samples(std::size_t(rate) * seconds * 2);
        std::uint32_t noise = 12345;
        for (std::size_t frame = 0; frame < samples.size() / 2; ++frame) {
            const double time = double(frame) / rate;
            const double tremolo = 0.6 + 0.4 * std::sin(2 * M_PI * 0.25 * time);
            for (int channel = 0; channel < 2; ++channel) {
                noise = noise * 1664525u + 1013904223u;
                const double value = tremolo * (7000 * std::sin(2 * M_PI * (220 + 3 * channel) * time) +
                                                5000 * std::sin(2 * M_PI * 277.2 * time) +
                                                3000 * std::sin(2 * M_PI * 329.6 * time)) +
                                     double(std::int32_t(noise >> 16) - 32768) / 16;
                samples[frame * 2 + std::size_t(channel)] = std::int16_t(std::lround(value));
            }
        }
        const auto bytes = wave_file_bytes(samples, 2, rate);
        std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
        size_ = std::int64_t(bytes->size());
    }
    ~TenMinuteFile() { std::filesystem::remove_all(folder_); }
    const std::string& path() const { return path_; }
    const std::filesystem::path& folder() const { return folder_; }
    std::int64_t size() const { return size_; }

private:
    std::filesystem::path folder_;
    std::string path_;
    std::int64_t size_ = 0;
};

const TenMinuteFile& ten_minute_file() {
    static const TenMinuteFile file;
    return file;
}

sound_tag imported() {
    sound_tag sound = new_sound_tag();
    if (!import_sound_permutation_file(sound, ten_minute_file().path()).succeeded) std::abort();
    return sound;
}

void BM_ImportTenMinuteStereoWave(benchmark::State& state) {
    const TenMinuteFile& file = ten_minute_file();
    for (auto _ : state) {
        sound_tag sound = imported();
        benchmark::DoNotOptimize(sound.permutations[0].data.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * file.size());
}

// One import and one run of sox on the same file, timed side by side.
void BM_ImportAgainstSoxImaAdpcm(benchmark::State& state) {
    const TenMinuteFile& file = ten_minute_file();
    const std::string output = (file.folder() / "sox_ima_adpcm.wav").string();
    const std::string command = "sox '" + file.path() + "' -e ima-adpcm '" + output + "' 2>/dev/null";
    if (std::system("command -v sox >/dev/null") != 0) {
        state.SkipWithError("sox is not installed (scripts/install-deps)");
        return;
    }
    double ours = 0, sox = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        sound_tag sound = imported();
        benchmark::DoNotOptimize(sound.permutations[0].data.data());
        const auto middle = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("sox failed");
            return;
        }
        const auto end = std::chrono::steady_clock::now();
        ours += std::chrono::duration<double>(middle - start).count();
        sox += std::chrono::duration<double>(end - middle).count();
    }
    state.counters["ours_s"] = ours / double(state.iterations());
    state.counters["sox_s"] = sox / double(state.iterations());
    state.counters["sox_over_ours"] = sox / ours;
}

void BM_DecodeTenMinuteStereo(benchmark::State& state) {
    const sound_tag sound = imported();
    const sound_tag_permutation& permutation = sound.permutations[0];
    std::int64_t output_bytes = 0;
    for (auto _ : state) {
        const auto samples = decode_sound_permutation(permutation);
        benchmark::DoNotOptimize(samples->data());
        output_bytes += std::int64_t(samples->size() * 2);
    }
    state.SetBytesProcessed(output_bytes);
}

// The work of the decoder alone, into a buffer that is already there.
void BM_DecodeTenMinuteIntoBuffer(benchmark::State& state) {
    const sound_tag sound = imported();
    const sound_tag_permutation& permutation = sound.permutations[0];
    std::vector<std::int16_t> output(std::size_t(decoded_sound_sample_count(permutation.header.count, 2)));
    for (auto _ : state) {
        decode_sound_blocks(permutation.data.data(), permutation.header.count, 2, sound_block_headers::stored,
                            output.data());
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(output.size() * 2));
}

// The same blocks one after the other through decode_sound_block, to show what
// decoding blocks side by side gains.
void BM_DecodeTenMinuteBlockByBlock(benchmark::State& state) {
    const sound_tag sound = imported();
    const std::vector<std::byte>& data = sound.permutations[0].data;
    const std::size_t blocks = data.size() / 34;
    std::vector<std::int16_t> output(blocks * 64);
    for (auto _ : state) {
        for (std::size_t block = 0; block < blocks; ++block) {
            const std::byte* at = data.data() + block * 34;
            const auto header = std::uint16_t((std::to_integer<unsigned>(at[0]) << 8) | std::to_integer<unsigned>(at[1]));
            decode_sound_block(header, reinterpret_cast<const std::uint8_t*>(at + 2), output.data() + block * 64, 64);
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(output.size() * 2));
}

}  // namespace

BENCHMARK(BM_ImportTenMinuteStereoWave)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ImportAgainstSoxImaAdpcm)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_DecodeTenMinuteStereo)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DecodeTenMinuteIntoBuffer)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DecodeTenMinuteBlockByBlock)->Unit(benchmark::kMillisecond)->MinTime(2);

BENCHMARK_MAIN();
