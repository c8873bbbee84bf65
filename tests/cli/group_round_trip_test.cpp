// Every group with a field description, through the real program: new, list,
// info, and export/import as JSON giving back the very same bytes, for the
// default record and for arbitrary bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/tag_document.h"
#include "cli_runner.h"
#include "definitions/group_registry.h"
#include "tag_files/tag_groups.h"
#include "tag_files/tag_header.h"

namespace cli_test {
namespace {

std::vector<tag_code> described_groups() {
    std::vector<tag_code> groups;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (row.description && tag_group_get_definition(row.group_tag)) groups.push_back(row.group_tag);
    }
    return groups;
}

std::string code_of(tag_code group) {
    return {static_cast<char>(group >> 24), static_cast<char>(group >> 16), static_cast<char>(group >> 8),
            static_cast<char>(group)};
}

// Arbitrary bytes in file order, but with every element count within its array,
// as import demands.
std::vector<std::byte> arbitrary_bytes(const definitions::RecordDescription& description, std::size_t size,
                                       unsigned seed) {
    std::vector<std::byte> bytes(size);
    std::uint32_t state = seed * 2654435761u + 7;
    for (std::byte& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<std::byte>(state >> 16);
    }
    for (const definitions::FieldDescription& field : description.fields) {
        if (field.count_capacity < 0) continue;
        const auto count = static_cast<unsigned>(std::to_integer<unsigned>(bytes[field.offset + 1]) %
                                                 static_cast<unsigned>(field.count_capacity + 1));
        bytes[field.offset] = std::byte{0};
        bytes[field.offset + 1] = static_cast<std::byte>(count);
    }
    return bytes;
}

cli::Json parse(const std::string& text) {
    cli::json::ReadResult result = cli::json::read(text);
    EXPECT_TRUE(result.value) << result.error << "\n" << text;
    return result.value.value_or(cli::Json());
}

class GroupRoundTrip : public CliTest, public ::testing::WithParamInterface<tag_code> {
protected:
    // New font tags come from a font import, so the test lays one out itself.
    void create(tag_code group, const std::string& name) const {
        if (group != make_tag("font")) {
            ok({"new", code_of(group), name});
            return;
        }
        tag_header header{};
        std::strcpy(header.name, name.c_str());
        header.group_tag = group;
        header.subgroup_tag = make_tag('r', 'o', 'u', static_cast<char>(name.size()));
        header.offset = local_tag_data_offset;
        header.version = tag_group_get_version(group);
        header.destination = tag_group_get_definition(group)->default_destination;
        header.file_index = -1;
        header.signature = tag_header_signature;
        byte_swap_tag_headers(&header, 1);
        folder.write_file(std::string("local/") + tag_group_get_folder_name(group) + "/" + name,
                          std::string(reinterpret_cast<const char*>(&header), sizeof header));
    }
};

TEST_P(GroupRoundTrip, NewListInfoExportImport) {
    const tag_code group = GetParam();
    const std::string code = code_of(group);
    const std::string first = std::string(tag_group_get_folder_name(group)) + "/Round Trip";
    const std::string second = code + "/Copy";
    create(group, "Round Trip");
    create(group, "Copy");

    const cli::Json listed = parse(ok({"list", "--group", code, "--json"}));
    ASSERT_TRUE(listed.is_array());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].at("name"), "Copy");
    EXPECT_EQ(listed[1].at("file"),
              std::string("local/") + tag_group_get_folder_name(group) + "/Round Trip");

    const cli::Json info = parse(ok({"info", first, "--json"}));
    EXPECT_EQ(cli::json::number_text(info.at("version")), std::to_string(tag_group_get_version(group)));
    EXPECT_EQ(cli::json::number_text(info.at("destination")),
              std::to_string(tag_group_get_definition(group)->default_destination));
    EXPECT_EQ(info.at("file_type"), "local");
    const std::vector<std::byte> defaults = group == make_tag("mesh")
                                                ? std::vector<std::byte>(1024)
                                                : definitions::default_record_in_file_order(group);
    EXPECT_EQ(raw(first), defaults) << "new writes the default record in file order, a map an all-zero header";
    if (const auto user_data = cli::tag_user_data(group, defaults)) {
        EXPECT_EQ(cli::json::number_text(info.at("user_data")), std::to_string(*user_data));
    }

    // The default record through JSON.
    ok({"export", first, "-o", "first.json"});
    ok({"import", second, "first.json"});
    EXPECT_EQ(raw(second), raw(first));

    // Arbitrary bytes, with some after the record: every field kind must give
    // back exactly what it read.
    const definitions::RecordDescription* description = cli::tag_record_description(group);
    for (unsigned seed = 1; seed <= 3; ++seed) {
        const std::vector<std::byte> bytes =
            arbitrary_bytes(*description, description->size + seed * 3, seed + group);
        folder.write_file("arbitrary.bin", to_string(bytes));
        ok({"import", first, "arbitrary.bin", "--raw"});
        ASSERT_EQ(raw(first), bytes);
        ok({"export", first, "--json", "-o", "arbitrary.json"});
        ok({"import", second, "arbitrary.json", "--json"});
        EXPECT_EQ(raw(second), bytes) << parse(folder.read_file("arbitrary.json")).is_object();
        EXPECT_EQ(cli({"diff", first, second}).status, 0);
    }
}

std::string group_test_name(const ::testing::TestParamInfo<tag_code>& info) {
    std::string name = code_of(info.param);
    std::ranges::replace(name, '.', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(EveryDescribedGroup, GroupRoundTrip, ::testing::ValuesIn(described_groups()),
                         group_test_name);

}  // namespace
}  // namespace cli_test
