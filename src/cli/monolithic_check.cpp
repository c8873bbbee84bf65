#include "cli/monolithic_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/command_error.h"
#include "cli/utf8_text.h"
#include "core/text.h"
#include "tag_files/crc32.h"
#include "tag_files/tag_name.h"

namespace cli {

namespace {

constexpr std::size_t chunk_size = std::size_t{1} << 20;
constexpr std::size_t header_checksum_offset = offsetof(monolithic_header, header_checksum);

std::string hex32(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(value));
    return text;
}

std::uint32_t big_endian_word(std::span<const std::byte> bytes) {
    std::uint32_t value = 0;
    for (const std::byte byte : bytes.first(4)) value = (value << 8) | std::to_integer<std::uint32_t>(byte);
    return value;
}

// The problems of one tag header; none means valid.
std::vector<std::string> tag_header_problems(const tag_header& header, std::int64_t data_position,
                                             std::uint64_t file_size) {
    std::vector<std::string> problems;
    if (!std::memchr(header.name, 0, sizeof header.name)) {
        problems.push_back("its name is not terminated");
    } else {
        char name[tag_name_capacity + 1] = {};
        std::memcpy(name, header.name, sizeof header.name);
        sanitize_tag_name(name);
        if (std::memcmp(name, header.name, sizeof header.name) != 0) problems.push_back("its name is not a valid file name");
    }
    if (header.signature != tag_header_signature) problems.push_back("its signature is not klv2");
    if (header.size < 0 || header.size > maximum_monolithic_tag_size) {
        problems.push_back("its size " + std::to_string(header.size) + " is outside 0 to 12582912");
    }
    if (header.offset < data_position) {
        problems.push_back("its data offset " + std::to_string(header.offset) + " lies before the data section (" +
                           std::to_string(data_position) + ")");
    } else if (header.size >= 0 &&
               static_cast<std::uint64_t>(header.offset) + static_cast<std::uint64_t>(header.size) > file_size) {
        problems.push_back("its data (" + std::to_string(header.size) + " bytes at " + std::to_string(header.offset) +
                           ") runs past the end of the file");
    }
    return problems;
}

void check_data(const ByteSource& source, MonolithicInspection& inspection, const InspectionProgress& progress) {
    std::uint64_t total = 0;
    bool all_valid = true;
    for (const InspectedTag& tag : inspection.tags) {
        if (tag.valid) total += static_cast<std::uint64_t>(tag.header.size);
        all_valid = all_valid && tag.valid;
    }
    std::vector<std::byte> buffer(std::min<std::uint64_t>(chunk_size, std::max<std::uint64_t>(total, 1)));
    std::uint32_t checksum = crc32_initial_register;
    std::uint64_t done = 0;
    bool readable = true;
    for (std::size_t index = 0; index < inspection.tags.size(); ++index) {
        InspectedTag& tag = inspection.tags[index];
        if (!tag.valid) continue;
        std::uint32_t own = crc32_initial_register;
        for (std::uint64_t at = 0; at < static_cast<std::uint64_t>(tag.header.size);) {
            const std::size_t count =
                static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), static_cast<std::uint64_t>(tag.header.size) - at));
            const std::span<std::byte> chunk(buffer.data(), count);
            if (!source.read(static_cast<std::uint64_t>(tag.header.offset) + at, chunk)) {
                inspection.problems.push_back("tag " + std::to_string(index) + ": its data cannot be read");
                tag.valid = false;
                readable = false;
                break;
            }
            own = crc32_update(own, chunk.data(), chunk.size());
            checksum = crc32_update(checksum, chunk.data(), chunk.size());
            at += count;
            done += count;
            if (progress) progress(done, total);
        }
        tag.data_checksum = own;
    }
    if (!all_valid || !readable) {
        inspection.problems.push_back("data checksum not checked: some tags are not valid");
    } else if (checksum != inspection.header.checksum) {
        inspection.problems.push_back("data checksum is " + hex32(checksum) + " but the header gives " +
                                      hex32(inspection.header.checksum));
    }
}

}  // namespace

bool MemorySource::read(std::uint64_t position, std::span<std::byte> buffer) const {
    if (position > bytes_.size() || buffer.size() > bytes_.size() - position) return false;
    std::memcpy(buffer.data(), bytes_.data() + position, buffer.size());
    return true;
}

