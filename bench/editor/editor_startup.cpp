// Start-up of the editor to a filled tree over 10,000 tags: five foundation
// files written by the monolithic writer and local tags beside them. Each
// iteration opens the tag directory afresh and builds the main window (tree,
// images, menus, tag-name lists), offscreen.

#include "many_tags_folder.h"
#include "qt_benchmark_main.h"
#include "editor/quillet_frame_wnd.h"

#include <QApplication>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

void BM_StartUpToFilledTree(benchmark::State& state) {
    const std::filesystem::path folder = many_tags::make_working_folder();
    int32_t tags = 0;
    for (auto _ : state) {
        tag_files_open(false, nullptr, 0, NONE);
        CQuilletFrameWnd frame;
        benchmark::DoNotOptimize(frame.tree()->topLevelItemCount());
        tag_info any;
        tag_query_initialize(&any);
        tags = tag_query(&any, nullptr, -1);
    }
    state.counters["tags"] = tags;
    many_tags::remove_working_folder(folder);
}
BENCHMARK(BM_StartUpToFilledTree)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char* argv[]) { return run_editor_benchmarks(argc, argv); }
