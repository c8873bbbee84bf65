#include "tag_files/crc32.h"

#include "crc_reference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using crc_reference::bitwise_register;

TEST(Crc32, KnownRegisters) {
    struct Case {
        std::string text;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"", 0xFFFFFFFFu},
        {"123456789", 0x340BC6D9u},
        {"a", ~0xE8B7BE43u},
        {std::string(64, '\0'), ~0x758D6336u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(crc32_update(crc32_initial_register, c.text.data(), c.text.size()), c.expected) << c.text.size();
        EXPECT_EQ(crc32_update_with_tables(crc32_initial_register, c.text.data(), c.text.size()), c.expected);
    }
}

TEST(Crc32, BothPathsMatchBitwiseAtEveryLengthAndAlignment) {
    std::vector<unsigned char> bytes(3000);
    std::mt19937 generator(7);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(generator());
    for (std::size_t offset = 0; offset < 4; ++offset)
        for (std::size_t size = 0; size + offset <= bytes.size(); size += (size < 300 ? 1 : 37)) {
            const std::uint32_t start = static_cast<std::uint32_t>(generator());
            const std::uint32_t expected = bitwise_register(start, bytes.data() + offset, size);
            ASSERT_EQ(crc32_update(start, bytes.data() + offset, size), expected) << size << " at " << offset;
            ASSERT_EQ(crc32_update_with_tables(start, bytes.data() + offset, size), expected) << size;
        }
}

TEST(Crc32, RegistersChainAcrossPieces) {
    std::vector<unsigned char> bytes(100000);
    std::mt19937 generator(11);
    for (auto& byte : bytes) byte = static_cast<unsigned char>(generator());
    const std::uint32_t whole = crc32_update(crc32_initial_register, bytes.data(), bytes.size());
    for (std::size_t split : {std::size_t{1}, std::size_t{63}, std::size_t{64}, std::size_t{4097}, std::size_t{99999}}) {
        std::uint32_t pieces = crc32_update(crc32_initial_register, bytes.data(), split);
        pieces = crc32_update(pieces, bytes.data() + split, bytes.size() - split);
        EXPECT_EQ(pieces, whole) << split;
    }
}

}  // namespace
