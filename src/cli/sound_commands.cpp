#include "cli/sound_commands.h"

#include <bit>
#include <charconv>
#include <cstdio>

#include "cli/command_error.h"
#include "cli/file_io.h"
#include "cli/game_text.h"
#include "cli/number_text.h"
#include "cli/session.h"
#include "cli/tag_creation.h"
#include "cli/tag_lookup.h"
#include "cli/text_table.h"
#include "cli/utf8_text.h"
#include "core/text.h"
#include "media/sound_block_codec.h"
#include "media/sound_import.h"
#include "media/sound_tag.h"
#include "media/wave_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

constexpr Scale fraction_scale{1, 65535};

TagPath sound_tag_path(const std::string& text) {
    const TagPath path = parse_tag_path(text);
    if (path.group != sound_group_tag) {
        throw CommandError("'" + text + "' is not a sound: give soun/NAME or sounds/NAME", exit_usage);
    }
    return path;
}

sound_tag load_sound(tag_handle handle) {
    sound_tag_read_result read = load_sound_tag(handle);
    if (!read.sound) throw CommandError(tag_path_text(handle) + " is not a readable sound: " + read.problem);
    return std::move(*read.sound);
}

// Samples per channel a permutation plays.
std::int64_t permutation_frames(const sound_tag_permutation& permutation) {
    const definitions::sampled_sound_header& header = permutation.header;
    if (header.channels < 1) return 0;
    if (header.flags & definitions::sampled_sound_compressed) return std::int64_t(header.count) / header.channels * 64;
    return header.count / header.channels;
}

std::string seconds_text(const sound_tag_permutation& permutation) {
    const std::uint32_t rate = sound_permutation_rate(permutation);
    char text[32];
    if (rate == 0) return "-";
    std::snprintf(text, sizeof text, "%.3f", double(permutation_frames(permutation)) / rate);
    return text;
}

}  // namespace

void store_sound(tag_handle& handle, const sound_tag& sound, Session& session) {
    const std::string target = tag_path_text(handle);
    if (!save_sound_tag(handle, sound)) {
        const std::string messages = session.take_messages();
        throw CommandError("could not write " + target + (messages.empty() ? "" : ":\n" + messages));
    }
    // As the form's save: the header follows the record.
    tag_info info;
    tag_get_info(handle, &info);
    const tag_info stored = info;
    info.user_data = std::uint32_t(definitions::sound_user_data(&sound.definition));
    info.version = tag_group_get_version(sound_group_tag);
    const bool header_written =
        (info.user_data == stored.user_data && info.version == stored.version) || tag_set_info(handle, &info);
    tag_file_close_local();
    if (!header_written) throw CommandError("wrote " + target + " but could not update its header");
}

