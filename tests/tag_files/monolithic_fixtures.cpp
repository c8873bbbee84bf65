#include "monolithic_fixtures.h"

#include "core/error_manager.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/tag_directory.h"

namespace monolithic_fixtures {

namespace {

void append_field(std::string& bytes, std::uint64_t value, int width) {
    bytes.resize(bytes.size() + static_cast<std::size_t>(width));
    put_field(bytes, bytes.size() - static_cast<std::size_t>(width), value, width);
}

void append_text(std::string& bytes, const std::string& text, std::size_t width) {
    std::string field = text.substr(0, width - 1);
    field.resize(width, '\0');
    bytes += field;
}

}  // namespace

void put_field(std::string& bytes, std::size_t position, std::uint64_t value, int width) {
    for (int index = 0; index < width; ++index) {
        bytes[position + static_cast<std::size_t>(index)] = static_cast<char>(value >> (8 * (width - 1 - index)));
    }
}

std::uint64_t get_field(const std::string& bytes, std::size_t position, int width) {
    std::uint64_t value = 0;
    for (int index = 0; index < width; ++index) {
        value = value << 8 | static_cast<unsigned char>(bytes[position + static_cast<std::size_t>(index)]);
    }
    return value;
}

std::size_t tag_header_position(const std::string& bytes, int index) {
    return 128 + 112 * get_field(bytes, 100, 2) + 64 * static_cast<std::size_t>(index);
}

std::string monolithic_bytes(const file_contents& contents) {
    const std::size_t data_start = 128 + 112 * contents.entry_points.size() + 64 * contents.tags.size();
    std::string entry_points;
    for (const entry_point& entry : contents.entry_points) {
        append_field(entry_points, entry.subgroup, 4);
        append_field(entry_points, 0, 8);
        append_field(entry_points, entry.user_data, 4);
        append_text(entry_points, entry.name, 32);
        append_text(entry_points, entry.description, 64);
    }
    std::string headers;
    std::string data;
    for (const tag_fixtures::monolithic_tag& tag : contents.tags) {
        append_field(headers, 0, 2);
        append_field(headers, 0, 1);
        append_field(headers, static_cast<std::uint64_t>(contents.type), 1);
        append_text(headers, tag.name, 32);
        append_field(headers, tag.group, 4);
        append_field(headers, tag.subgroup, 4);
        append_field(headers, data_start + data.size(), 4);
        append_field(headers, tag.data.size(), 4);
        append_field(headers, 0x12345678, 4);
        append_field(headers, 1, 2);
        append_field(headers, 2, 1);
        append_field(headers, 0, 1);
        append_field(headers, make_tag("klv2"), 4);
        data += tag.data;
    }
    std::string header;
    append_field(header, static_cast<std::uint16_t>(contents.type), 2);
    append_field(header, static_cast<std::uint16_t>(contents.plugin_flags), 2);
    append_text(header, "", 32);
    append_text(header, "example.org", 64);
    append_field(header, contents.entry_points.size(), 2);
    append_field(header, contents.tags.size(), 2);
    append_field(header, contents.checksum, 4);
    append_field(header, 0, 4);
    append_field(header, data_start + data.size(), 4);
    append_field(header, 0, 8);
    append_field(header, make_tag("dng2"), 4);
    return header + entry_points + headers + data;
}

void MonolithicTest::SetUp() {
    reset_monolithic_state();
    DirectoryTest::SetUp();
}

void MonolithicTest::restart() {
    tag_files_close();
    reset_monolithic_state();
    initialize_error_manager("tests");
    tag_files_initialize();
}

int MonolithicTest::occurrences_in_log(const std::string& text) const {
    const std::string log = log_text();
    int count = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
    return count;
}

void MonolithicTest::write_plugin(const std::string& name, const std::string& bytes) const {
    folder.write_file("plugins/" + name, bytes);
}

}  // namespace monolithic_fixtures
