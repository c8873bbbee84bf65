// Building monolithic files from local tags, beside copying the same bytes, and
// opening a working folder of five foundation files and local tags. Every
// benchmark works in a temporary working folder it fills itself.
//
//   build_plugin / rebuild_foundation_files: 200 MB in 800 local tags of 256 KB
//   copy_same_bytes: the same files' data copied into one file (same buffer size, fsync)
//   open_directory: 9,000 tags in five foundation files plus 1,000 local tags

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/error_manager.h"
#include "core/tag_code.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_header.h"

namespace {

constexpr tag_code groups[] = {make_tag("mons"), make_tag("proj"), make_tag("obje"), make_tag("scen"),
                               make_tag("unit")};
constexpr const char* group_folders[] = {"local/monsters", "local/projectiles", "local/objects", "local/scenery",
                                         "local/units"};

// A temporary working folder for the life of the object.
class scratch_folder {
public:
    scratch_folder() : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessary-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
        std::filesystem::current_path(path_);
        initialize_error_manager("bench");
        reset_monolithic_state();
        tag_files_initialize();
    }
    ~scratch_folder() {
        tag_files_close();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(path_);
    }
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

void put_big_endian(unsigned char* bytes, std::uint32_t value, int width) {
    for (int index = 0; index < width; ++index) bytes[index] = static_cast<unsigned char>(value >> (8 * (width - 1 - index)));
}

// Writes local tag files named <prefix><number> spread over five groups and
// destinations; returns the paths.
std::vector<std::string> write_local_tags(int count, std::size_t data_size, const std::string& prefix) {
    std::vector<std::string> paths;
    std::string data(data_size, '\0');
    for (std::size_t index = 0; index < data_size; ++index) data[index] = static_cast<char>(index * 131 + 7);
    for (int number = 0; number < count; ++number) {
        const int group = number % 5;
        std::filesystem::create_directories(group_folders[group]);
        const std::string name = prefix + std::to_string(number);
        unsigned char header[64] = {};
        std::snprintf(reinterpret_cast<char*>(header + 4), 32, "%s", name.c_str());
        put_big_endian(header + 36, groups[group], 4);
        put_big_endian(header + 40, static_cast<std::uint32_t>(number), 4);
        put_big_endian(header + 44, 64, 4);
        put_big_endian(header + 48, static_cast<std::uint32_t>(data_size), 4);
        put_big_endian(header + 56, 1, 2);
        header[58] = static_cast<unsigned char>(number / 5 % 5);
        header[59] = 0xFF;
        put_big_endian(header + 60, make_tag("klv2"), 4);
        const std::string path = std::string(group_folders[group]) + "/" + name;
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(header), sizeof header);
        file.write(data.data(), static_cast<std::streamsize>(data.size()));
        paths.push_back(path);
    }
    return paths;
}

constexpr int build_tag_count = 800;
constexpr std::size_t build_tag_size = 256 * 1024;
constexpr std::int64_t build_bytes = std::int64_t{build_tag_count} * build_tag_size;

void build_plugin_from_local_tags(benchmark::State& state) {
    scratch_folder folder;
    write_local_tags(build_tag_count, build_tag_size, "Tag ");
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    for (auto _ : state) {
        if (!build_plugin("Bench", "", false, -1, nullptr, nullptr)) std::abort();
    }
    state.SetBytesProcessed(state.iterations() * build_bytes);
}

void rebuild_foundation_files_from_local_tags(benchmark::State& state) {
    scratch_folder folder;
    write_local_tags(build_tag_count, build_tag_size, "Tag ");
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    for (auto _ : state) {
        if (!rebuild_foundation_files()) std::abort();
    }
    state.SetBytesProcessed(state.iterations() * build_bytes);
}

// The floor for a build: the tags' data read and written once through a buffer
// of the writer's size, made durable at the end.
void copy_same_bytes(benchmark::State& state) {
    scratch_folder folder;
    const std::vector<std::string> paths = write_local_tags(build_tag_count, build_tag_size, "Tag ");
    std::vector<char> buffer(monolithic_transfer_buffer_size);
    for (auto _ : state) {
        const int output = open("copy", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (const std::string& path : paths) {
            const int input = open(path.c_str(), O_RDONLY);
            off_t position = 64;
            for (ssize_t got; (got = pread(input, buffer.data(), buffer.size(), position)) > 0; position += got) {
                if (write(output, buffer.data(), static_cast<std::size_t>(got)) != got) std::abort();
            }
            close(input);
        }
        fsync(output);
        close(output);
    }
    state.SetBytesProcessed(state.iterations() * build_bytes);
}

void open_directory(benchmark::State& state) {
    scratch_folder folder;
    write_local_tags(9000, 200, "Shipped ");
    if (!tag_files_open(false, nullptr, 0, NONE) || !rebuild_foundation_files()) std::abort();
    tag_files_close();
    std::filesystem::remove_all("local");
    write_local_tags(1000, 200, "Local ");
    for (auto _ : state) {
        if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
        state.PauseTiming();
        tag_files_close();
        state.ResumeTiming();
    }
    tag_info query;
    tag_query_initialize(&query);
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    state.counters["tags"] = static_cast<double>(tag_query(&query, nullptr, -1));
}

}  // namespace

BENCHMARK(build_plugin_from_local_tags)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(rebuild_foundation_files_from_local_tags)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(copy_same_bytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(open_directory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

BENCHMARK_MAIN();
