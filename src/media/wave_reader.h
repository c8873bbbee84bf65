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

// A WAVE file whose samples stay on disk until asked for, a piece at a time,
// so that a file of any length is read in little memory.
class wave_file_reader {
public:
    wave_file_reader() = default;
    ~wave_file_reader();
    wave_file_reader(const wave_file_reader&) = delete;
    wave_file_reader& operator=(const wave_file_reader&) = delete;

    wave_problem open(const std::string& path);
    const wave_format& format() const { return format_; }
    std::int32_t data_size() const { return data_size_; }
    // count bytes of the "data" chunk from position; false when they are not all there.
    bool read_data(std::int64_t position, std::int64_t count, void* into) const;

private:
    int descriptor_ = -1;
    wave_format format_;
    std::int64_t data_offset_ = 0;
    std::int32_t data_size_ = 0;
};
wave_problem read_wave_bytes(std::span<const std::byte> bytes, wave_file& file);
