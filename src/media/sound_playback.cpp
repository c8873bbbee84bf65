#include "media/sound_playback.h"

#include <cstring>

#include "core/memory.h"
#include "definitions/sound_definitions.h"
#include "media/sound_intermediate.h"

namespace {

constexpr int playable_bits_per_sample = 16;

bool playable(const definitions::sampled_sound_header& header, std::size_t data_size) {
    return (header.flags & definitions::sampled_sound_compressed) && header.bits_per_sample == playable_bits_per_sample &&
           (header.channels == 1 || header.channels == 2) &&
           sampled_sound_data_size(header) == std::int64_t(data_size);
}

std::vector<std::int16_t> converted_samples(const sound_tag_permutation& permutation) {
    const definitions::sampled_sound_header& header = permutation.header;
    // The intermediate sound holds its block headers in host order.
    auto* blocks = static_cast<std::byte*>(allocate_memory(permutation.data.size()));
    if (!permutation.data.empty()) std::memcpy(blocks, permutation.data.data(), permutation.data.size());
    for (std::size_t at = 0; at + sizeof(definitions::sound_block) <= permutation.data.size();
         at += sizeof(definitions::sound_block)) {
        const auto stored = std::uint16_t(std::to_integer<unsigned>(blocks[at]) << 8 | std::to_integer<unsigned>(blocks[at + 1]));
        std::memcpy(blocks + at, &stored, sizeof stored);
    }
    intermediate_sound* sound = new_intermediate_sound();
    set_intermediate_sound_format(sound, SOUND_ENCODING_BLOCK, header.count / header.channels, header.bits_per_sample,
                                  std::int32_t(sound_permutation_rate(permutation)), header.channels);
    set_intermediate_sound_samples(sound, blocks);
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_NONE);
    const auto size = std::size_t(get_intermediate_sound_data_size(sound));
    std::vector<std::int16_t> samples(size / sizeof(std::int16_t));
    if (!samples.empty()) std::memcpy(samples.data(), get_intermediate_sound_samples(sound), size);
    dispose_intermediate_sound(sound);
    return samples;
}

}  // namespace

std::optional<sound_playback> sound_playback_of(const sound_tag_permutation& permutation,
                                                sound_playback_decoding decoding) {
    if (!playable(permutation.header, permutation.data.size())) return std::nullopt;
    sound_playback playback;
    playback.channels = permutation.header.channels;
    playback.sample_rate = int(sound_permutation_rate(permutation));
    if (decoding == sound_playback_decoding::conversion) {
        playback.samples = converted_samples(permutation);
    } else {
        std::optional<std::vector<std::int16_t>> decoded = decode_sound_permutation(permutation);
        if (!decoded) return std::nullopt;
        playback.samples = std::move(*decoded);
    }
    return playback;
}
