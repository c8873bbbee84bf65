#include "cli/bitmap_commands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "cli/command_error.h"
#include "cli/file_io.h"
#include "cli/session.h"
#include "cli/tag_lookup.h"
#include "core/byte_swap.h"
#include "definitions/collection_reference_definitions.h"
#include "media/bmp_writer.h"
#include "media/collection_picture.h"

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
std::array<rgb_color, definitions::color_permutation_colors> permutation_of(const std::string& core, int index) {
    const tag_handle handle = require_tag(parse_tag_path(core));
    if (tag_get_group(handle) != make_tag("core")) throw CommandError(core + " is no collection reference");
    const std::vector<std::byte> data = read_tag_data(handle);
    definitions::collection_reference reference{};
    if (data.size() < sizeof reference) throw CommandError(tag_path_text(handle) + " is too short");
    std::memcpy(&reference, data.data(), sizeof reference);
    byte_swap_data("collection reference", &reference, sizeof reference, 1, definitions::collection_reference_codes);
    const int count = std::clamp<int>(reference.permutation_count, 0,
                                      definitions::collection_reference_maximum_permutations);
    if (index >= count) {
        throw CommandError(tag_path_text(handle) + " has " + std::to_string(count) + " permutation" +
                           (count == 1 ? "" : "s") + ", no permutation " + std::to_string(index));
    }
    std::array<rgb_color, definitions::color_permutation_colors> colors{};
    std::memcpy(colors.data(), reference.permutations[index].colors, sizeof colors);
    return colors;
}

int run_export_bitmap(const ParsedCommand& command) {
    const TagPath path = parse_tag_path(command.arguments[0]);
    const std::optional<std::string> output = command.value("-o");
    if (!output) throw CommandError("export-bitmap needs -o FILE.bmp", exit_usage);
    const int bitmap = parse_index("--bitmap", command.value("--bitmap").value_or("0"));
    const std::optional<std::string> core = command.value("--core");
    if (command.has("--permutation") && !core) throw CommandError("--permutation needs --core", exit_usage);
    const int permutation = parse_index("--permutation", command.value("--permutation").value_or("0"));
    Session session(Access::read_only);
    const tag_handle handle = require_tag(path);
    if (tag_get_group(handle) != collection_group_tag) throw CommandError(command.arguments[0] + " is no collection");
    std::array<rgb_color, definitions::color_permutation_colors> colors{};
    if (core) colors = permutation_of(*core, permutation);
    const std::vector<std::byte> data = read_tag_data(handle);
    const auto collection = read_collection_for_display(data, bitmap);
    if (!collection) throw CommandError(tag_path_text(handle) + " is not a readable collection");
    if (!collection->image) {
        const std::size_t count = collection->bitmap_references.size();
        throw CommandError(tag_path_text(handle) + " has " + std::to_string(count) + " bitmap" +
                           (count == 1 ? "" : "s") + ", no bitmap " + std::to_string(bitmap));
    }
    const auto picture = picture_of(*collection, core ? std::span<const rgb_color>(colors) : std::span<const rgb_color>());
    write_output(*output, write_bmp(picture->image.width, picture->image.height, picture->image.indexes,
                                    picture->colors));
    if (*output != "-") {
        std::printf("wrote %s (%d x %d)\n", output->c_str(), picture->image.width, picture->image.height);
    }
    return 0;
}

constexpr OptionSpec export_bitmap_options[] = {
    {"--bitmap", "K", "the bitmap's number, from 0 (default 0)"},
    {"--core", "core/NAME", "recolour through this collection reference's permutation"},
    {"--permutation", "P", "the permutation's number, from 0 (default 0; needs --core)"},
    {"-o", "FILE", "the BMP file to write ('-': standard output)"},
};

}  // namespace

constinit const CommandDefinition export_bitmap_command{
    .name = "export-bitmap",
    .brief = "write a collection's bitmap as a BMP file",
    .arguments = ".256/NAME [--bitmap K] [--core core/NAME --permutation P] -o FILE.bmp",
    .summary = "Write a bitmap of a collection as an 8-bit uncompressed BMP with its colour table, recoloured "
               "through a permutation of a collection reference when one is given.",
    .options = export_bitmap_options,
    .minimum_arguments = 1,
    .maximum_arguments = 1,
    .run = run_export_bitmap,
};

}  // namespace cli
