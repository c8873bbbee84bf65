#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monolithic_fixtures.h"
#include "tag_files/plugin_list.h"
#include "tag_files/plugin_table.h"

namespace {

using namespace monolithic_fixtures;

class PluginList : public MonolithicTest {
protected:
    // Plugins named with a two-digit number whose checksums are 0x100 + that
    // number, found by the scan in some order.
    void add_plugins(int count, const std::string& prefix = "Plugin ") {
        for (int number = 0; number < count; ++number) {
            file_contents contents;
            contents.checksum = 0x100u + static_cast<std::uint32_t>(number);
            write_plugin(prefix + (number < 10 ? "0" : "") + std::to_string(number), monolithic_bytes(contents));
        }
        restart();
    }

    static std::string entry(std::uint32_t checksum, const std::string& name, const std::string& url) {
        std::string bytes(4, '\0');
        put_field(bytes, 0, checksum, 4);
        return bytes + name + '\0' + url + '\0';
    }

    static std::string stream(std::uint16_t count, const std::string& entries) {
        std::string bytes(2, '\0');
        put_field(bytes, 0, count, 2);
        return bytes + entries;
    }
};

TEST_F(PluginList, EncodedListDecodesToTheSameRows) {
    add_plugins(3);
    const std::int16_t indexes[] = {2, 0};
    unsigned char buffer[plugin_list_stream_capacity];
    const std::int32_t length = encode_plugin_list(indexes, 2, buffer);
    plugin_info first;
    ASSERT_TRUE(get_plugin_info(2, &first));
    EXPECT_EQ(length, 2 + 2 * (4 + 10 + 12));
    EXPECT_EQ(get_field(std::string(reinterpret_cast<char*>(buffer), 2), 0, 2), 2u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer) + 6), first.name);

    std::int16_t decoded[plugin_list_maximum_count];
    std::int16_t count = -1;
    char missing[256] = "";
    ASSERT_TRUE(decode_plugin_list(decoded, &count, buffer, length, missing, sizeof missing));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(decoded[0], 2);
    EXPECT_EQ(decoded[1], 0);
    EXPECT_STREQ(missing, "");
}

TEST_F(PluginList, EncodingRefusesMoreThanSixteenOrAnOverlongStream) {
    add_plugins(17, std::string(29, 'n'));
    std::vector<std::int16_t> indexes(17);
    for (std::int16_t index = 0; index < 17; ++index) indexes[static_cast<std::size_t>(index)] = index;
    unsigned char buffer[plugin_list_stream_capacity];
    EXPECT_EQ(encode_plugin_list(indexes.data(), 17, buffer), 0);
    EXPECT_EQ(encode_plugin_list(indexes.data(), 11, buffer), 0) << "11 entries of 4 + 32 + 12 bytes exceed 512";
    EXPECT_EQ(encode_plugin_list(indexes.data(), 10, buffer), 2 + 10 * 48);
    const std::int16_t unknown[] = {40};
    EXPECT_EQ(encode_plugin_list(unknown, 1, buffer), 0);
}

TEST_F(PluginList, DecodingReportsMissingAndUnreadableEntries) {
    add_plugins(1);
    struct Case {
        const char* what;
        std::string bytes;
        bool result;
        std::int16_t found;
        std::string missing;
    };
    const std::string known = entry(0x100, "PLUGIN 00", "anything");
    const Case cases[] = {
        {"found ignoring case", stream(1, known), true, 1, ""},
        {"wrong checksum", stream(1, entry(0x999, "Plugin 0", "example.org")), false, 0,
         "Plugin 0 - http://example.org\r"},
        {"count 17 is not looked into", stream(17, known), false, 0, ""},
        {"negative count", stream(0xFFFF, known), false, 0, ""},
        {"over 512 bytes", stream(1, known + std::string(600, 'x')), false, 0, ""},
        {"too short for a count", std::string(1, '\0'), false, 0, ""},
        {"stream ends in a name", stream(2, known + entry(0x100, "Plu", "").substr(0, 6)), false, 1,
         "<unknown> - http://<unknown>\r"},
        {"name without its NUL within 32", stream(1, entry(1, std::string(32, 'a'), "u")), false, 0,
         "<unknown> - http://<unknown>\r"},
        {"url without its NUL within 64", stream(1, entry(1, "Name", std::string(64, 'u'))), false, 0,
         "Name - http://<unknown>\r"},
        {"count beyond the entries", stream(3, known), false, 1,
         "<unknown> - http://<unknown>\r<unknown> - http://<unknown>\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int16_t indexes[plugin_list_maximum_count];
        std::int16_t count = -1;
        char missing[512] = "";
        EXPECT_EQ(decode_plugin_list(indexes, &count, c.bytes.data(), static_cast<std::int32_t>(c.bytes.size()),
                                     missing, sizeof missing),
                  c.result);
        EXPECT_EQ(count, c.found);
        EXPECT_EQ(std::string(missing), c.missing);
    }
}

TEST_F(PluginList, MissingTextStaysWithinItsCapacity) {
    std::string entries;
    for (int index = 0; index < 16; ++index) entries += entry(7, std::string(31, 'n'), std::string(63, 'u'));
    const std::string bytes = stream(16, entries.substr(0, 510));
    std::int16_t indexes[plugin_list_maximum_count];
    std::int16_t count = 0;
    char missing[120];
    std::memset(missing, '#', sizeof missing);
    missing[0] = '\0';
    EXPECT_FALSE(decode_plugin_list(indexes, &count, bytes.data(), static_cast<std::int32_t>(bytes.size()), missing,
                                    sizeof missing));
    const std::string line = std::string(31, 'n') + " - http://" + std::string(63, 'u') + "\r";
    EXPECT_EQ(std::string(missing), line) << "a second line would not fit";
}

}  // namespace
