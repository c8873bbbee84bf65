#pragma once

#include "core/tag_code.h"
#include "editor/platform/scripted_services.h"
#include "support/working_folder.h"
#include "tag_files/tag_directory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace editor_test {

inline constexpr tag_code monsters = make_tag("mons");
inline constexpr tag_code sounds = make_tag("soun");
inline constexpr tag_code collection_references = make_tag("core");
inline constexpr tag_code ambient_sounds = make_tag("amso");
inline constexpr tag_code collections = make_tag(".256");
inline constexpr tag_code models = make_tag("mode");

// Bytes as stored: a 32-bit number big-endian.
std::vector<std::byte> big_endian_word(uint32_t value);
uint32_t read_big_endian_word(const std::byte* bytes);

// Each test runs in its own working folder with the tag directory open and
// every platform service scripted.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates a local tag holding `data` (file order) with the given version.
    tag_handle create_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data,
                          int16_t version);
    // The group's default record in file order as the tag's data.
    tag_handle create_default_tag(tag_code group, const std::string& name);
    std::vector<std::byte> tag_data(tag_code group, tag_code subgroup) const;

    test_support::WorkingFolder folder;
    platform::ScriptedServices services;
};

}  // namespace editor_test
