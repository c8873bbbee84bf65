#include "editor_fixture.h"

#include "definitions/group_registry.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace editor_test {

std::vector<std::byte> big_endian_word(uint32_t value) {
    return {std::byte(value >> 24), std::byte(value >> 16), std::byte(value >> 8), std::byte(value)};
}

uint32_t read_big_endian_word(const std::byte* bytes) {
    return (std::to_integer<uint32_t>(bytes[0]) << 24) | (std::to_integer<uint32_t>(bytes[1]) << 16) |
           (std::to_integer<uint32_t>(bytes[2]) << 8) | std::to_integer<uint32_t>(bytes[3]);
}

void EditorTest::SetUp() {
    tag_files_initialize();
    ASSERT_TRUE(tag_files_open(false, nullptr, 0, NONE));
}

void EditorTest::TearDown() { tag_files_close(); }

tag_handle EditorTest::create_tag(tag_code group, const std::string& name, const std::vector<std::byte>& data,
                                  int16_t version) {
    tag_handle handle = tag_file_create(group, name.c_str(), version);
    EXPECT_NE(handle, NONE) << name;
    if (!data.empty()) {
        EXPECT_TRUE(tag_file_write(handle, 0, static_cast<int32_t>(data.size()), data.data()));
    }
    tag_file_close_local();
    return handle;
}

tag_handle EditorTest::create_default_tag(tag_code group, const std::string& name) {
    return create_tag(group, name, definitions::default_record_in_file_order(group), tag_group_get_version(group));
}

std::vector<std::byte> EditorTest::tag_data(tag_code group, tag_code subgroup) const {
    const tag_handle handle = tag_find(group, subgroup);
    std::vector<std::byte> data(static_cast<size_t>(std::max(tag_get_size(handle), 0)));
    if (!data.empty()) {
        EXPECT_TRUE(tag_file_read(handle, 0, static_cast<int32_t>(data.size()), data.data()));
    }
    tag_file_close_local();
    return data;
}

}  // namespace editor_test
