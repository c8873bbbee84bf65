// Random bytes as a WAVE file: read, and when they hold 16-bit PCM of one or
// two channels, compressed into blocks and decoded again.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/sound_intermediate.h"
#include "media/wave_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wave_file file;
    if (read_wave_bytes(std::span(reinterpret_cast<const std::byte*>(data), size), file) != wave_problem::none) {
        return 0;
    }
    if (file.data_size < 0 || std::size_t(file.data_size) > size || (file.data_size > 0 && !file.data)) {
        __builtin_trap();
    }
    const int channels = file.format.channels;
    if (!file.format.pcm || file.format.bits_per_sample != 16 || channels < 1 || channels > 2) {
        return 0;
    }
    const std::int32_t frames = file.data_size / 2 / channels;
    intermediate_sound* sound = new_intermediate_sound();
    set_intermediate_sound_format(sound, SOUND_ENCODING_NONE, frames, 16, 22050, std::int16_t(channels));
    set_intermediate_sound_samples(sound, file.data.release());
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_BLOCK);
    if (sound->encoding != SOUND_ENCODING_BLOCK || sound->frames != (frames + 63) / 64) {
        __builtin_trap();
    }
    convert_intermediate_sound_encoding(sound, SOUND_ENCODING_NONE);
    if (get_intermediate_sound_data_size(sound) != std::int64_t(channels) * ((frames + 63) / 64) * 64 * 2) {
        __builtin_trap();
    }
    dispose_intermediate_sound(sound);
    return 0;
}
