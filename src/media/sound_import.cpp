#include "media/sound_import.h"

#include <cstdio>
#include <algorithm>
#include <bit>
#include <functional>
#include <limits>
#include <optional>

#include "core/character_translation.h"
#include "core/text.h"
#include "media/sound_block_encoder.h"

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

namespace {

// Frames read and compressed at a time: a file of any length is imported in
// a few megabytes beside the compressed sound, in pieces long enough that
// starting the second channel's thread for each costs next to nothing.
constexpr std::int64_t piece_frames = std::int64_t{1} << 20;

// Reads `frames` frames from `first` into the buffer; false when they are not there.
using pcm_reader = std::function<bool(std::int64_t first, std::int64_t frames, std::int16_t* into)>;

// Why a WAVE file of this format and size cannot become a permutation of the
// sound, if it cannot; else its frames.
std::optional<sound_import_outcome> refusal(const sound_tag& sound, const wave_format& format, std::int32_t data_size,
                                            const std::string& path, std::int32_t& frames) {
    if (sound.permutations.size() >= std::size_t(MAXIMUM_EDITOR_PERMUTATIONS)) {
        return full_sound();
    }
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
    frames = data_size / (format.bits_per_sample / 8) / format.channels;
    if (frames == 0) {
        return failure(wave_error_message(path, wave_problem::bad_chunk), wave_error_caption);
    }
    const std::int64_t blocks = (std::int64_t(frames) + 63) / 64 * format.channels;
    if (stored_sample_bytes(sound) + blocks * std::int64_t(sizeof(sound_block)) + 128 >
        std::numeric_limits<std::int32_t>::max()) {
        return failure("The sound is too long to be held in a sound tag.", sound_import_error_caption);
    }
    return std::nullopt;
}

// Compresses the frames a piece at a time and appends them as a permutation
// named after the path.
sound_import_outcome append_permutation(sound_tag& sound, const wave_format& format, std::int32_t frames,
                                        const pcm_reader& read, const std::string& path) {
    const int channels = format.channels;
    std::vector<std::byte> blocks(std::size_t(sound_block_encoder::compressed_size(frames, channels)));
    std::vector<std::int16_t> piece(std::size_t(std::min<std::int64_t>(frames, piece_frames) * channels));
    sound_block_encoder encoder(channels, sound_block_headers::stored);
    std::size_t written = 0;
    for (std::int64_t first = 0; first < frames; first += piece_frames) {
        const std::int64_t count = std::min<std::int64_t>(piece_frames, frames - first);
        if (!read(first, count, piece.data())) {
            return failure(wave_error_message(path, wave_problem::bad_chunk), wave_error_caption);
        }
        written += encoder.encode(std::span(piece).first(std::size_t(count * channels)), blocks.data() + written);
    }
    encoder.finish(blocks.data() + written);

    sound_tag_permutation permutation;
    copy_text(permutation.permutation.name, permutation_name_from_path(path));
    definitions::sampled_sound_header& header = permutation.header;
    header.flags = definitions::sampled_sound_compressed;
    header.bits_per_sample = 16;
    header.sample_size_shift = std::int16_t(format.bits_per_sample / 8 - 1);
    header.channels = format.channels;
    header.sample_rate = format.samples_per_second << 16;
    header.count = std::int32_t(blocks.size() / sizeof(sound_block));
    permutation.data = shared_bytes(std::move(blocks));
    sound.permutations.push_back(std::move(permutation));
    sound_import_outcome outcome;
    outcome.succeeded = true;
    return outcome;
}

}  // namespace

sound_import_outcome append_wave_permutation(sound_tag& sound, wave_file file, const std::string& path) {
    std::int32_t frames = 0;
    if (auto refused = refusal(sound, file.format, file.data_size, path, frames)) return std::move(*refused);
    const auto* samples = static_cast<const std::int16_t*>(file.data.get());
    const int channels = file.format.channels;
    return append_permutation(
        sound, file.format, frames,
        [&](std::int64_t first, std::int64_t count, std::int16_t* into) {
            std::copy_n(samples + first * channels, count * channels, into);
            return true;
        },
        path);
}

sound_import_outcome import_sound_permutation_file(sound_tag& sound, const std::string& path) {
    if (sound.permutations.size() >= std::size_t(MAXIMUM_EDITOR_PERMUTATIONS)) {
        return full_sound();
    }
    wave_file_reader file;
    const wave_problem problem = file.open(path);
    if (problem != wave_problem::none) {
        return failure(wave_error_message(path, problem), wave_error_caption);
    }
    std::int32_t frames = 0;
    if (auto refused = refusal(sound, file.format(), file.data_size(), path, frames)) return std::move(*refused);
    static_assert(std::endian::native == std::endian::little, "WAVE samples are read as they are stored");
    const std::int64_t frame_bytes = std::int64_t(file.format().channels) * 2;
    return append_permutation(
        sound, file.format(), frames,
        [&](std::int64_t first, std::int64_t count, std::int16_t* into) {
            return file.read_data(first * frame_bytes, count * frame_bytes, into);
        },
        path);
}
