// seed_generator FOLDER: writes a small starting corpus for every fuzz target
// into FOLDER/<target>, made by the project's own writers (tags, plugins and
// foundation files, collections, bitmaps, plugin lists, default records), so that
// the fuzzers start from well-formed inputs instead of having to find them.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli/game_text.h"
#include "cli/json_writer.h"
#include "cli/tag_document.h"
#include "core/character_translation.h"
#include "core/error_manager.h"
#include "core/tag_code.h"
#include "definitions/group_registry.h"
#include "media/bmp_import.h"
#include "media/collection_writer.h"
#include "media/font_import.h"
#include "media/system_fonts.h"
#include "media/sound_import.h"
#include "media/sound_tag.h"
#include "media/wave_writer.h"
#include "tag_files/monolithic_loader.h"
#include "tag_files/monolithic_writer.h"
#include "tag_files/plugin_list.h"
#include "tag_files/plugin_table.h"
#include "tag_files/tag_data.h"
#include "tag_files/tag_directory.h"
#include "tag_files/tag_editing.h"

namespace {

namespace fs = std::filesystem;

fs::path output;

void write_seed(const std::string& target, const std::string& name, const std::string& bytes) {
    fs::create_directories(output / target);
    std::ofstream(output / target / name, std::ios::binary) << bytes;
}

std::string bytes_of(const std::vector<std::byte>& data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

std::string file_bytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "seed_generator: %s failed\n", what);
    std::exit(1);
}

// Each row's record in file order, and its JSON document, after the byte that
// picks the row.
void group_record_seeds() {
    const auto rows = definitions::tag_group_registry();
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto record = definitions::default_record_in_file_order(rows[index].group_tag);
        if (record.empty()) continue;
        const std::string row(1, static_cast<char>(index));
        write_seed("group_records", std::to_string(index), row + bytes_of(record));
        const cli::Json document = cli::tag_data_to_document(rows[index].group_tag, record, cli::NoTagNames{});
        write_seed("record_json", std::to_string(index), row + cli::json::write_pretty(document));
    }
    // One folder of every row's default record under subgroups 0 to 2, for the reference index.
    std::string folder;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const auto record = definitions::default_record_in_file_order(rows[index].group_tag);
        for (char subgroup = 0; subgroup < 3; ++subgroup) {
            folder += std::string{static_cast<char>(index), subgroup, static_cast<char>(record.size() & 0xFF),
                                  static_cast<char>(record.size() >> 8)} +
                      bytes_of(record);
        }
    }
    write_seed("reference_index", "defaults", folder);
}

collection_bitmap small_bitmap(bool encoded, std::int16_t depth) {
    collection_bitmap bitmap;
    bitmap.name = encoded ? "encoded" : "plain";
    bitmap.width = 9;
    bitmap.height = 5;
    bitmap.bits_per_pixel = depth;
    bitmap.run_encoded = encoded;
    bitmap.row_table = !encoded || depth == 8;
    for (int index = 0; index < bitmap.width * bitmap.height; ++index) {
        bitmap.pixels.push_back(static_cast<std::uint16_t>(index % 4 == 0 ? 0 : index));
    }
    return bitmap;
}

// A small collection with one of each part, an overhead map as the import lays it
// out, and every kind of bitmap alone.
void collection_seeds() {
    collection_source source;
    color_table colors{};
    colors.count = 16;
    for (int index = 0; index < colors.count; ++index) {
        const auto level = static_cast<std::uint16_t>(index * 4096);
        colors.colors[index] = {level, static_cast<std::uint16_t>(65535 - level), level, 0};
    }
    source.color_tables.push_back(colors);
    hue_change skin{};
    std::snprintf(skin.name, sizeof skin.name, "skin");
    skin.hue_upper = 20000;
    skin.member_mask[0] = 0x3C;
    source.hue_changes.push_back(skin);
    for (std::int16_t index = 0; index < 2; ++index) {
        source.bitmaps.push_back(small_bitmap(index == 1, 8));
        bitmap_instance instance{};
        instance.bitmap_index = index;
        source.bitmap_instances.push_back(instance);
    }
    sequence head{};
    head.views = 1;
    source.sequences.push_back({"idle", head, std::vector<sequence_frame>(2), {0, 1}});
    source.shadow_maps.push_back(shadow_map{});
    const auto small = write_collection(source);
    if (!small) fail("write_collection");
    write_seed("collection_reader", "small", bytes_of(*small));

    bmp_image image;
    image.width = image.crop_width = 24;
    image.height = image.crop_height = 9;
    for (int index = 0; index < image.width * image.height; ++index) {
        image.pixels.push_back(static_cast<std::uint8_t>(index % 7 == 0 ? 0 : index));
    }
    const auto overhead_map = write_collection(bitmap_import_collection(bitmap_import_kind::overhead_map, image));
    if (!overhead_map) fail("write_collection");
    write_seed("collection_reader", "overhead_map", bytes_of(*overhead_map));

    for (const bool encoded : {false, true}) {
        for (const std::int16_t depth : {std::int16_t(8), std::int16_t(16)}) {
            const auto data = encode_collection_bitmap(small_bitmap(encoded, depth));
            if (!data) fail("encode_collection_bitmap");
            write_seed("bitmap_expand", (encoded ? "encoded_" : "plain_") + std::to_string(depth), bytes_of(*data));
        }
    }
}

