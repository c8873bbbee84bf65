#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/byte_swap.h"

namespace {

// A 1024-byte record shaped like the larger group definitions: scalar fields,
// names, arrays of sub-records, a nested array and a long run of words.
constexpr int16_t record_codes[] = {
    -100, 1,
    -4, -4, -2, -2, 32, -2, -2, -4, 16,
    -100, 16, -2, -2, -4, 8, -101,
    -100, 4, -4, -4, -2, -2, 1, 1, 2, -101,
    -100, 8, -100, 4, -2, -101, -4, -4, -101,
    64,
    -100, 100, -4, -101,
    -2, -2, -2, -2, -2, -2, -2, -2, -2, -2,
    24,
    -101};
constexpr int32_t record_size = 1024;

void byte_swap_record(benchmark::State& state) {
    if (byte_swap_measure(record_codes).bytes_covered != record_size) {
        state.SkipWithError("the codes do not cover the record");
        return;
    }
    std::vector<uint8_t> record(record_size, 0x5A);
    for (auto _ : state) {
        byte_swap_data("benchmark_record", record.data(), record_size, 1, record_codes);
        benchmark::DoNotOptimize(record.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * record_size);
}
BENCHMARK(byte_swap_record);

}  // namespace

BENCHMARK_MAIN();
