#include "cli/demo_command.h"

#include <cstdio>
#include <cstring>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "cli/command_error.h"
#include "cli/demo_collection.h"
#include "cli/session.h"
#include "cli/sound_commands.h"
#include "cli/tag_creation.h"
#include "cli/tag_document.h"
#include "cli/tag_lookup.h"
#include "core/byte_swap.h"
#include "definitions/collection_reference_definitions.h"
#include "definitions/group_registry.h"
#include "core/memory.h"
#include "media/collection_format.h"
#include "media/sound_import.h"
#include "media/sound_tag.h"
#include "tag_files/mesh_entry_point.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_editing.h"
#include "tag_files/tag_folders.h"
#include "tag_files/tag_groups.h"

namespace cli {

namespace {

constexpr const char* collection_name = "Demo Figure";
constexpr const char* demo_names[] = {"Alpha", "Beta", "Gamma"};
// A collection's user data says what may wear it: monsters and artifacts (2),
// projectiles (4), scenery (8); the pickers of those forms list only the
// collections whose user data says so.
constexpr std::uint32_t collection_usage = 2 | 4 | 8;
// The foundation file that holds the Alpha and Beta tags.
constexpr int demo_foundation_destination = 0;

void prepare_folder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path(folder);
    if (std::filesystem::exists(path, error)) {
        if (!std::filesystem::is_directory(path, error) || !std::filesystem::is_empty(path, error)) {
            throw CommandError("'" + folder + "' already exists and is not an empty folder");
        }
    } else if (!std::filesystem::create_directories(path, error)) {
        throw CommandError("cannot create '" + folder + "': " + error.message());
    }
    enter_working_folder(folder);
}

tag_handle write_collection_tag() {
    const std::optional<std::vector<std::byte>> data = write_collection(demo_collection());
    tag_handle handle = create_tag_from_default(collection_group_tag, collection_name);
    if (!data || handle == NONE ||
        !tag_replace_data(handle, data->data(), static_cast<std::int32_t>(data->size())) ||
        !tag_set_user_data(handle, collection_usage)) {
        throw CommandError("could not write the demo collection");
    }
    tag_file_close_local();
    return handle;
}

// Points every collection reference of the tag's record at the collection.
void refer_to_collection(tag_handle& handle, tag_code collection) {
    const tag_code group = tag_get_group(handle);
    const definitions::RecordDescription* description = tag_record_description(group);
    std::vector<std::byte> data = read_tag_data(handle);
    if (!description || data.size() < description->size) return;
    convert_tag_record(group, data, ByteOrder::host);
    bool changed = false;
    for (const definitions::FieldDescription& field : description->fields) {
        if (field.kind != definitions::FieldKind::tag_reference || field.reference_group != collection_group_tag) {
            continue;
        }
        for (std::uint32_t index = 0; index < field.count; ++index) {
            std::memcpy(data.data() + field.offset + index * 4, &collection, 4);
        }
        changed = true;
    }
    if (!changed) return;
    convert_tag_record(group, data, ByteOrder::file);
    const bool written = tag_replace_data(handle, data.data(), static_cast<std::int32_t>(data.size())) &&
                         tag_set_user_data(handle, tag_user_data(group, data).value_or(tag_get_user_data(handle)));
    tag_file_close_local();
    if (!written) throw CommandError("could not write " + tag_path_text(handle));
}

// Two colourings for a collection reference, one colour for each of the
// collection's hue changes: warm and cool.
void give_permutations(tag_handle& handle) {
    std::vector<std::byte> data = read_tag_data(handle);
    definitions::collection_reference reference{};
    if (data.size() < sizeof reference) return;
    std::memcpy(&reference, data.data(), sizeof reference);
    byte_swap_data("collection reference", &reference, sizeof reference, 1, definitions::collection_reference_codes);
    constexpr definitions::rgb_color warm{0xE000, 0x6000, 0x2000, 0}, cool{0x2000, 0x8000, 0xE000, 0};
    reference.permutation_count = 2;
    for (int index = 0; index < definitions::color_permutation_colors; ++index) {
        reference.permutations[0].colors[index] = warm;
        reference.permutations[1].colors[index] = cool;
    }
    byte_swap_data("collection reference", &reference, sizeof reference, 1, definitions::collection_reference_codes);
    std::memcpy(data.data(), &reference, sizeof reference);
    const bool written = tag_replace_data(handle, data.data(), static_cast<std::int32_t>(data.size()));
    tag_file_close_local();
    if (!written) throw CommandError("could not write " + tag_path_text(handle));
}

// Half a second of a falling tone in 16-bit mono PCM at 22050 Hz, so that the
// demo has a sound to play and export.
wave_file demo_tone() {
    constexpr int rate = 22050, frames = rate / 2;
    wave_file file;
    file.format = {.format_tag = 1, .channels = 1, .samples_per_second = rate, .bits_per_sample = 16, .pcm = true};
    file.data_size = frames * 2;
    file.data.reset(allocate_memory(std::size_t(file.data_size)));
    if (!file.data) throw CommandError("out of memory for the demo sound");
    auto* samples = static_cast<std::uint8_t*>(file.data.get());
    double phase = 0;
    for (int frame = 0; frame < frames; ++frame) {
        phase += 2 * std::numbers::pi * (660.0 - 220.0 * frame / frames) / rate;
        const auto sample = static_cast<std::int16_t>(std::lround(12000 * std::sin(phase) * (1.0 - double(frame) / frames)));
        samples[frame * 2] = std::uint8_t(std::uint16_t(sample) & 0xFF);
        samples[frame * 2 + 1] = std::uint8_t(std::uint16_t(sample) >> 8);
    }
    return file;
}

void give_tone(tag_handle& handle, Session& session) {
    sound_tag_read_result read = load_sound_tag(handle);
    if (!read.sound) throw CommandError("could not read " + tag_path_text(handle) + ": " + read.problem);
    const sound_import_outcome outcome = append_wave_permutation(*read.sound, demo_tone(), "tone.wav");
    if (!outcome.succeeded) throw CommandError("could not make the demo sound: " + outcome.message);
    store_sound(handle, *read.sound, session);
}

// A string list to read with `strings` and the text form: the demo's names, one a line.
void write_string_list() {
    constexpr std::string_view lines = "Alpha\rBeta\rGamma\r";
    tag_handle handle = create_tag_from_default(string_list_group_tag, demo_names[0]);
    const bool written = handle != NONE && tag_replace_data(handle, lines.data(), std::int32_t(lines.size()));
    tag_file_close_local();
    if (!written) throw CommandError("could not write the demo string list");
}

void write_foundation_file(const std::vector<tag_handle>& handles) {
    file_reference file;
    file_reference_initialize(file, working_folder_root);
    file_reference_append_folder(file, tags_folder_name);
    file_reference_set_name(file, foundation_file_names[demo_foundation_destination]);
    if (!write_monolithic_file(file, "", monolithic_type_foundation, 0, handles.data(),
                               static_cast<std::int32_t>(handles.size()))) {
        throw CommandError("could not write the demo foundation file");
    }
}

int run_demo(const ParsedCommand& command) {
    prepare_folder(command.arguments[0]);
    Session session(Access::writer);
    const tag_code collection = tag_get_subgroup(write_collection_tag());
    // A few tags of every group with a default record. Alpha and Beta also go
    // into a foundation file; then the local Alpha is changed, so it hides a
    // different copy, and the local Beta is deleted, so the foundation file's
    // copy shows.
    std::vector<tag_handle> alphas, betas, foundation;
    int local_count = 1;
    for (const definitions::TagGroupEntry& row : definitions::tag_group_registry()) {
        if (!row.default_definition || !tag_group_get_definition(row.group_tag)) continue;
        for (const char* name : demo_names) {
            tag_handle handle = create_tag_from_default(row.group_tag, name);
            if (handle == NONE) throw CommandError("could not create " + tag_path_text(row.group_tag, name));
            if (name != demo_names[0]) refer_to_collection(handle, collection);
            if (row.group_tag == make_tag("core")) give_permutations(handle);
            if (name == demo_names[0]) alphas.push_back(handle);
            if (name == demo_names[1]) betas.push_back(handle);
            if (name != demo_names[2]) foundation.push_back(handle);
            ++local_count;
        }
    }
    write_string_list();
    ++local_count;
    write_foundation_file(foundation);
    for (tag_handle& handle : alphas) {
        refer_to_collection(handle, collection);
        if (tag_get_group(handle) == sound_group_tag) give_tone(handle, session);
    }
    for (const tag_handle handle : betas) {
        if (!tag_file_delete(handle)) throw CommandError("could not delete " + tag_path_text(handle));
        --local_count;
    }
    session.report_warnings();
    std::printf("created the demo working folder %s: %d local tags (among them the collection %s), and\n"
                "%s/%s holding %zu tags, whose Alpha tags are hidden by local ones\n",
                command.arguments[0].c_str(), local_count, collection_name, tags_folder_name,
                foundation_file_names[demo_foundation_destination], foundation.size());
    return 0;
}

}  // namespace

constinit const CommandDefinition demo_command{
    .name = "demo",
    .brief = "create a demo working folder",
    .arguments = "DIR",
    .summary = "Create a demo working folder DIR (new or empty): tags Alpha, Beta and Gamma of every group with "
               "a default record, a collection with bitmaps, sequences and hue changes that their collection "
               "references name (with two permutations each), a tone in the Alpha sound, a string list Alpha, and the foundation file \"small install\" holding the Alpha and Beta tags: "
               "local Alpha tags hide theirs, the Beta tags come from it.",
    .options = {},
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_demo,
};

}  // namespace cli
