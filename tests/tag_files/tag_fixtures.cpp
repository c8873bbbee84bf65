#include "tag_fixtures.h"

#include "core/error_manager.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_groups.h"

namespace tag_fixtures {

namespace {

void put_big_endian(std::string& bytes, std::uint64_t value, int width) {
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) bytes.push_back(static_cast<char>(value >> shift));
}

void put_text(std::string& bytes, const std::string& text, std::size_t width) {
    std::string field = text.substr(0, width - 1);
    field.resize(width, '\0');
    bytes += field;
}

}  // namespace

tag_header local_header(tag_code group, tag_code subgroup) {
    tag_header header{};
    header.group_tag = group;
    header.subgroup_tag = subgroup;
    header.offset = local_tag_data_offset;
    header.version = 1;
    header.destination = 0;
    header.file_index = -1;
    header.signature = tag_header_signature;
    return header;
}

std::string local_tag_file(const tag_header& header, const std::string& data) {
    tag_header stored = header;
    byte_swap_tag_headers(&stored, 1);
    return std::string(reinterpret_cast<const char*>(&stored), sizeof stored) + data;
}

std::string local_tag_path(tag_code group, const std::string& file_name) {
    const group_definition* definition = tag_group_get_definition(group);
    const std::string folder = definition->flags & group_flag_outside_local
                                   ? std::string(definition->folder_name)
                                   : std::string("local/") + definition->folder_name;
    return folder + "/" + file_name;
}

std::string pattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

std::string monolithic_file(std::int16_t type, const std::vector<monolithic_tag>& tags) {
    const std::int64_t data_start = 128 + 64 * static_cast<std::int64_t>(tags.size());
    std::string headers;
    std::string data;
    for (const monolithic_tag& tag : tags) {
        put_big_endian(headers, 0, 2);                // identifier
        put_big_endian(headers, 0, 1);                // flags
        put_big_endian(headers, std::uint64_t(type), 1);
        put_text(headers, tag.name, 32);
        put_big_endian(headers, tag.group, 4);
        put_big_endian(headers, tag.subgroup, 4);
        put_big_endian(headers, std::uint64_t(data_start + std::int64_t(data.size())), 4);
        put_big_endian(headers, tag.data.size(), 4);
        put_big_endian(headers, 0x12345678, 4);       // user_data
        put_big_endian(headers, 1, 2);                // version
        put_big_endian(headers, 2, 1);                // destination
        put_big_endian(headers, 0, 1);                // file_index
        put_big_endian(headers, tag_header_signature, 4);
        data += tag.data;
    }
    std::string header;
    put_big_endian(header, std::uint64_t(type), 2);
    put_big_endian(header, type == 3 ? 0 : 0xFFFF, 2);
    put_text(header, "", 32);
    put_text(header, "", 64);
    put_big_endian(header, 0, 2);                     // entry points
    put_big_endian(header, tags.size(), 2);
    put_big_endian(header, 0, 4);                     // checksum
    put_big_endian(header, 0, 4);                     // flags
    put_big_endian(header, std::uint64_t(data_start + std::int64_t(data.size())), 4);
    put_big_endian(header, 0, 4);                     // header checksum
    put_big_endian(header, 0, 4);                     // reserved
    put_big_endian(header, make_tag("dng2"), 4);
    return header + headers + data;
}

void DirectoryTest::SetUp() {
    initialize_error_manager("tests");
    tag_files_initialize();
}

void DirectoryTest::TearDown() { tag_files_close(); }

bool DirectoryTest::open_directory() { return tag_files_open(false, nullptr, 0, NONE); }

void DirectoryTest::write_local_tag(tag_code group, const std::string& file_name, const tag_header& header,
                                    const std::string& data) const {
    tag_header stored = header;
    stored.size = static_cast<std::int32_t>(data.size());
    folder.write_file(local_tag_path(group, file_name), local_tag_file(stored, data));
}

std::string DirectoryTest::log_text() const { return std::string(error_text()); }

}  // namespace tag_fixtures
