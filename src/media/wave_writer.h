#pragma once

// Writing 16-bit PCM WAVE files: a 44-byte header ("RIFF" form "WAVE" with a
// 16-byte "fmt " chunk and the "data" chunk), then little-endian samples,
// channels interleaved.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The 44 bytes before the samples of a file of sample_count samples, or
// nothing when they do not fit a RIFF chunk.
std::optional<std::vector<std::byte>> wave_file_header(std::uint64_t sample_count, int channels,
                                                       std::uint32_t samples_per_second);
// The whole file, or nothing when the samples do not fit a RIFF chunk.
std::optional<std::vector<std::byte>> wave_file_bytes(std::span<const std::int16_t> samples, int channels,
                                                      std::uint32_t samples_per_second);
