#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/tag_code.h"
#include "support/working_folder.h"
#include "tag_files/tag_header.h"

namespace tag_fixtures {

inline constexpr tag_code monsters = make_tag("mons");
inline constexpr tag_code projectiles = make_tag("proj");
inline constexpr tag_code recordings = make_tag("reco");
inline constexpr tag_code string_lists = make_tag("stli");

// A valid header of a local tag (host order), data size 0.
tag_header local_header(tag_code group, tag_code subgroup);
// The bytes of a local tag file: the header in file order, then the data.
std::string local_tag_file(const tag_header& header, const std::string& data);
// Path below the working folder of a local tag file of the group.
std::string local_tag_path(tag_code group, const std::string& file_name);
// Deterministic bytes that differ from position to position.
std::string pattern(std::size_t size, unsigned seed);

struct monolithic_tag {
    std::string name;
    tag_code group;
    tag_code subgroup;
    std::string data;
};
// A monolithic file (file type 1 plugin, 2 patch, 3 foundation) holding the tags.
std::string monolithic_file(std::int16_t type, const std::vector<monolithic_tag>& tags);

// Every test of the directory runs in its own working folder with a fresh log.
class DirectoryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the directory as the editor does.
    bool open_directory();
    void write_local_tag(tag_code group, const std::string& file_name, const tag_header& header,
                         const std::string& data) const;
    std::string log_text() const;

    test_support::WorkingFolder folder;
};

}  // namespace tag_fixtures