namespace {

int run_import_sound(const ParsedCommand& command) {
    const TagPath path = sound_tag_path(command.arguments[0]);
    Session session(Access::writer);
    tag_handle handle = find_tag(path.group, path.name);
    sound_tag sound = handle == NONE ? new_sound_tag() : load_sound(handle);
    const std::size_t before = sound.permutations.size();
    // Every file is taken in memory first: any refusal leaves the tag untouched.
    for (std::size_t index = 1; index < command.arguments.size(); ++index) {
        const std::string& file = command.arguments[index];
        const sound_import_outcome outcome = import_sound_permutation_file(sound, file);
        if (!outcome.succeeded) {
            const std::string message = outcome.message.starts_with(file + ": ") ? outcome.message : file + ": " + outcome.message;
            const bool sentence = message.ends_with('.') || message.ends_with('!');
            throw CommandError(message + (sentence ? " Nothing was imported." : "; nothing was imported"));
        }
    }
    const bool created = handle == NONE;
    if (created) {
        handle = create_tag_from_default(path.group, path.name);
        if (handle == NONE) {
            throw CommandError("could not create " + tag_path_text(path.group, path.name) + ":\n" + session.take_messages());
        }
    }
    const std::string target = tag_path_text(handle);
    try {
        // The new tag's header takes its user data while the tag is small, so
        // that the samples are written once, not again with the header.
        if (created && !tag_set_user_data(handle, std::uint32_t(definitions::sound_user_data(&sound.definition)))) {
            throw CommandError("could not write " + target + ":\n" + session.take_messages());
        }
        store_sound(handle, sound, session);
    } catch (const CommandError&) {
        if (created) tag_file_delete(handle);
        throw;
    }
    session.report_warnings();
    std::printf("%s %s: %zu permutation%s added, %zu in all\n", created ? "created" : "changed", target.c_str(),
                sound.permutations.size() - before, sound.permutations.size() - before == 1 ? "" : "s",
                sound.permutations.size());
    return 0;
}

int parse_permutation(const std::string& text) {
    int index = -1;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (problem != std::errc() || end != text.data() + text.size() || index < 0) {
        throw CommandError("--permutation takes a permutation's number from 0, not '" + text + "'", exit_usage);
    }
    return index;
}

// Blocks per channel read from the tag and decoded at a time.
constexpr std::int64_t export_piece_frame_blocks = 2048;

// Decodes the permutation's blocks a piece at a time from the tag into the file.
void export_samples(tag_handle handle, std::int64_t sample_offset, const definitions::sampled_sound_header& header,
                    OutputFile& file) {
    const int channels = header.channels;
    const std::int64_t frame_blocks = header.count / channels;
    const std::int64_t block_bytes = sizeof(definitions::sound_block);
    std::vector<std::byte> blocks(std::size_t(std::min(frame_blocks, export_piece_frame_blocks) * channels * block_bytes));
    std::vector<std::int16_t> samples(std::size_t(decoded_sound_sample_count(
        std::min(frame_blocks, export_piece_frame_blocks) * channels, channels)));
    for (std::int64_t first = 0; first < frame_blocks; first += export_piece_frame_blocks) {
        const std::int64_t count = std::min(export_piece_frame_blocks, frame_blocks - first) * channels;
        if (!tag_file_read(handle, std::int32_t(sample_offset + first * channels * block_bytes),
                           std::int32_t(count * block_bytes), blocks.data())) {
            throw CommandError("could not read the samples of " + tag_path_text(handle));
        }
        decode_sound_blocks(blocks.data(), count, channels, sound_block_headers::stored, samples.data());
        static_assert(std::endian::native == std::endian::little, "WAVE samples are written as they are held");
        file.write(std::as_bytes(std::span(samples).first(std::size_t(decoded_sound_sample_count(count, channels)))));
    }
}

int run_export_sound(const ParsedCommand& command) {
    const TagPath path = sound_tag_path(command.arguments[0]);
    const std::optional<std::string> output = command.value("-o");
    if (!output) throw CommandError("export-sound needs -o FILE.wav", exit_usage);
    const int index = parse_permutation(command.value("--permutation").value_or("0"));
    Session session(Access::read_only);
    const tag_handle handle = require_tag(path);
    // The samples stay in the tag: they are decoded a piece at a time.
    sound_tag_samples_left_in_tag layout = load_sound_tag_without_samples(handle);
    if (!layout.read.sound) {
        throw CommandError(tag_path_text(handle) + " is not a readable sound: " + layout.read.problem);
    }
    const sound_tag& sound = *layout.read.sound;
    const std::string source = tag_path_text(handle);
    if (sound.permutations.empty()) throw CommandError(source + " has no permutations");
    if (std::size_t(index) >= sound.permutations.size()) {
        throw CommandError(source + " has " + std::to_string(sound.permutations.size()) +
                           " permutations, numbered 0 to " + std::to_string(sound.permutations.size() - 1));
    }
    const sound_tag_permutation& permutation = sound.permutations[std::size_t(index)];
    const definitions::sampled_sound_header& header = permutation.header;
    if (!(header.flags & definitions::sampled_sound_compressed) || header.channels < 1 || header.channels > 2) {
        throw CommandError("permutation " + std::to_string(index) + " of " + source +
                           " is not block-compressed sound of one or two channels");
    }
    if (sound_permutation_rate(permutation) == 0) {
        throw CommandError("permutation " + std::to_string(index) + " of " + source +
                           " has a sample rate of 0 Hz: a WAVE file of it could not be played");
    }
    const auto wave_header = wave_file_header(std::uint64_t(decoded_sound_sample_count(header.count, header.channels)),
                                              header.channels, sound_permutation_rate(permutation));
    if (!wave_header) throw CommandError("permutation " + std::to_string(index) + " is too long for a WAVE file");
    if (*output == "-" && stdout_is_terminal()) {
        throw CommandError("refusing to write a WAVE file to a terminal; give -o FILE or redirect the output");
    }
    OutputFile file(*output);
    file.write(*wave_header);
    export_samples(handle, layout.sample_offsets[std::size_t(index)], header, file);
    tag_file_close_local();
    file.commit();
    if (*output != "-") {
        std::printf("wrote %s: permutation %d of %s, %d channel%s at %u Hz, %s s\n", output->c_str(), index,
                    source.c_str(), int(permutation.header.channels), permutation.header.channels == 1 ? "" : "s",
                    sound_permutation_rate(permutation), seconds_text(permutation).c_str());
    }
    return 0;
}

constexpr OptionSpec export_sound_options[] = {
    {"--permutation", "K", "the permutation's number, from 0 (default 0)"},
    {"-o", "FILE", "the WAVE file to write ('-': standard output)"},
};

}  // namespace

