#include "cli/bitmap_commands.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "cli/command_error.h"
#include "cli/count_text.h"
#include "cli/file_io.h"
#include "cli/session.h"
#include "cli/tag_lookup.h"
#include "core/byte_swap.h"
#include "definitions/collection_reference_definitions.h"
#include "media/bmp_writer.h"
#include "media/collection_picture.h"
#include "media/hexcone_recolor.h"
#include "media/png_writer.h"
#include "media/sprite_picture.h"

namespace cli {

namespace {

int parse_index(const std::string& option, const std::string& text) {
    int index = -1;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (problem != std::errc() || end != text.data() + text.size() || index < 0) {
        throw CommandError(option + " takes a number from 0, not '" + text + "'", exit_usage);
    }
    return index;
}

// The colours of permutation `index` of the collection reference.
std::array<rgb_color, definitions::color_permutation_colors> permutation_of(const std::string& core,
                                                                            int index) {
    const tag_handle handle = require_tag(parse_tag_path(core));
    if (tag_get_group(handle) != make_tag("core")) throw CommandError(core + " is no collection reference");
    const std::vector<std::byte> data = read_tag_data(handle);
    definitions::collection_reference reference{};
    if (data.size() < sizeof reference) throw CommandError(tag_path_text(handle) + " is too short");
    std::memcpy(&reference, data.data(), sizeof reference);
    byte_swap_data("collection reference", &reference, sizeof reference, 1,
                   definitions::collection_reference_codes);
    const int count = std::clamp<int>(reference.permutation_count, 0,
                                      definitions::collection_reference_maximum_permutations);
    if (index >= count) {
        throw CommandError(tag_path_text(handle) + " has " + count_text(std::size_t(count), "permutation") +
                           ", no permutation " + std::to_string(index));
    }
    std::array<rgb_color, definitions::color_permutation_colors> colors{};
    std::memcpy(colors.data(), reference.permutations[index].colors, sizeof colors);
    return colors;
}

bool ends_with_png(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char character) { return char(std::tolower(character)); });
    return extension == ".png";
}

std::vector<std::byte> png_bytes(const rgba_picture& picture) {
    std::optional<std::vector<std::byte>> bytes = write_png(picture);
    if (!bytes) throw CommandError("the picture could not be encoded as PNG");
    return std::move(*bytes);
}

// The options every export of a collection's pictures shares: the collection,
// and the permutation that recolours it (none when no --core is given).
struct CollectionExport {
    tag_handle handle = NONE;
    std::vector<std::byte> data;
    std::optional<std::array<rgb_color, definitions::color_permutation_colors>> permutation;

    std::span<const rgb_color> colors() const {
        return permutation ? std::span<const rgb_color>(*permutation) : std::span<const rgb_color>();
    }
};

// Call with the session open.
CollectionExport collection_export(const ParsedCommand& command) {
    const std::optional<std::string> core = command.value("--core");
    if (command.has("--permutation") && !core) throw CommandError("--permutation needs --core", exit_usage);
    const int permutation = parse_index("--permutation", command.value("--permutation").value_or("0"));
    CollectionExport chosen;
    chosen.handle = require_tag(parse_tag_path(command.arguments[0]));
    if (tag_get_group(chosen.handle) != collection_group_tag) {
        throw CommandError(command.arguments[0] + " is no collection");
    }
    if (core) chosen.permutation = permutation_of(*core, permutation);
    chosen.data = read_tag_data(chosen.handle);
    return chosen;
}

int run_export_bitmap(const ParsedCommand& command) {
    const std::optional<std::string> output = command.value("-o");
    if (!output) throw CommandError("export-bitmap needs -o FILE.bmp", exit_usage);
    const int bitmap = parse_index("--bitmap", command.value("--bitmap").value_or("0"));
    Session session(Access::read_only);
    const CollectionExport chosen = collection_export(command);
    const tag_handle handle = chosen.handle;
    const std::vector<std::byte>& data = chosen.data;
    const auto collection = read_collection_for_display(data, bitmap);
    if (!collection) throw CommandError(tag_path_text(handle) + " is not a readable collection");
    if (!collection->image) {
        const std::size_t count = collection->bitmap_references.size();
        throw CommandError(tag_path_text(handle) + " has " + count_text(count, "bitmap") + ", no bitmap " +
                           std::to_string(bitmap));
    }
    const auto picture = picture_of(*collection, chosen.colors());
    if (ends_with_png(*output)) {
        write_output(*output, png_bytes(picture_of_bitmap(picture->image, palette_of(picture->colors))));
    } else {
        write_output(*output, write_bmp(picture->image.width, picture->image.height, picture->image.indexes,
                                        picture->colors));
    }
    if (*output != "-") {
        std::printf("wrote %s (%d x %d)\n", output->c_str(), picture->image.width, picture->image.height);
    }
    return 0;
}

// A number from 0 is the sequence's index; anything else its name, ignoring case.
std::size_t find_sequence(const collection_contents& contents, const std::string& text,
                          const std::string& collection) {
    if (!text.empty() &&
        std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); })) {
        const auto index = std::size_t(parse_index("--sequence", text));
        if (index < contents.sequences.size()) return index;
    } else {
        for (std::size_t index = 0; index < contents.sequences.size(); ++index) {
            if (compare_text_ignoring_case(contents.sequences[index].name, text) == 0) return index;
        }
    }
    throw CommandError(collection + " has " + count_text(contents.sequences.size(), "sequence") +
                       ", no sequence '" + text + "'");
}

