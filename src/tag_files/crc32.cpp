#include "tag_files/crc32.h"

#include <array>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr std::uint32_t polynomial = 0xEDB88320u;

using crc_tables = std::array<std::array<std::uint32_t, 256>, 8>;

// tables[k][b] is the register change of byte b followed by k zero bytes.
constexpr crc_tables make_tables() {
    crc_tables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t value = byte;
        for (int bit = 0; bit < 8; ++bit) value = (value >> 1) ^ ((value & 1u) ? polynomial : 0u);
        tables[0][byte] = value;
    }
    for (std::size_t k = 1; k < tables.size(); ++k)
        for (std::size_t byte = 0; byte < 256; ++byte) {
            const std::uint32_t previous = tables[k - 1][byte];
            tables[k][byte] = (previous >> 8) ^ tables[0][previous & 0xFFu];
        }
    return tables;
}

constexpr crc_tables tables = make_tables();

std::uint32_t load_little_endian_32(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

#if defined(__x86_64__)

// Folding with carry-less multiplication: four 128-bit lanes are folded forward
// 512 bits at a time, merged into one lane, folded to 64 bits and reduced to 32
// bits by a Barrett step. The constants are powers of x modulo the reflected
// polynomial for the respective fold distances.
#define CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

CLMUL_TARGET __m128i load(const unsigned char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }

// One lane moved forward by the distance the constants stand for, plus the next block.
CLMUL_TARGET __m128i fold(__m128i lane, __m128i constants, __m128i next) {
    const __m128i low = _mm_clmulepi64_si128(lane, constants, 0x00);
    const __m128i high = _mm_clmulepi64_si128(lane, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

CLMUL_TARGET std::uint32_t fold_with_clmul(std::uint32_t crc_register,
                                                                      const unsigned char* data,
                                                                      std::size_t size) {
    const __m128i fold_512 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    const __m128i fold_128 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
    const __m128i fold_64 = _mm_set_epi64x(0, 0x163cd6124);
    const __m128i barrett = _mm_set_epi64x(0x1F7011641, 0x1DB710641);
    const __m128i low_32 = _mm_set_epi32(0, 0, 0, -1);

    __m128i lane0 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(crc_register)));
    __m128i lane1 = load(data + 16);
    __m128i lane2 = load(data + 32);
    __m128i lane3 = load(data + 48);
    data += 64;
    size -= 64;
    while (size >= 64) {
        lane0 = fold(lane0, fold_512, load(data));
        lane1 = fold(lane1, fold_512, load(data + 16));
        lane2 = fold(lane2, fold_512, load(data + 32));
        lane3 = fold(lane3, fold_512, load(data + 48));
        data += 64;
        size -= 64;
    }
    __m128i lane = fold(lane0, fold_128, lane1);
    lane = fold(lane, fold_128, lane2);
    lane = fold(lane, fold_128, lane3);
    while (size >= 16) {
        lane = fold(lane, fold_128, load(data));
        data += 16;
        size -= 16;
    }

    lane = _mm_xor_si128(_mm_clmulepi64_si128(fold_128, lane, 0x01), _mm_srli_si128(lane, 8));
    lane = _mm_xor_si128(_mm_clmulepi64_si128(_mm_and_si128(lane, low_32), fold_64, 0x00), _mm_srli_si128(lane, 4));
    __m128i quotient = _mm_clmulepi64_si128(_mm_and_si128(lane, low_32), barrett, 0x10);
    quotient = _mm_clmulepi64_si128(_mm_and_si128(quotient, low_32), barrett, 0x00);
    const auto folded = static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(lane, quotient), 1));
    return crc32_update_with_tables(folded, data, size);
}

#undef CLMUL_TARGET

bool processor_has_clmul() {
    static const bool available = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return available;
}

#endif

}  // namespace

std::uint32_t crc32_update_with_tables(std::uint32_t crc_register, const void* data, std::size_t size) {
    auto bytes = static_cast<const unsigned char*>(data);
    while (size >= 8) {
        const std::uint32_t first = load_little_endian_32(bytes) ^ crc_register;
        const std::uint32_t second = load_little_endian_32(bytes + 4);
        crc_register = tables[7][first & 0xFFu] ^ tables[6][(first >> 8) & 0xFFu] ^
                       tables[5][(first >> 16) & 0xFFu] ^ tables[4][first >> 24] ^
                       tables[3][second & 0xFFu] ^ tables[2][(second >> 8) & 0xFFu] ^
                       tables[1][(second >> 16) & 0xFFu] ^ tables[0][second >> 24];
        bytes += 8;
        size -= 8;
    }
    while (size-- > 0) crc_register = (crc_register >> 8) ^ tables[0][(crc_register ^ *bytes++) & 0xFFu];
    return crc_register;
}

std::uint32_t crc32_update(std::uint32_t crc_register, const void* data, std::size_t size) {
#if defined(__x86_64__)
    if (size >= 64 && processor_has_clmul())
        return fold_with_clmul(crc_register, static_cast<const unsigned char*>(data), size);
#endif
    return crc32_update_with_tables(crc_register, data, size);
}