void put_little_endian(std::string& bytes, std::uint32_t value, int width) {
    for (int index = 0; index < width; ++index) bytes.push_back(static_cast<char>(value >> (8 * index)));
}

// 8-bit uncompressed pictures, bottom-up and top-down, with a short palette. The
// fuzz target picks the import kind from the input's size.
void bmp_seeds() {
    for (const int width : {5, 8, 13}) {
        const int height = width == 8 ? -3 : 4;
        const int row_size = (width + 3) / 4 * 4;
        const int colors = 16;
        const std::uint32_t pixels_offset = 14 + 40 + 4 * colors;
        std::string file = "BM";
        put_little_endian(file, pixels_offset + static_cast<std::uint32_t>(row_size * std::abs(height)), 4);
        put_little_endian(file, 0, 4);
        put_little_endian(file, pixels_offset, 4);
        put_little_endian(file, 40, 4);
        put_little_endian(file, static_cast<std::uint32_t>(width), 4);
        put_little_endian(file, static_cast<std::uint32_t>(height), 4);
        put_little_endian(file, 1, 2);
        put_little_endian(file, 8, 2);
        put_little_endian(file, 0, 4);
        put_little_endian(file, static_cast<std::uint32_t>(row_size * std::abs(height)), 4);
        put_little_endian(file, 2835, 4);
        put_little_endian(file, 2835, 4);
        put_little_endian(file, colors, 4);
        put_little_endian(file, 0, 4);
        for (int index = 0; index < colors; ++index) put_little_endian(file, 0x00102030u * std::uint32_t(index), 4);
        for (int row = 0; row < std::abs(height); ++row) {
            for (int column = 0; column < row_size; ++column) file.push_back(static_cast<char>((row + column) % colors));
        }
        write_seed("bmp_reader", "width_" + std::to_string(width), file);
    }
}

// A mesh whose header names the string list with the map's long name.
std::string mesh_data(tag_code string_list) {
    std::string data(1024, '\0');
    for (int index = 0; index < 4; ++index) data[140 + index] = static_cast<char>(string_list >> (24 - 8 * index));
    return data;
}

// Local tags of the scan target's folders, written through the directory. A seed
// holds the file count, then per file: which folder and name, no header repairs,
// the length (12 bits) and the bytes.
void local_tag_seeds() {
    struct made_tag {
        tag_code group;
        const char* name;
        int folder;  // in the scan target's list of folders
        const char* folder_path;
        std::string data;
    };
    const made_tag tags[] = {
        {make_tag("mons"), "Ogre", 0, "local/monsters", bytes_of(definitions::default_record_in_file_order(make_tag("mons")))},
        {make_tag("proj"), "Troll", 1, "local/projectiles", bytes_of(definitions::default_record_in_file_order(make_tag("proj")))},
        {make_tag("reco"), "x", 2, "recordings", "a recording"},
        {make_tag("stli"), "Ogre", 4, "local/string lists", "The Long Name\r\nof the map"},
        {make_tag("mesh"), "Ogre", 3, "local/meshes", mesh_data(subgroup_from_name("Ogre"))},
    };
    std::string all_files(1, static_cast<char>(std::size(tags)));
    for (const made_tag& made : tags) {
        tag_handle handle = tag_file_create(made.group, made.name, 1);
        if (handle == NONE || !tag_file_write(handle, 0, static_cast<std::int32_t>(made.data.size()), made.data.data())) {
            fail("tag_file_write");
        }
        tag_file_close_local();
        std::string file = file_bytes(fs::path(made.folder_path) / tag_local_file_name(handle));
        file.resize(std::min<std::size_t>(file.size(), 0xFFF));
        std::string entry;
        entry.push_back(static_cast<char>(made.folder));  // name 0 of the target's list
        entry.push_back(0);
        entry.push_back(static_cast<char>(file.size() & 0xFF));
        entry.push_back(static_cast<char>(file.size() >> 8));
        entry += file;
        write_seed("local_tag_scan", "folder_" + std::to_string(made.folder) + "_" + made.name, std::string(1, 1) + entry);
        all_files += entry;
    }
    write_seed("local_tag_scan", "all", all_files);
}

