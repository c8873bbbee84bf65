// Random bytes as a WAVE file: read, and appended to a sound as the form's Add
// does; a sound that took it must save, read back and decode.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/sound_import.h"
#include "media/sound_tag.h"
#include "media/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wave_file file;
    if (read_wave_bytes(std::span(reinterpret_cast<const std::byte*>(data), size), file) != wave_problem::none) {
        return 0;
    }
    if (file.data_size < 0 || std::size_t(file.data_size) > size || (file.data_size > 0 && !file.data)) {
        __builtin_trap();
    }
    const wave_format format = file.format;
    const std::int32_t data_size = file.data_size;
    sound_tag sound = new_sound_tag();
    if (!append_wave_permutation(sound, std::move(file), "fuzz.wav").succeeded) {
        if (!sound.permutations.empty()) __builtin_trap();
        return 0;
    }
    const std::int64_t frames = data_size / 2 / format.channels;
    const sound_tag_permutation& permutation = sound.permutations.at(0);
    if (permutation.header.count != (frames + 63) / 64 * format.channels ||
        sound_permutation_rate(permutation) != format.samples_per_second) {
        __builtin_trap();
    }
    const auto bytes = write_sound_tag(sound);
    if (!bytes) __builtin_trap();
    const sound_tag_read_result read = read_sound_tag(*bytes);
    if (!read.sound || read.sound->permutations.size() != 1) __builtin_trap();
    const auto samples = decode_sound_permutation(read.sound->permutations[0]);
    if (!samples || std::int64_t(samples->size()) < frames * format.channels) __builtin_trap();
    return 0;
}
