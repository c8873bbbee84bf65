// A 10-minute 44.1 kHz stereo 16-bit WAVE file made here, and what is done
// with it: importing (read + compress) in the program and through
// `tessary-cli import-sound`, each beside sox's IMA ADPCM encoder on the same
// file; exporting through `tessary-cli export-sound` beside sox decoding the
// same sound from its own IMA ADPCM WAVE file; decoding into a buffer, with
// the run decoder and block by block; the first samples of Play on both
// decodings; and the waveform's outline. The tool runs as a user runs it: its
// time and its peak memory (less the tag it reads or writes) are its own.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "media/sound_block_codec.h"
#include "media/sound_import.h"
#include "media/sound_playback.h"
#include "media/sound_tag.h"
#include "media/sound_waveform.h"
#include "media/wave_writer.h"

extern char** environ;

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

struct ProgramRun {
    double seconds = 0;
    double peak_bytes = 0;  // the largest resident set
};

// Runs a program with its output thrown away; nothing when it fails.
std::optional<ProgramRun> spawn_and_wait(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return ProgramRun{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                      double(usage.ru_maxrss) * 1024};
}

// A process forked before the benchmarks take their memory, which starts the
// programs: a program's peak resident set counts the memory of the process
// that started it, and this one stays small.
class Launcher {
public:
    Launcher() {
        int requests[2], replies[2];
        if (::pipe(requests) != 0 || ::pipe(replies) != 0) std::abort();
        if (::fork() == 0) {
            ::close(requests[1]);
            ::close(replies[0]);
            serve(requests[0], replies[1]);
        }
        ::close(requests[0]);
        ::close(replies[1]);
        requests_ = requests[1];
        replies_ = replies[0];
    }
    ~Launcher() { ::close(requests_); }

    std::optional<ProgramRun> run(const std::vector<std::string>& arguments) const {
        std::string request;
        for (const std::string& argument : arguments) request += argument + '\0';
        const auto size = std::uint32_t(request.size());
        Reply reply{};
        if (!write_all(requests_, &size, sizeof size) || !write_all(requests_, request.data(), size) ||
            !read_all(replies_, &reply, sizeof reply) || !reply.succeeded) {
            return std::nullopt;
        }
        return reply.run;
    }

private:
    struct Reply {
        bool succeeded;
        ProgramRun run;
    };

    static bool write_all(int descriptor, const void* bytes, std::size_t size) {
        return ::write(descriptor, bytes, size) == ssize_t(size);
    }
    static bool read_all(int descriptor, void* bytes, std::size_t size) {
        auto* at = static_cast<char*>(bytes);
        while (size > 0) {
            const ssize_t count = ::read(descriptor, at, size);
            if (count <= 0) return false;
            at += count;
            size -= std::size_t(count);
        }
        return true;
    }
    [[noreturn]] static void serve(int requests, int replies) {
        std::uint32_t size = 0;
        while (read_all(requests, &size, sizeof size)) {
            std::string request(size, '\0');
            if (!read_all(requests, request.data(), size)) break;
            std::vector<std::string> arguments;
            for (std::size_t at = 0; at < request.size(); at = request.find('\0', at) + 1)
                arguments.emplace_back(request.c_str() + at);
            const std::optional<ProgramRun> run = spawn_and_wait(arguments);
            const Reply reply{run.has_value(), run.value_or(ProgramRun{})};
            if (!write_all(replies, &reply, sizeof reply)) break;
        }
        ::_exit(0);
    }

    int requests_ = -1;
    int replies_ = -1;
};

const Launcher launcher;

std::optional<ProgramRun> run_program(const std::vector<std::string>& arguments) { return launcher.run(arguments); }

bool sox_installed() { return std::system("command -v sox >/dev/null") == 0; }

