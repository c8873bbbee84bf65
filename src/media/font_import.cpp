#include "media/font_import.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/byte_swap.h"
#include "core/character_translation.h"
#include "definitions/font_definitions.h"
#include "tag_files/tag_data.h"

using definitions::font_character;
using definitions::font_definition;

namespace {

constexpr int averaging_scale = 4;

int divided_rounding_up(int value, int divisor) {
    return (value + divisor - 1) / divisor;
}

font_definition import_definition(const font_text_metrics& metrics, bool antialiased) {
    font_definition definition{};
    definition.characters_offset = sizeof(font_definition);
    std::fill(std::begin(definition.style_fonts), std::end(definition.style_fonts), tag_code(NONE));
    const int leading = metrics.internal_leading + metrics.external_leading;
    if (antialiased) {
        const int rows = divided_rounding_up(metrics.height, averaging_scale);
        const double ascent_share = metrics.height > 0 ? double(metrics.ascent) / metrics.height : 0.0;
        definition.ascent = static_cast<std::int16_t>(ascent_share * rows);
        definition.descent = static_cast<std::int16_t>(rows - definition.ascent);
        definition.leading = static_cast<std::int16_t>(leading / averaging_scale);
    } else {
        definition.ascent = static_cast<std::int16_t>(metrics.ascent);
        definition.descent = static_cast<std::int16_t>(metrics.descent);
        definition.leading = static_cast<std::int16_t>(leading);
    }
    return definition;
}

// Black-or-white pixels: anything but pure white is ink.
void store_plain(const drawn_character& drawn, font_character& header, std::vector<std::uint8_t>& pixels) {
    header.width = header.advance = static_cast<std::int16_t>(drawn.width);
    header.height = static_cast<std::int16_t>(drawn.height);
    pixels.resize(drawn.pixels.size());
    std::transform(drawn.pixels.begin(), drawn.pixels.end(), pixels.begin(),
                   [](std::uint8_t level) { return std::uint8_t(level == 255 ? 255 : 0); });
}

// Each pixel the mean of the 4 x 4 block it covers, outside the drawing white.
void store_averaged(const drawn_character& drawn, font_character& header, std::vector<std::uint8_t>& pixels) {
    const int width = divided_rounding_up(drawn.width, averaging_scale);
    const int height = divided_rounding_up(drawn.height, averaging_scale);
    header.width = header.advance = static_cast<std::int16_t>(width);
    header.height = static_cast<std::int16_t>(height);
    pixels.assign(std::size_t(width) * std::size_t(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int row = y * averaging_scale; row < (y + 1) * averaging_scale; ++row) {
                for (int column = x * averaging_scale; column < (x + 1) * averaging_scale; ++column) {
                    const bool inside = row < drawn.height && column < drawn.width;
                    sum += inside ? drawn.pixels[std::size_t(row) * std::size_t(drawn.width) + std::size_t(column)] : 255;
                }
            }
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = static_cast<std::uint8_t>(sum >> 4);
        }
    }
}

void append_character(std::vector<std::byte>& data, font_character header, const std::vector<std::uint8_t>& pixels) {
    byte_swap_data("font_character", &header, sizeof header, 1, definitions::font_character_codes);
    const auto* header_bytes = reinterpret_cast<const std::byte*>(&header);
    data.insert(data.end(), header_bytes, header_bytes + sizeof header);
    const auto* pixel_bytes = reinterpret_cast<const std::byte*>(pixels.data());
    data.insert(data.end(), pixel_bytes, pixel_bytes + pixels.size());
    if (pixels.size() & 1) data.push_back(std::byte{0});
}

}  // namespace

namespace {

constexpr std::size_t proposed_name_limit = 31;
// How far back a cut may go to end at a whole word.
constexpr std::size_t word_boundary_reach = 12;

}  // namespace

std::string proposed_font_tag_name(const font_import_options& options) {
    std::string name = options.family;
    if (options.bold) name += " bold";
    if (options.italic) name += " italic";
    if (options.underline) name += " underline";
    if (options.strikeout) name += " strikeout";
    if (options.antialiased) name += " antialiased";
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char character) { return static_cast<char>(std::tolower(static_cast<unsigned char>(character))); });
    // The name dialog refuses more than a tag name holds: propose what fits.
    if (name.size() > proposed_name_limit) {
        const std::size_t space = name.rfind(' ', proposed_name_limit);
        const bool near = space != std::string::npos && proposed_name_limit - space <= word_boundary_reach;
        name.resize(near ? space : proposed_name_limit);
        while (!name.empty() && name.back() == ' ') name.pop_back();
    }
    return name;
}

std::vector<std::byte> build_font_tag_data(font_drawing& drawing, bool antialiased, bool all_caps,
                                           const font_import_progress& progress) {
    font_definition definition = import_definition(drawing.metrics(), antialiased);
    // The buffer grows as characters come: an extent may pass the largest width.
    std::vector<std::byte> data(sizeof(font_definition));
    std::vector<std::uint8_t> pixels;
    for (int game_character = 1; game_character <= 255; ++game_character) {
        if (game_character < 32 || !game_character_is_shown(static_cast<unsigned char>(game_character))) continue;
        int drawn_character_code = game_character;
        if (all_caps && drawn_character_code >= 'a' && drawn_character_code <= 'z') drawn_character_code -= 'a' - 'A';
        const auto shown = static_cast<unsigned char>(drawn_character_code);
        const drawn_character drawn = drawing.draw(shown);

        font_character header{};
        header.code = from_display_character(shown);
        header.origin_y = definition.ascent;
        if (antialiased) {
            store_averaged(drawn, header, pixels);
        } else {
            store_plain(drawn, header, pixels);
        }
        append_character(data, header, pixels);
        ++definition.character_count;
        if (progress) progress(100 * game_character / 255);
    }
    definition.characters_size = static_cast<std::int32_t>(data.size() - sizeof(font_definition));
    byte_swap_data("font_definition", &definition, sizeof definition, 1, definitions::font_definition_codes);
    std::memcpy(data.data(), &definition, sizeof definition);
    return data;
}

bool write_font_tag(tag_handle& handle, const std::vector<std::byte>& data) {
    const bool written = tag_replace_data(handle, data.data(), static_cast<std::int32_t>(data.size()));
    tag_file_close_local();
    return written;
}
