// Importing the game's whole character set from DejaVu Sans: at 10 points
// (target at most 100 ms) and at 72 points with Antialiased, drawn at 384
// pixels and averaged down (target at most 1 s). Opening the face is part of
// each import, as in the editor.

#include <benchmark/benchmark.h>

#include "media/font_import.h"
#include "media/system_fonts.h"

namespace {

void import(benchmark::State& state, int point_size, bool antialiased) {
    font_import_options options;
    options.family = "DejaVu Sans";
    options.point_size = point_size;
    options.antialiased = antialiased;
    for (auto _ : state) {
        const auto font = system_font::open(options);
        if (!font) {
            state.SkipWithError("DejaVu Sans is not installed");
            return;
        }
        auto data = build_font_tag_data(*font, antialiased, false);
        benchmark::DoNotOptimize(data);
    }
}

void BM_ImportFont10Points(benchmark::State& state) { import(state, 10, false); }
void BM_ImportFont10PointsAntialiased(benchmark::State& state) { import(state, 10, true); }
void BM_ImportFont72PointsAntialiased(benchmark::State& state) { import(state, 72, true); }

}  // namespace

BENCHMARK(BM_ImportFont10Points)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFont10PointsAntialiased)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFont72PointsAntialiased)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
