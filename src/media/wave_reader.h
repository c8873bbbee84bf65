#pragma once

// Reading Windows WAVE files: the "fmt " and "data" chunks of a RIFF form
// "WAVE". Other chunks are stepped over with their pad bytes. The bytes are
// untrusted: every chunk must lie inside the RIFF form, and the form inside
// the file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/memory.h"

struct wave_format {
    std::uint16_t format_tag = 0;
    std::int16_t channels = 0;
    std::uint32_t samples_per_second = 0;
    std::int16_t bits_per_sample = 0;
    // Integer PCM: format 1, or the extensible format with the PCM subformat.
    bool pcm = false;
};

struct memory_block_deleter {
    void operator()(void* block) const { dispose_pointer(block); }
};
// A buffer from allocate_memory.
using memory_block = std::unique_ptr<void, memory_block_deleter>;

struct wave_file {
    wave_format format;
    memory_block data;  // the "data" chunk, as stored (little-endian samples)
    std::int32_t data_size = 0;
};

enum class wave_problem {
    none,
    cannot_open,  // "error opening file!"
    not_wave,     // "not a valid WAVE file"
    bad_chunk,    // "error in WAVE file"
};

inline constexpr const char* wave_error_caption = "Error!";

const char* wave_problem_text(wave_problem problem);
// "%s: %s": the path and the problem's text.
std::string wave_error_message(const std::string& path, wave_problem problem);

wave_problem read_wave_file(const std::string& path, wave_file& file);
wave_problem read_wave_bytes(std::span<const std::byte> bytes, wave_file& file);
