#include "media/sound_import.h"

#include <cstdio>
#include <cstring>
#include <limits>

#include "core/character_translation.h"
#include "core/text.h"
#include "media/sound_intermediate.h"

namespace {

using definitions::sound_block;

constexpr std::uint32_t largest_sample_rate = 0xFFFF;  // the header holds whole samples per second in 16 bits

sound_import_outcome failure(std::string message, const char* caption, bool warning = false) {
    sound_import_outcome outcome;
    outcome.message = std::move(message);
    outcome.caption = caption;
    outcome.warning = warning;
    return outcome;
}

std::string formatted(const char* format, long long value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

sound_import_outcome full_sound() {
    return failure(formatted("A sound holds at most %lld permutations.", MAXIMUM_EDITOR_PERMUTATIONS),
                   sound_import_error_caption);
}

std::int64_t stored_sample_bytes(const sound_tag& sound) {
    std::int64_t total = 0;
    for (const sound_tag_permutation& permutation : sound.permutations) {
        total += std::int64_t(permutation.data.size()) + std::int64_t(sizeof permutation.permutation) +
                 std::int64_t(sizeof permutation.header);
    }
    return total;
}

}  // namespace

std::string permutation_name_from_path(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
    name = name.substr(0, name.find('.'));
    // Typed names reach the tag through the character translation; so does this.
    const std::string game = file_name_to_game_text(name);
    return game.substr(0, definitions::sound_permutation_name_capacity - 1);
}

sound_import_outcome append_wave_permutation(sound_tag& sound, wave_file file, const std::string& path) {
    if (sound.permutations.size() >= std::size_t(MAXIMUM_EDITOR_PERMUTATIONS)) {
        return full_sound();
    }
    const wave_format& format = file.format;
    if (!format.pcm || format.bits_per_sample != 16) {
        return failure("Only 16-bit wave files are supported", sound_import_error_caption);
    }
    if (format.channels < 1 || format.channels > 2) {
        return failure(formatted("We don't support %lld channel sounds.", format.channels), sound_import_error_caption,
                       true);
    }
    if (format.samples_per_second == 0 || format.samples_per_second > largest_sample_rate) {
        return failure(formatted("We don't support a sample rate of %lld Hz.", format.samples_per_second),
                       sound_import_error_caption);
    }
    const std::int32_t frames = file.data_size / (format.bits_per_sample / 8) / format.channels;
    if (frames == 0) {
        return failure(wave_error_message(path, wave_problem::bad_chunk), wave_error_caption);
    }
    const std::int64_t blocks = (std::int64_t(frames) + 63) / 64 * format.channels;
    if (stored_sample_bytes(sound) + blocks * std::int64_t(sizeof(sound_block)) + 128 >
        std::numeric_limits<std::int32_t>::max()) {
        return failure("The sound is too long to be held in a sound tag.", sound_import_error_caption);
    }

    intermediate_sound* sound_data = new_intermediate_sound();
    set_intermediate_sound_format(sound_data, SOUND_ENCODING_NONE, frames, format.bits_per_sample,
                                  std::int32_t(format.samples_per_second), format.channels);
    set_intermediate_sound_samples(sound_data, file.data.release());
    convert_intermediate_sound_encoding(sound_data, SOUND_ENCODING_BLOCK);

    sound_tag_permutation permutation;
    copy_text(permutation.permutation.name, permutation_name_from_path(path));
    definitions::sampled_sound_header& header = permutation.header;
    header.flags = definitions::sampled_sound_compressed;
    header.bits_per_sample = 16;
    header.sample_size_shift = std::int16_t(format.bits_per_sample / 8 - 1);
    header.channels = format.channels;
    header.sample_rate = format.samples_per_second << 16;
    header.count = std::int32_t(get_intermediate_sound_block_count(sound_data));
    const auto* compressed = static_cast<const std::byte*>(get_intermediate_sound_samples(sound_data));
    permutation.data.assign(compressed, compressed + get_intermediate_sound_data_size(sound_data));
    dispose_intermediate_sound(sound_data);
    // Blocks are stored with big-endian headers.
    for (std::size_t block = 0; block < permutation.data.size(); block += sizeof(sound_block)) {
        std::uint16_t value;
        std::memcpy(&value, permutation.data.data() + block, sizeof value);
        permutation.data[block] = std::byte(value >> 8);
        permutation.data[block + 1] = std::byte(value & 0xFF);
    }
    sound.permutations.push_back(std::move(permutation));
    sound_import_outcome outcome;
    outcome.succeeded = true;
    return outcome;
}

sound_import_outcome import_sound_permutation_file(sound_tag& sound, const std::string& path) {
    if (sound.permutations.size() >= std::size_t(MAXIMUM_EDITOR_PERMUTATIONS)) {
        return full_sound();
    }
    wave_file file;
    const wave_problem problem = read_wave_file(path, file);
    if (problem != wave_problem::none) {
        return failure(wave_error_message(path, problem), wave_error_caption);
    }
    return append_wave_permutation(sound, std::move(file), path);
}
