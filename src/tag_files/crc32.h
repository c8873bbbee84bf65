#pragma once

#include <cstddef>
#include <cstdint>

// The checksum register of monolithic files: reflected CRC-32 of the IEEE 802.3
// polynomial (0xEDB88320). The register starts at `crc32_initial_register` and is
// stored as it stands after the last byte, without the usual final complement, so
// "123456789" gives 0x340BC6D9. Registers chain: updating with A and then with B
// equals one update with A followed by B.

inline constexpr std::uint32_t crc32_initial_register = 0xFFFFFFFFu;

// Uses carry-less multiplication where the processor offers it, tables otherwise.
std::uint32_t crc32_update(std::uint32_t crc_register, const void* data, std::size_t size);

// The table-driven path alone (slicing by eight), for processors without
// carry-less multiplication; exposed so that both paths can be checked.
std::uint32_t crc32_update_with_tables(std::uint32_t crc_register, const void* data, std::size_t size);
