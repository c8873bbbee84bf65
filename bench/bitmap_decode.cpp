// Expanding a run-encoded 256 x 256 bitmap, the work of drawing a preview.

#include <benchmark/benchmark.h>

#include "media/bitmap_expansion.h"
#include "media/collection_writer.h"

namespace {

// A sprite-like picture: a filled disc with stripes of transparency.
collection_bitmap disc_bitmap(int bits_per_pixel) {
    collection_bitmap picture;
    picture.width = 256;
    picture.height = 256;
    picture.bits_per_pixel = std::int16_t(bits_per_pixel);
    picture.run_encoded = true;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const int dx = x - 128, dy = y - 128;
            const bool inside = dx * dx + dy * dy < 120 * 120 && (x / 8) % 5 != 0;
            picture.pixels.push_back(inside ? std::uint16_t(1 + (x + y) % 255) : 0);
        }
    }
    return picture;
}

void expand(benchmark::State& state, int bits_per_pixel) {
    const std::vector<std::byte> data = *encode_collection_bitmap(disc_bitmap(bits_per_pixel));
    for (auto _ : state) {
        auto image = expand_bitmap(data);
        benchmark::DoNotOptimize(image);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(data.size()));
}

void BM_ExpandRunEncoded8Bit(benchmark::State& state) { expand(state, 8); }
void BM_ExpandRunEncoded16Bit(benchmark::State& state) { expand(state, 16); }

}  // namespace

BENCHMARK(BM_ExpandRunEncoded8Bit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExpandRunEncoded16Bit)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
