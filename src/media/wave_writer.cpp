#include "media/wave_writer.h"

#include <limits>

namespace {

constexpr std::size_t header_size = 44;

void put(std::vector<std::byte>& bytes, std::uint32_t value, int width) {
    for (int index = 0; index < width; ++index) {
        bytes.push_back(std::byte((value >> (8 * index)) & 0xFF));
    }
}

void put_id(std::vector<std::byte>& bytes, const char* id) {
    for (int index = 0; index < 4; ++index) {
        bytes.push_back(std::byte(id[index]));
    }
}

}  // namespace

std::optional<std::vector<std::byte>> wave_file_header(std::uint64_t sample_count, int channels,
                                                       std::uint32_t samples_per_second) {
    const std::uint64_t data_size = sample_count * 2;
    if (channels < 1 || channels > 0xFFFF || data_size > std::numeric_limits<std::uint32_t>::max() - header_size) {
        return std::nullopt;
    }
    const std::uint32_t block_align = std::uint32_t(channels) * 2;
    std::vector<std::byte> bytes;
    bytes.reserve(header_size);
    put_id(bytes, "RIFF");
    put(bytes, std::uint32_t(header_size - 8 + data_size), 4);
    put_id(bytes, "WAVE");
    put_id(bytes, "fmt ");
    put(bytes, 16, 4);
    put(bytes, 1, 2);
    put(bytes, std::uint32_t(channels), 2);
    put(bytes, samples_per_second, 4);
    put(bytes, samples_per_second * block_align, 4);
    put(bytes, block_align, 2);
    put(bytes, 16, 2);
    put_id(bytes, "data");
    put(bytes, std::uint32_t(data_size), 4);
    return bytes;
}

std::optional<std::vector<std::byte>> wave_file_bytes(std::span<const std::int16_t> samples, int channels,
                                                      std::uint32_t samples_per_second) {
    std::optional<std::vector<std::byte>> bytes = wave_file_header(samples.size(), channels, samples_per_second);
    if (!bytes) return std::nullopt;
    bytes->reserve(header_size + samples.size() * 2);
    for (const std::int16_t sample : samples) {
        put(*bytes, std::uint16_t(sample), 2);
    }
    return bytes;
}
