// CRC-32 throughput of the monolithic-file checksum beside zlib's crc32 on the
// same buffer. zlib complements the register on entry and exit; the checksum
// register here is not complemented, so the two results are complements of each
// other, which the setup checks once.
#include "tag_files/crc32.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

std::vector<unsigned char> random_bytes(std::size_t size) {
    std::vector<unsigned char> bytes(size);
    std::mt19937 generator(12345);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(generator());
    return bytes;
}

void check_agreement(const std::vector<unsigned char>& bytes) {
    const std::uint32_t ours = crc32_update(crc32_initial_register, bytes.data(), bytes.size());
    const auto theirs = static_cast<std::uint32_t>(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
    if (ours != ~theirs) std::abort();
}

void tessary_crc32(benchmark::State& state) {
    const auto bytes = random_bytes(static_cast<std::size_t>(state.range(0)));
    check_agreement(bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32_update(crc32_initial_register, bytes.data(), bytes.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void tessary_crc32_tables_only(benchmark::State& state) {
    const auto bytes = random_bytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32_update_with_tables(crc32_initial_register, bytes.data(), bytes.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void zlib_crc32(benchmark::State& state) {
    const auto bytes = random_bytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

}  // namespace

BENCHMARK(tessary_crc32)->Arg(1024)->Arg(524288)->Arg(16 << 20);
BENCHMARK(tessary_crc32_tables_only)->Arg(1024)->Arg(524288)->Arg(16 << 20);
BENCHMARK(zlib_crc32)->Arg(1024)->Arg(524288)->Arg(16 << 20);

BENCHMARK_MAIN();