// A working folder beside the file, for the tool.
std::string working_folder() {
    const std::filesystem::path folder = ten_minute_file().folder() / "work";
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::filesystem::path sound_tag_file() { return ten_minute_file().folder() / "work" / "local" / "sounds" / "ten minutes"; }

// The time of ours beside sox's, and the tool's peak memory beside the size
// of the tag, as counters.
void report(benchmark::State& state, double ours, double sox, double peak) {
    const auto iterations = double(state.iterations());
    state.counters["ours_s"] = ours / iterations;
    state.counters["sox_s"] = sox / iterations;
    state.counters["sox_over_ours"] = sox / ours;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["tag_MB"] = double(std::filesystem::file_size(sound_tag_file())) / 1e6;
}

// `tessary-cli import-sound` into a new tag, then sox's encoder on the same file.
void BM_ImportSoundToolAgainstSox(benchmark::State& state) {
    if (!sox_installed()) {
        state.SkipWithError("sox is not installed (scripts/install-deps)");
        return;
    }
    const TenMinuteFile& file = ten_minute_file();
    const std::string sox_output = (file.folder() / "sox_ima_adpcm.wav").string();
    double ours = 0, sox = 0, peak = 0;
    for (auto _ : state) {
        std::filesystem::remove(sound_tag_file());
        const auto tool = run_program({TESSARY_CLI_PATH, "-C", working_folder(), "import-sound", "soun/ten minutes", file.path()});
        const auto encoder = run_program({"sox", file.path(), "-e", "ima-adpcm", sox_output});
        if (!tool || !encoder) {
            state.SkipWithError(!tool ? "import-sound failed" : "sox failed");
            return;
        }
        ours += tool->seconds;
        sox += encoder->seconds;
        peak = std::max(peak, tool->peak_bytes);
    }
    report(state, ours, sox, peak);
}

// `tessary-cli export-sound` of the imported tag, then sox decoding its own
// IMA ADPCM encoding of the same sound into 16-bit PCM.
void BM_ExportSoundToolAgainstSox(benchmark::State& state) {
    if (!sox_installed()) {
        state.SkipWithError("sox is not installed (scripts/install-deps)");
        return;
    }
    const TenMinuteFile& file = ten_minute_file();
    const std::string ima = (file.folder() / "sox_ima_adpcm.wav").string();
    const std::string ours_output = (file.folder() / "exported.wav").string();
    const std::string sox_output = (file.folder() / "sox_decoded.wav").string();
    if (!std::filesystem::exists(sound_tag_file()) &&
        !run_program({TESSARY_CLI_PATH, "-C", working_folder(), "import-sound", "soun/ten minutes", file.path()})) {
        state.SkipWithError("import-sound failed");
        return;
    }
    if (!std::filesystem::exists(ima) && !run_program({"sox", file.path(), "-e", "ima-adpcm", ima})) {
        state.SkipWithError("sox failed");
        return;
    }
    double ours = 0, sox = 0, peak = 0;
    for (auto _ : state) {
        const auto tool = run_program({TESSARY_CLI_PATH, "-C", working_folder(), "export-sound", "soun/ten minutes", "-o", ours_output});
        const auto decoder = run_program({"sox", ima, "-e", "signed-integer", "-b", "16", sox_output});
        if (!tool || !decoder) {
            state.SkipWithError(!tool ? "export-sound failed" : "sox failed");
            return;
        }
        ours += tool->seconds;
        sox += decoder->seconds;
        peak = std::max(peak, tool->peak_bytes);
    }
    report(state, ours, sox, peak);
}

// From the press to the first device buffer's samples (4096 frames) of the
// ten minutes; argument 1: the conversion module's path (Shift).
void BM_PlayFirstSamplesOfTenMinutes(benchmark::State& state) {
    const sound_tag sound = imported();
    const auto decoding = state.range(0) ? sound_playback_decoding::conversion : sound_playback_decoding::direct;
    std::vector<std::int16_t> buffer(4096 * 2);
    for (auto _ : state) {
        std::optional<sound_playback_stream> stream = sound_playback_stream_of(sound.permutations[0], decoding);
        benchmark::DoNotOptimize(stream->read(buffer));
    }
}

// What the waveform's thread does for a strip of 240 columns.
void BM_OutlineTenMinutes(benchmark::State& state) {
    const sound_tag sound = imported();
    for (auto _ : state) {
        std::optional<sound_playback_stream> stream =
            sound_playback_stream_of(sound.permutations[0], sound_playback_decoding::direct);
        const auto columns = outline_waveform([&](std::span<std::int16_t> output) { return stream->read(output); },
                                              stream->sample_count() / 2, 2, 240);
        benchmark::DoNotOptimize(columns->data());
    }
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
BENCHMARK(BM_ImportSoundToolAgainstSox)->Unit(benchmark::kSecond)->Iterations(1);
BENCHMARK(BM_ExportSoundToolAgainstSox)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_PlayFirstSamplesOfTenMinutes)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OutlineTenMinutes)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DecodeTenMinuteStereo)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DecodeTenMinuteIntoBuffer)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_DecodeTenMinuteBlockByBlock)->Unit(benchmark::kMillisecond)->MinTime(2);

BENCHMARK_MAIN();
