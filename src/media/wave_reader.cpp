#include "media/wave_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr std::int64_t chunk_header_size = 8;
constexpr std::int64_t pcm_format_size = 16;
constexpr std::int64_t extensible_format_size = 40;
constexpr std::uint16_t wave_format_pcm = 1;
constexpr std::uint16_t wave_format_extensible = 0xFFFE;
constexpr std::array<std::uint8_t, 16> pcm_subformat = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                                        0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// Reads count bytes at offset; false when they are not all there.
using byte_reader = std::function<bool(std::int64_t offset, std::int64_t count, void* into)>;

struct chunk {
    std::int64_t content;  // offset of the first byte after the header
    std::int64_t size;
};

std::uint32_t little_endian(const std::uint8_t* bytes, int width) {
    std::uint32_t value = 0;
    for (int index = width - 1; index >= 0; --index) {
        value = (value << 8) | bytes[index];
    }
    return value;
}

bool read_chunk_header(const byte_reader& read, std::int64_t offset, char id[4], std::int64_t& size) {
    std::uint8_t header[chunk_header_size];
    if (!read(offset, chunk_header_size, header)) {
        return false;
    }
    std::memcpy(id, header, 4);
    size = little_endian(header + 4, 4);
    return true;
}

// The content of the first RIFF chunk of form "WAVE" among the file's top-level
// chunks. A form that claims more than the file holds is taken as ending with
// the file: its chunks are then checked one by one.
bool find_wave_form(const byte_reader& read, std::int64_t file_size, chunk& form) {
    std::int64_t offset = 0;
    while (offset + chunk_header_size + 4 <= file_size) {
        char id[4];
        std::int64_t size;
        char form_type[4];
        if (!read_chunk_header(read, offset, id, size) || !read(offset + chunk_header_size, 4, form_type)) {
            return false;
        }
        if (std::memcmp(id, "RIFF", 4) == 0 && std::memcmp(form_type, "WAVE", 4) == 0 && size >= 4) {
            form.content = offset + chunk_header_size + 4;
            form.size = std::min(size - 4, file_size - form.content);
            return true;
        }
        offset += chunk_header_size + size + (size & 1);
    }
    return false;
}

// The first chunk with that id inside the form; false when there is none or it
// runs past the form's end.
bool find_chunk(const byte_reader& read, const chunk& form, const char* wanted, chunk& found) {
    const std::int64_t end = form.content + form.size;
    std::int64_t offset = form.content;
    while (offset + chunk_header_size <= end) {
        char id[4];
        std::int64_t size;
        if (!read_chunk_header(read, offset, id, size)) {
            return false;
        }
        const std::int64_t content = offset + chunk_header_size;
        if (std::memcmp(id, wanted, 4) == 0) {
            if (size > end - content) {
                return false;
            }
            found = {content, size};
            return true;
        }
        offset = content + size + (size & 1);
    }
    return false;
}

wave_format parse_format(const std::uint8_t* bytes, std::int64_t size) {
    wave_format format;
    format.format_tag = std::uint16_t(little_endian(bytes, 2));
    format.channels = std::int16_t(little_endian(bytes + 2, 2));
    format.samples_per_second = little_endian(bytes + 4, 4);
    format.bits_per_sample = std::int16_t(little_endian(bytes + 14, 2));
    format.pcm = format.format_tag == wave_format_pcm ||
                 (format.format_tag == wave_format_extensible && size >= extensible_format_size &&
                  std::memcmp(bytes + 24, pcm_subformat.data(), pcm_subformat.size()) == 0);
    return format;
}

// The format and where the samples lie.
wave_problem locate_wave(const byte_reader& read, std::int64_t file_size, wave_format& format, chunk& data_chunk) {
    chunk form{};
    if (!find_wave_form(read, file_size, form)) {
        return wave_problem::not_wave;
    }
    chunk format_chunk{};
    std::uint8_t format_bytes[extensible_format_size] = {};
    if (!find_chunk(read, form, "fmt ", format_chunk) || format_chunk.size < pcm_format_size ||
        !read(format_chunk.content, std::min(format_chunk.size, extensible_format_size), format_bytes)) {
        return wave_problem::bad_chunk;
    }
    if (!find_chunk(read, form, "data", data_chunk) || data_chunk.size > std::numeric_limits<std::int32_t>::max()) {
        return wave_problem::bad_chunk;
    }
    format = parse_format(format_bytes, format_chunk.size);
    return wave_problem::none;
}