std::string sound_permutation_table(tag_handle handle) {
    const sound_tag sound = load_sound(handle);
    std::vector<std::vector<std::string>> rows = {{"#", "NAME", "CHANNELS", "RATE", "SECONDS", "DATA", "SKIP"}};
    for (std::size_t index = 0; index < sound.permutations.size(); ++index) {
        const sound_tag_permutation& permutation = sound.permutations[index];
        // Shown as the editor shows it; the JSON keeps the stored bytes.
        rows.push_back({std::to_string(index), game_text_to_utf8(bounded_text(permutation.permutation.name)).text,
                        std::to_string(permutation.header.channels), std::to_string(sound_permutation_rate(permutation)),
                        seconds_text(permutation), std::to_string(permutation.data.size()),
                        format_scaled(permutation.permutation.skip_fraction, fraction_scale)});
    }
    std::string text = "permutations: " + std::to_string(sound.permutations.size()) + "\n";
    if (sound.permutations.empty()) return text;
    return text + aligned_rows(rows, "  ");
}

Json sound_permutations_json(tag_handle handle) {
    const sound_tag sound = load_sound(handle);
    Json permutations = Json::array();
    for (const sound_tag_permutation& permutation : sound.permutations) {
        Json object = Json::object();
        object["name"] = bytes_to_text(bounded_text(permutation.permutation.name));
        object["channels"] = permutation.header.channels;
        object["rate"] = sound_permutation_rate(permutation);
        object["frames"] = permutation_frames(permutation);
        object["data_size"] = permutation.data.size();
        object["skip_fraction"] = json_number(format_scaled(permutation.permutation.skip_fraction, fraction_scale));
        permutations.push_back(object);
    }
    return permutations;
}

constinit const CommandDefinition import_sound_command{
    .name = "import-sound",
    .brief = "add WAVE files to a sound as permutations",
    .arguments = "soun/NAME FILE.wav...",
    .summary = "Append one permutation to a sound for each 16-bit PCM WAVE file (one or two channels), as the "
               "sound form's Add does: named after the file, compressed into blocks. The tag is made from the "
               "group's default record when it does not exist. At most 5 permutations; on any error nothing "
               "is written.",
    .options = {},
    .minimum_arguments = 2,
    .maximum_arguments = -1,
    .run = run_import_sound,
};

constinit const CommandDefinition export_sound_command{
    .name = "export-sound",
    .brief = "write a sound's permutation as a WAVE file",
    .arguments = "soun/NAME [--permutation K] -o FILE.wav",
    .summary = "Decode a permutation of a sound into a 16-bit PCM WAVE file at its sample rate.",
    .options = export_sound_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_export_sound,
};

}  // namespace cli
