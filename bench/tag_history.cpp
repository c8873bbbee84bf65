// Undo and Redo of the save of a 20 MB map tag (target: each at most 50 ms):
// the tag's file written again, complete, from the bytes the step keeps.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_history.h"

namespace {

constexpr tag_code maps = make_tag("mesh");
constexpr std::int32_t map_size = 20 << 20;

class SavedMap {
public:
    SavedMap() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessary-history-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        folder_ = pattern;
        before_ = std::filesystem::current_path();
        std::filesystem::create_directories(folder_ / "local");
        std::filesystem::current_path(folder_);
        tag_files_initialize();
        if (!tag_files_open(false, nullptr, 0, NONE)) std::abort();
        std::vector<std::byte> bytes(map_size, std::byte{1});
        tag_handle handle = tag_file_create(maps, "Big Map", 1);
        if (handle == NONE || !tag_replace_data(handle, bytes.data(), map_size)) std::abort();
        tag_history::Recorder recorder;
        bytes.assign(map_size, std::byte{2});
        if (!tag_replace_data(handle, bytes.data(), map_size)) std::abort();
        tag_file_close_local();
        step_ = recorder.finish();
    }
    ~SavedMap() {
        tag_files_close();
        std::filesystem::current_path(before_);
        std::filesystem::remove_all(folder_);
    }
    const tag_history::Step& step() const { return step_; }

private:
    std::filesystem::path folder_, before_;
    tag_history::Step step_;
};

void BM_UndoAndRedoOfA20MegabyteMapSave(benchmark::State& state) {
    const SavedMap map;
    std::string reason;
    bool forward = false;
    for (auto _ : state) {
        if (!(forward ? map.step().redo(reason) : map.step().undo(reason))) state.SkipWithError(reason.c_str());
        forward = !forward;
    }
}

}  // namespace

BENCHMARK(BM_UndoAndRedoOfA20MegabyteMapSave)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

BENCHMARK_MAIN();