FileSource::FileSource(const std::string& path) : descriptor_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), size_(0) {
    struct stat status {};
    if (descriptor_ < 0 || ::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
        const std::string reason = descriptor_ < 0 ? std::strerror(errno) : "not a regular file";
        if (descriptor_ >= 0) ::close(descriptor_);
        throw CommandError("cannot open '" + path + "': " + reason);
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

FileSource::~FileSource() { ::close(descriptor_); }

bool FileSource::read(std::uint64_t position, std::span<std::byte> buffer) const {
    while (!buffer.empty()) {
        const ssize_t count = ::pread(descriptor_, buffer.data(), buffer.size(), static_cast<off_t>(position));
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        buffer = buffer.subspan(static_cast<std::size_t>(count));
        position += static_cast<std::uint64_t>(count);
    }
    return true;
}

bool looks_monolithic(const ByteSource& source) {
    std::byte signature[4];
    return source.size() >= monolithic_header_size && source.read(124, signature) &&
           big_endian_word(signature) == monolithic_signature;
}

MonolithicInspection inspect_monolithic(const ByteSource& source, const InspectionProgress& progress) {
    MonolithicInspection inspection;
    const std::uint64_t file_size = source.size();
    std::byte stored[monolithic_header_size];
    if (file_size < monolithic_header_size || !source.read(0, stored)) {
        inspection.problems.push_back("too short for a monolithic header (" + std::to_string(file_size) + " bytes)");
        return inspection;
    }
    inspection.has_header = true;
    const std::uint32_t stored_header_checksum = big_endian_word(std::span(stored).subspan(header_checksum_offset));
    std::memset(stored + header_checksum_offset, 0, 4);
    const std::uint32_t header_checksum = crc32_update(crc32_initial_register, stored, sizeof stored);
    std::memcpy(&inspection.header, stored, sizeof stored);
    byte_swap_monolithic_header(inspection.header);
    inspection.header.header_checksum = stored_header_checksum;
    const monolithic_header& header = inspection.header;
    std::vector<std::string>& problems = inspection.problems;

    if (header.signature != monolithic_signature) problems.push_back("signature is not dng2");
    if (header.type < monolithic_type_plugin || header.type > monolithic_type_foundation) {
        problems.push_back("type " + std::to_string(header.type) + " is not 1 (plugin), 2 (patch) or 3 (foundation)");
    }
    if (header_checksum != stored_header_checksum) {
        problems.push_back("header checksum is " + hex32(header_checksum) + " but the header gives " +
                           hex32(stored_header_checksum));
    }
    if (header.file_size < 0 || static_cast<std::uint64_t>(header.file_size) != file_size) {
        problems.push_back("header gives the file size " + std::to_string(header.file_size) + " but the file has " +
                           std::to_string(file_size) + " bytes");
    }
    if (header.tag_count < 0 || header.tag_count > maximum_monolithic_tag_count) {
        problems.push_back("tag count " + std::to_string(header.tag_count) + " is outside 0 to 9999");
        return inspection;
    }
    if (header.entry_point_count < 0) {
        problems.push_back("entry point count " + std::to_string(header.entry_point_count) + " is negative");
        return inspection;
    }
    if (std::int64_t{stored_tag_header_size} * header.tag_count >= std::int64_t{header.file_size}) {
        problems.push_back("the tag headers do not fit in the file size the header gives");
    }
    const std::int64_t headers_position = monolithic_tag_headers_position(header.entry_point_count);
    const std::int64_t data_position = monolithic_data_position(header.entry_point_count, header.tag_count);
    if (static_cast<std::uint64_t>(data_position) > file_size) {
        problems.push_back("entry points and tag headers run past the end of the file");
        return inspection;
    }
    std::vector<tag_header> headers(static_cast<std::size_t>(header.tag_count));
    if (!headers.empty() && !source.read(static_cast<std::uint64_t>(headers_position),
                                         std::as_writable_bytes(std::span(headers)))) {
        problems.push_back("the tag headers cannot be read");
        return inspection;
    }
    byte_swap_tag_headers(headers.data(), static_cast<std::int32_t>(headers.size()));
    for (std::size_t index = 0; index < headers.size(); ++index) {
        InspectedTag tag{headers[index]};
        const std::vector<std::string> tag_problems = tag_header_problems(tag.header, data_position, file_size);
        tag.valid = tag_problems.empty();
        for (const std::string& problem : tag_problems) {
            problems.push_back("tag " + std::to_string(index) + " '" + std::string(bounded_text(tag.header.name)) +
                               "': " + problem);
        }
        inspection.tags.push_back(tag);
    }
    check_data(source, inspection, progress);
    return inspection;
}

}  // namespace cli
