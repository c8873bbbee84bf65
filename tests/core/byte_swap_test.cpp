#include "core/byte_swap.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

#include "core/error_manager.h"
#include "support/working_folder.h"

namespace {

std::vector<uint8_t> counting_bytes(std::size_t size) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), uint8_t{0});
    return bytes;
}

// What a correct conversion does, field by field, to a copy of the bytes.
std::vector<uint8_t> swapped_by_fields(std::vector<uint8_t> bytes, const std::vector<byte_swap_field>& fields,
                                       std::size_t record_size, std::size_t records) {
    for (std::size_t record = 0; record < records; ++record) {
        for (const byte_swap_field& field : fields) {
            if (!field.swapped) continue;
            uint8_t* start = bytes.data() + record * record_size + field.offset;
            std::reverse(start, start + field.width);
        }
    }
    return bytes;
}

TEST(ByteSwapDefinitions, CoverExactlyTheirSizeWithEveryCodeUsed) {
    for (const byte_swap_definition* definition :
         {&tag_header_definition, &tag_file_header_definition, &tag_file_entry_point_definition,
          &encoded_plugin_header_definition, &encoded_plugin_data_definition}) {
        const byte_swap_walk_result measured = byte_swap_measure(definition->codes);
        EXPECT_TRUE(measured.valid) << definition->name;
        EXPECT_EQ(measured.bytes_covered, definition->size) << definition->name;
        EXPECT_EQ(measured.codes_used, static_cast<int32_t>(definition->codes.size())) << definition->name;
    }
}

TEST(ByteSwapFields, ListsTheTagHeaderFieldsInStorageOrder) {
    const std::vector<byte_swap_field> fields = byte_swap_fields(tag_header_byte_swap_codes);
    const std::vector<std::array<int64_t, 3>> expected = {
        {0, 2, 1},  {2, 1, 0},  {3, 1, 0},  {4, 32, 0}, {36, 4, 1}, {40, 4, 1}, {44, 4, 1},
        {48, 4, 1}, {52, 4, 1}, {56, 2, 1}, {58, 1, 0}, {59, 1, 0}, {60, 4, 1}};
    ASSERT_EQ(fields.size(), expected.size());
    for (std::size_t index = 0; index < fields.size(); ++index) {
        EXPECT_EQ(fields[index].offset, expected[index][0]) << index;
        EXPECT_EQ(fields[index].width, expected[index][1]) << index;
        EXPECT_EQ(fields[index].swapped, expected[index][2] == 1) << index;
    }
}

TEST(ByteSwapData, ReversesTheTagHeaderFieldsAndLeavesTheNameAlone) {
    const std::vector<uint8_t> original = counting_bytes(64);
    std::vector<uint8_t> bytes = original;
    byte_swap_data(tag_header_definition, bytes.data());
    EXPECT_EQ(bytes, swapped_by_fields(original, byte_swap_fields(tag_header_byte_swap_codes), 64, 1));
    EXPECT_TRUE(std::equal(bytes.begin() + 4, bytes.begin() + 36, original.begin() + 4));
    EXPECT_EQ(bytes[36], 39);
    EXPECT_EQ(bytes[39], 36);
    byte_swap_data(tag_header_definition, bytes.data());
    EXPECT_EQ(bytes, original) << "a second conversion restores the bytes";
}

TEST(ByteSwapData, ConvertsConsecutiveRecordsAtElementSizeSteps) {
    const std::vector<uint8_t> original = counting_bytes(3 * 64);
    std::vector<uint8_t> bytes = original;
    byte_swap_data("tag_header", bytes.data(), 64, 3, tag_header_byte_swap_codes);
    EXPECT_EQ(bytes, swapped_by_fields(original, byte_swap_fields(tag_header_byte_swap_codes), 64, 3));

    // Codes covering 4 bytes of 6-byte records: the gaps stay as they were.
    const int16_t codes[] = {-100, 1, -4, -101};
    std::vector<uint8_t> records = counting_bytes(12);
    byte_swap_data("spaced", records.data(), 6, 2, codes);
    EXPECT_EQ(records, (std::vector<uint8_t>{3, 2, 1, 0, 4, 5, 9, 8, 7, 6, 10, 11}));
}

struct nested_case {
    std::vector<int16_t> codes;
    int64_t bytes_covered;
    int32_t codes_used;
};

void PrintTo(const nested_case& example, std::ostream* out) { *out << testing::PrintToString(example.codes); }

class NestedArrays : public testing::TestWithParam<nested_case> {};

