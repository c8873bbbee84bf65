// `tessary-cli check` as a user runs it, over the demo folder filled up to the
// tag directory's capacity (10,000 headers) with copies of the demo's local
// tags: records with references, the sound with its tone, the collection and
// the string list, so that every reader `check` runs has its share. Target: at
// most 1 s for the whole run, start of the process included.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace {

struct Source {
    tag_code group;
    std::int16_t version;
    std::vector<std::byte> data;
};

// The visible local tags of the open folder, with their data.
std::vector<Source> local_sources() {
    std::vector<Source> sources;
    for (const group_definition* row = tag_group_next(nullptr); row; row = tag_group_next(row)) {
        const std::int32_t count = tag_count_of_group(row->group_tag);
        for (std::int32_t n = 0; n < count; ++n) {
            const tag_handle handle = tag_get_nth_of_group(row->group_tag, n);
            if (tag_get_file_type(handle) != 0 || tag_get_size(handle) < 0) continue;
            Source source{row->group_tag, tag_get_version(handle), std::vector<std::byte>(std::size_t(tag_get_size(handle)))};
            if (!source.data.empty() && !tag_file_read(handle, 0, tag_get_size(handle), source.data.data())) std::abort();
            sources.push_back(std::move(source));
        }
    }
    tag_file_close_local();
    return sources;
}

std::filesystem::path make_folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tessary-check-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    const std::filesystem::path folder = std::filesystem::path(pattern) / "work";
    const std::string demo = std::string(TESSARY_CLI_PATH) + " demo '" + folder.string() + "' >/dev/null";
    if (std::system(demo.c_str()) != 0) std::abort();
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
    const std::vector<Source> sources = local_sources();
    for (int index = 0; tag_header_free_count() > 0; ++index) {
        const Source& source = sources[std::size_t(index) % sources.size()];
        const std::string name = "copy " + std::to_string(index);
        tag_handle handle = tag_file_create(source.group, name.c_str(), source.version);
        if (handle == NONE) break;
        if (!source.data.empty() &&
            !tag_file_write(handle, 0, std::int32_t(source.data.size()), source.data.data())) {
            std::abort();
        }
    }
    tag_file_close_local();
    tag_files_close();
    std::filesystem::current_path(before);
    return folder;
}

void BM_CheckFullDemoFolder(benchmark::State& state) {
    const std::filesystem::path folder = make_folder();
    const std::string check = std::string(TESSARY_CLI_PATH) + " -C '" + folder.string() + "' check >/dev/null";
    for (auto _ : state) {
        // Exit status 1: the copies of the demo's references include its problems, if any.
        const int status = std::system(check.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) state.SkipWithError("check failed");
    }
    std::filesystem::remove_all(folder.parent_path());
}

}  // namespace

BENCHMARK(BM_CheckFullDemoFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

BENCHMARK_MAIN();