// frame_007.png: as many digits as the last frame's number needs, at least three.
std::string frame_file_name(std::size_t frame, std::size_t frames) {
    const std::size_t digits = std::max<std::size_t>(3, std::to_string(frames == 0 ? 0 : frames - 1).size());
    std::string number = std::to_string(frame);
    number.insert(0, digits - number.size(), '0');
    return "frame_" + number + ".png";
}

int run_export_sequence(const ParsedCommand& command) {
    const std::optional<std::string> output = command.value("-o");
    if (!output) throw CommandError("export-sequence needs -o DIR", exit_usage);
    const std::optional<std::string> sequence_text = command.value("--sequence");
    if (!sequence_text) throw CommandError("export-sequence needs --sequence S", exit_usage);
    const int view = parse_index("--view", command.value("--view").value_or("0"));
    Session session(Access::read_only);
    const CollectionExport chosen = collection_export(command);
    const std::string name = tag_path_text(chosen.handle);
    const std::optional<collection_contents> contents = read_collection_contents(chosen.data);
    const std::optional<collection_display> display = read_collection_for_display(chosen.data, NONE);
    const std::optional<collection_view> view_of_data = open_collection(chosen.data);
    if (!contents || !display || !view_of_data) throw CommandError(name + " is not a readable collection");
    const sequence_contents& sequence = contents->sequences[find_sequence(*contents, *sequence_text, name)];
    if (view >= sequence.head.views) {
        const auto views = std::size_t(std::max<std::int16_t>(sequence.head.views, 0));
        throw CommandError(name + ": sequence '" + sequence.name + "' has " + count_text(views, "view") +
                           ", no view " + std::to_string(view));
    }
    const std::optional<view_layout> layout = lay_out_view(*contents, sequence, view);
    if (!layout) throw CommandError(name + ": sequence '" + sequence.name + "' is too large to draw");
    if (layout->width == 0) throw CommandError(name + ": sequence '" + sequence.name + "' shows no bitmap");
    color_table colors{};
    if (display->colors) colors = *display->colors;
    if (chosen.permutation) recolor_color_table(colors, display->hue_changes, chosen.colors());
    const rgba_palette palette = palette_of(colors);
    std::filesystem::create_directories(*output);
    for (std::size_t frame = 0; frame < layout->frames.size(); ++frame) {
        const std::int32_t bitmap = layout->frames[frame].bitmap_index;
        std::optional<expanded_bitmap> image;
        if (bitmap != NONE) {
            image = expand_collection_bitmap(*view_of_data, contents->bitmap_references[std::size_t(bitmap)]);
            if (!image)
                throw CommandError(name + ": bitmap " + std::to_string(bitmap) + " cannot be decoded");
        }
        const std::string file =
            (std::filesystem::path(*output) / frame_file_name(frame, layout->frames.size())).string();
        write_output(file, png_bytes(frame_picture(*layout, frame, image ? &*image : nullptr, palette)));
    }
    std::printf("wrote %s to %s (%d x %d)\n", count_text(layout->frames.size(), "frame").c_str(),
                output->c_str(), layout->width, layout->height);
    return 0;
}

constexpr OptionSpec export_bitmap_options[] = {
    {"--bitmap", "K", "the bitmap's number, from 0 (default 0)"},
    {"--core", "core/NAME", "recolour through this collection reference's permutation"},
    {"--permutation", "P", "the permutation's number, from 0 (default 0; needs --core)"},
    {"-o", "FILE", "the file to write: PNG when its name ends in .png, else BMP ('-': standard output, BMP)"},
};

constexpr OptionSpec export_sequence_options[] = {
    {"--sequence", "S", "the sequence: its number from 0, or its name"},
    {"--view", "V", "the view's number, from 0 (default 0)"},
    {"--core", "core/NAME", "recolour through this collection reference's permutation"},
    {"--permutation", "P", "the permutation's number, from 0 (default 0; needs --core)"},
    {"-o", "DIR", "the folder to write the frames into (made when missing)"},
};

}  // namespace

constinit const CommandDefinition export_bitmap_command{
    .name = "export-bitmap",
    .brief = "write a collection's bitmap as a BMP file",
    .arguments = ".256/NAME [--bitmap K] [--core core/NAME --permutation P] -o FILE.bmp|FILE.png",
    .summary =
        "Write a bitmap of a collection as an 8-bit uncompressed BMP with its colour table, or as an RGBA "
        "PNG (colour 0 transparent) when the file name ends in .png, recoloured through a permutation of a "
        "collection reference when one is given.",
    .options = export_bitmap_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_export_bitmap,
};

constinit const CommandDefinition export_sequence_command{
    .name = "export-sequence",
    .brief = "write the frames of a collection's sequence as PNG files",
    .arguments = ".256/NAME --sequence S [--view V] [--core core/NAME --permutation P] -o DIR",
    .summary =
        "Write one RGBA PNG per frame of a sequence seen from one view (frame_000.png, frame_001.png, ...), "
        "every frame on the same canvas with each bitmap placed by its instance's origin, mirrored views "
        "drawn from the earlier views they mirror, recoloured through a permutation of a collection "
        "reference when one is given.",
    .options = export_sequence_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_export_sequence,
};

}  // namespace cli