TEST_P(NestedArrays, RunTheirCodesCountTimesInSuccession) {
    const nested_case& example = GetParam();
    const byte_swap_walk_result measured = byte_swap_measure(example.codes);
    EXPECT_TRUE(measured.valid);
    EXPECT_EQ(measured.bytes_covered, example.bytes_covered);
    EXPECT_EQ(measured.codes_used, example.codes_used);

    const std::vector<uint8_t> original = counting_bytes(static_cast<std::size_t>(example.bytes_covered));
    std::vector<uint8_t> bytes = original;
    byte_swap_data("nested", bytes.data(), static_cast<int32_t>(bytes.size()), 1, example.codes);
    for (std::size_t index = 0; index + 1 < bytes.size(); index += 2) {
        EXPECT_EQ(bytes[index], original[index + 1]) << index;
        EXPECT_EQ(bytes[index + 1], original[index]) << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, NestedArrays,
                         testing::Values(nested_case{{-100, 1, -100, 4, -2, -101, -101}, 8, 7},
                                         nested_case{{-100, 1, -100, 5, -100, 8, -2, -101, -101, -101}, 80, 10},
                                         nested_case{{-100, 1, -100, 31, -2, -101, -2, -101}, 64, 8},
                                         nested_case{{-100, 3, -2, -100, 2, -2, -101, -101}, 18, 8}));

TEST(ByteSwapData, DoesNothingWithoutDataOrRecords) {
    byte_swap_data("tag_header", nullptr, 64, 3, tag_header_byte_swap_codes);
    std::vector<uint8_t> bytes = counting_bytes(64);
    byte_swap_data("tag_header", bytes.data(), 64, 0, tag_header_byte_swap_codes);
    byte_swap_data("tag_header", bytes.data(), 64, -1, tag_header_byte_swap_codes);
    EXPECT_EQ(bytes, counting_bytes(64));
}

class MalformedCodes : public testing::TestWithParam<std::vector<int16_t>> {};

// The walk must stop: never loop without end, never touch the guard bytes after
// the 8-byte record, and report the fault once.
TEST_P(MalformedCodes, StopTheWalkWithinTheRecord) {
    const test_support::WorkingFolder folder;
    initialize_error_manager("tests");
    std::vector<uint8_t> bytes = counting_bytes(16);
    byte_swap_data("malformed", bytes.data(), 8, 2, GetParam());
    EXPECT_TRUE(std::equal(bytes.begin() + 8, bytes.end(), counting_bytes(16).begin() + 8));
    EXPECT_EQ(pending_error_kind(), error_warning);
    EXPECT_NE(error_text().find("malformed"), std::string_view::npos);
    clear_error();
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedCodes,
                         testing::Values(std::vector<int16_t>{-100, 1, -2, -3, -2, -101},
                                         std::vector<int16_t>{-100, 1, 0, -101},
                                         std::vector<int16_t>{-100, 1, -102, -101},
                                         std::vector<int16_t>{-100, 1, -100, 0, -2, -101, -101},
                                         std::vector<int16_t>{-100, 1, -100, -5, -2, -101, -101},
                                         std::vector<int16_t>{-100, 1, -2, -2},
                                         std::vector<int16_t>{-100, 1, -4, -4, -4, -101},
                                         std::vector<int16_t>{-100, 1, -100, 32767, -100, 32767, -2, -101,
                                                              -101, -101},
                                         std::vector<int16_t>{-100, 0, -2, -101},
                                         std::vector<int16_t>{-2, -101}));

TEST(ByteSwapMemory, ConvertsRunsOfOneCodeAtAnyCount) {
    for (const int32_t count : {1, 32767, 32768, 100000}) {
        std::vector<uint32_t> words(static_cast<std::size_t>(count) + 1, 0x11223344);
        byte_swap_memory("words", words.data(), count, -4);
        EXPECT_EQ(words.front(), 0x44332211u) << count;
        EXPECT_EQ(words[static_cast<std::size_t>(count) - 1], 0x44332211u) << count;
        EXPECT_EQ(words.back(), 0x11223344u) << count;

        std::vector<uint16_t> halves(static_cast<std::size_t>(count) + 1, 0x1122);
        byte_swap_memory("halves", halves.data(), count, -2);
        EXPECT_EQ(halves[static_cast<std::size_t>(count) - 1], 0x2211) << count;
        EXPECT_EQ(halves.back(), 0x1122) << count;

        std::vector<uint8_t> runs = counting_bytes(static_cast<std::size_t>(count) * 8);
        byte_swap_memory("runs", runs.data(), count, 8);
        EXPECT_EQ(runs, counting_bytes(runs.size())) << count;
    }
}

}  // namespace