wave_problem read_wave(const byte_reader& read, std::int64_t file_size, wave_file& file) {
    wave_format format;
    chunk data_chunk{};
    if (const wave_problem problem = locate_wave(read, file_size, format, data_chunk); problem != wave_problem::none) {
        return problem;
    }
    memory_block data(allocate_memory(std::size_t(data_chunk.size)));
    if ((!data && data_chunk.size > 0) || !read(data_chunk.content, data_chunk.size, data.get())) {
        return wave_problem::bad_chunk;
    }
    file.format = format;
    file.data = std::move(data);
    file.data_size = std::int32_t(data_chunk.size);
    return wave_problem::none;
}

bool read_descriptor(int descriptor, std::int64_t offset, std::int64_t count, void* into) {
    auto* bytes = static_cast<std::byte*>(into);
    while (count > 0) {
        const ssize_t done = ::pread(descriptor, bytes, std::size_t(count), off_t(offset));
        if (done <= 0) {
            return false;
        }
        bytes += done;
        offset += done;
        count -= done;
    }
    return true;
}

}  // namespace

const char* wave_problem_text(wave_problem problem) {
    switch (problem) {
        case wave_problem::none: break;
        case wave_problem::cannot_open: return "error opening file!";
        case wave_problem::not_wave: return "not a valid WAVE file";
        case wave_problem::bad_chunk: return "error in WAVE file";
    }
    return "";
}

std::string wave_error_message(const std::string& path, wave_problem problem) {
    return path + ": " + wave_problem_text(problem);
}

wave_problem read_wave_bytes(std::span<const std::byte> bytes, wave_file& file) {
    const auto size = std::int64_t(bytes.size());
    const byte_reader read = [&](std::int64_t offset, std::int64_t count, void* into) {
        if (offset < 0 || count < 0 || offset > size || count > size - offset) {
            return false;
        }
        if (count > 0) {
            std::memcpy(into, bytes.data() + offset, std::size_t(count));
        }
        return true;
    };
    return read_wave(read, size, file);
}

namespace {

// The file's size when it is a regular file.
std::optional<std::int64_t> regular_file_size(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
    return std::int64_t(status.st_size);
}

byte_reader descriptor_reader(int descriptor, std::int64_t size) {
    return [descriptor, size](std::int64_t offset, std::int64_t count, void* into) {
        return offset >= 0 && count >= 0 && offset <= size && count <= size - offset &&
               read_descriptor(descriptor, offset, count, into);
    };
}

}  // namespace

wave_problem read_wave_file(const std::string& path, wave_file& file) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return wave_problem::cannot_open;
    }
    const std::optional<std::int64_t> size = regular_file_size(descriptor);
    const wave_problem problem = size ? read_wave(descriptor_reader(descriptor, *size), *size, file)
                                      : wave_problem::cannot_open;
    ::close(descriptor);
    return problem;
}

wave_file_reader::~wave_file_reader() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

wave_problem wave_file_reader::open(const std::string& path) {
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0) {
        return wave_problem::cannot_open;
    }
    const std::optional<std::int64_t> size = regular_file_size(descriptor_);
    if (!size) return wave_problem::cannot_open;
    chunk data_chunk{};
    const wave_problem problem = locate_wave(descriptor_reader(descriptor_, *size), *size, format_, data_chunk);
    data_offset_ = data_chunk.content;
    data_size_ = std::int32_t(data_chunk.size);
    return problem;
}

bool wave_file_reader::read_data(std::int64_t position, std::int64_t count, void* into) const {
    return position >= 0 && count >= 0 && position <= data_size_ && count <= data_size_ - position &&
           read_descriptor(descriptor_, data_offset_ + position, count, into);
}