// A plugin and a patch of the local tags, the foundation files, and the plugin
// lists naming them. The loading target's first byte 0 keeps a plugin as it is;
// 0x40 places the file as a foundation file. The inspection target takes the
// files alone.
void monolithic_seeds() {
    if (!build_plugin("Seed Plugin", "plugins.example", false, -1, nullptr, nullptr) ||
        !build_plugin("Seed Patch", "patches.example", true, -1, nullptr, nullptr) || !rebuild_foundation_files()) {
        fail("building monolithic files");
    }
    write_seed("monolithic_load", "plugin", std::string(1, '\0') + file_bytes("plugins/Seed Plugin"));
    write_seed("monolithic_load", "patch", std::string(1, '\0') + file_bytes("plugins/Seed Patch"));
    write_seed("monolithic_load", "foundation", std::string(1, '\x40') + file_bytes("tags/small install"));
    write_seed("monolithic_check", "plugin", file_bytes("plugins/Seed Plugin"));
    write_seed("monolithic_check", "patch", file_bytes("plugins/Seed Patch"));
    write_seed("monolithic_check", "foundation", file_bytes("tags/small install"));

    tag_files_close();
    reset_monolithic_state();
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) fail("reopening the directory");
    std::vector<std::int16_t> indexes;
    for (std::int16_t index = 0; index < get_plugin_list(nullptr); ++index) indexes.push_back(index);
    for (std::int16_t count = 0; count <= static_cast<std::int16_t>(indexes.size()); ++count) {
        unsigned char stream[plugin_list_stream_capacity];
        const std::int32_t length = encode_plugin_list(indexes.data(), count, stream);
        if (length == 0) fail("encode_plugin_list");
        write_seed("plugin_list", std::to_string(count), std::string(reinterpret_cast<const char*>(stream), length));
    }
}

// Fonts imported from DejaVu at the smallest size, plain and antialiased.
void font_seeds() {
    for (const bool antialiased : {false, true}) {
        font_import_options options;
        options.family = "DejaVu Sans";
        options.point_size = font_import_smallest_size;
        options.antialiased = antialiased;
        const auto font = system_font::open(options);
        if (!font) fail("opening DejaVu Sans");
        write_seed("font_reader", antialiased ? "antialiased" : "plain", bytes_of(build_font_tag_data(*font, antialiased, false)));
    }
}

// Short tones as our WAVE writer writes them, and a sound tag holding them.
void sound_seeds() {
    sound_tag sound = new_sound_tag();
    for (const int channels : {1, 2}) {
        std::vector<std::int16_t> samples(std::size_t(70 * channels));
        for (std::size_t index = 0; index < samples.size(); ++index) {
            samples[index] = std::int16_t((index % 16) * 2000 - 16000);
        }
        const auto file = wave_file_bytes(samples, channels, channels == 1 ? 22050 : 44100);
        if (!file) fail("wave_file_bytes");
        write_seed("wave_reader", "channels_" + std::to_string(channels), bytes_of(*file));
        wave_file wave;
        if (read_wave_bytes(*file, wave) != wave_problem::none ||
            !append_wave_permutation(sound, std::move(wave), "tone.wav").succeeded) {
            fail("importing a tone");
        }
        const auto tag = write_sound_tag(sound);
        if (!tag) fail("write_sound_tag");
        write_seed("sound_tag_reader", "permutations_" + std::to_string(channels), bytes_of(*tag));
    }
}

// Texts as the command-line tool's text import and the editor's text form
// store them, after the byte that picks the group (0 string list, 1 template,
// 2 text, 3 dialog string list).
void string_list_seeds() {
    const char* texts[] = {
        "Archer\nWarrior\n\nDwarf \xE2\x80\x9CLord\xE2\x80\x9D\n",
        "Caf\xC3\xA9 \xC2\xA4 10\xC2\xB0\tend",
        "line|rbreak\n|bbold|p\n\n",
    };
    for (int group = 0; group < 4; ++group) {
        for (int index = 0; index < static_cast<int>(std::size(texts)); ++index) {
            const cli::ImportedText imported = cli::utf8_to_game_text(texts[index]);
            if (!imported.data) fail("utf8_to_game_text");
            write_seed("string_lists", std::to_string(group) + "_" + std::to_string(index),
                       std::string(1, static_cast<char>(group)) + *imported.data);
        }
        write_seed("string_lists", std::to_string(group) + "_form",
                   std::string(1, static_cast<char>(group)) + display_text_to_game("first\r\nsecond\r\n\tthird"));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_generator FOLDER\n");
        return 2;
    }
    output = fs::absolute(argv[1]);
    fs::remove_all(output);

    std::string pattern = (fs::temp_directory_path() / "tessary-seeds-XXXXXX").string();
    if (!mkdtemp(pattern.data())) fail("mkdtemp");
    const fs::path working_folder = pattern;
    fs::current_path(working_folder);
    initialize_error_manager("seed_generator");
    tag_files_initialize();
    if (!tag_files_open(false, nullptr, 0, NONE)) fail("opening the directory");

    group_record_seeds();
    collection_seeds();
    bmp_seeds();
    local_tag_seeds();
    monolithic_seeds();
    font_seeds();
    sound_seeds();
    string_list_seeds();

    tag_files_close();
    fs::current_path(output);
    fs::remove_all(working_folder);
    return 0;
}
