// Opening the directory over a local folder of 1,000 monster tags: the scan reads
// every header and settles precedence for each.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/error_manager.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

namespace {

constexpr int tag_count = 1000;

class LocalFolder {
public:
    LocalFolder() : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessary-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        path_ = pattern;
        std::filesystem::current_path(path_);
        initialize_error_manager("bench");
        tag_files_initialize();
        tag_files_open(false, nullptr, 0, -1);
        const std::string record(512, 'r');
        for (int index = 0; index < tag_count; ++index) {
            tag_handle handle = tag_file_create(make_tag("mons"), ("Monster " + std::to_string(index)).c_str(), 1);
            tag_file_write(handle, 0, static_cast<std::int32_t>(record.size()), record.data());
        }
        tag_files_close();
    }
    ~LocalFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

void BM_TagDirectoryOpen(benchmark::State& state) {
    const LocalFolder folder;
    for (auto _ : state) {
        tag_files_open(false, nullptr, 0, -1);
        if (tag_count_of_group(make_tag("mons")) != tag_count) state.SkipWithError("tags missing");
        tag_files_close();
    }
    state.SetItemsProcessed(state.iterations() * tag_count);
}
BENCHMARK(BM_TagDirectoryOpen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
