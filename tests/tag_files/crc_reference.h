#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace crc_reference {

// Bit at a time, straight from the polynomial: a yardstick independent of the
// table and folding code under test.
inline std::uint32_t bitwise_register(std::uint32_t crc_register, const unsigned char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        crc_register ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) crc_register = (crc_register >> 1) ^ ((crc_register & 1u) ? 0xEDB88320u : 0u);
    }
    return crc_register;
}

inline std::uint32_t bitwise_register(std::uint32_t crc_register, std::string_view bytes) {
    return bitwise_register(crc_register, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace crc_reference
