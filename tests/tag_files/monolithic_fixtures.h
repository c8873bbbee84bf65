#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tag_fixtures.h"

namespace monolithic_fixtures {

inline constexpr tag_code meshes = make_tag("mesh");

struct entry_point {
    tag_code subgroup;
    std::uint32_t user_data;
    std::string name;
    std::string description;
};

struct file_contents {
    std::int16_t type = 1;
    std::int16_t plugin_flags = -1;
    std::uint32_t checksum = 0;
    std::vector<entry_point> entry_points;
    std::vector<tag_fixtures::monolithic_tag> tags;
};

// The bytes of a well-formed monolithic file, laid out by hand.
std::string monolithic_bytes(const file_contents& contents);

// Big-endian fields of stored bytes.
void put_field(std::string& bytes, std::size_t position, std::uint64_t value, int width);
std::uint64_t get_field(const std::string& bytes, std::size_t position, int width);
// File position of a tag header in monolithic bytes.
std::size_t tag_header_position(const std::string& bytes, int index);

// Each test starts as a fresh program: no plugins known, a new working folder.
class MonolithicTest : public tag_fixtures::DirectoryTest {
protected:
    void SetUp() override;
    // Closes the directory and starts over as at the next program start, so the
    // plugins folder is scanned again.
    void restart();
    int occurrences_in_log(const std::string& text) const;
    void write_plugin(const std::string& name, const std::string& bytes) const;
};

}  // namespace monolithic_fixtures
