// Random bytes as the data of a sound tag: read as the tool reads it and as the
// form does (the derived fields ignored, and a repaired tag must then pass the
// tool's reading), every permutation decoded (the form's two ways of playing it must give the
// same samples), and what was read saved again, which must read back to the same
// bytes.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/sound_playback.h"
#include "media/sound_tag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span bytes(reinterpret_cast<const std::byte*>(data), size);
    const sound_tag_read_result repairable = read_sound_tag(bytes, derived_sound_fields::ignored);
    if (repairable.sound) {
        const auto repaired = write_sound_tag(*repairable.sound);
        if (!repaired || !read_sound_tag(*repaired).sound) __builtin_trap();
    }
    const sound_tag_read_result read = read_sound_tag(bytes);
    if (!read.sound) {
        if (read.problem.empty()) __builtin_trap();
        return 0;
    }
    if (read.sound->permutations.size() > std::size_t(MAXIMUM_EDITOR_PERMUTATIONS)) __builtin_trap();
    for (const sound_tag_permutation& permutation : read.sound->permutations) {
        const auto samples = decode_sound_permutation(permutation);
        if (samples && samples->size() > permutation.data.size() / 34 * 64) __builtin_trap();
        const auto direct = sound_playback_of(permutation, sound_playback_decoding::direct);
        const auto converted = sound_playback_of(permutation, sound_playback_decoding::conversion);
        if (direct.has_value() != converted.has_value()) __builtin_trap();
        if (direct && (direct->samples != converted->samples || direct->channels != converted->channels ||
                       direct->sample_rate != converted->sample_rate))
            __builtin_trap();
    }
    const auto written = write_sound_tag(*read.sound);
    if (!written || written->size() > size) __builtin_trap();
    const sound_tag_read_result again = read_sound_tag(*written);
    if (!again.sound || write_sound_tag(*again.sound) != written) __builtin_trap();
    return 0;
}
