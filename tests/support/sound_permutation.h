#pragma once

// Sound permutations made up for tests: block-compressed 16-bit mono whose data
// bytes all hold one marker, so that where each permutation's data went can be
// seen in the bytes of a saved tag.

#include "definitions/sound_definitions.h"
#include "media/sound_tag.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace test_support {

inline sound_tag_permutation marked_permutation(const char* name, std::int32_t blocks, std::uint8_t marker,
                                                std::uint16_t skip_fraction, std::uint32_t sample_rate) {
    sound_tag_permutation permutation;
    std::strncpy(permutation.permutation.name, name, sizeof permutation.permutation.name - 1);
    permutation.permutation.skip_fraction = skip_fraction;
    definitions::sampled_sound_header& header = permutation.header;
    header.flags = definitions::sampled_sound_compressed;
    header.bits_per_sample = 16;
    header.sample_size_shift = 1;
    header.channels = 1;
    header.sample_rate = sample_rate << 16;
    header.count = blocks;
    permutation.data.assign(static_cast<std::size_t>(blocks) * sizeof(definitions::sound_block), std::byte(marker));
    return permutation;
}

}  // namespace test_support
