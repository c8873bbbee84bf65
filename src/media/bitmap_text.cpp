#include "media/bitmap_text.h"

#include <cstdio>
#include <cstring>

#include "core/byte_swap.h"
#include "core/error_manager.h"
#include "core/warnings.h"
#include "tag_files/tag_data.h"

using definitions::font_character;
using definitions::font_character_codes;
using definitions::font_character_record_length;
using definitions::font_definition;
using definitions::font_definition_codes;

namespace {

constexpr std::int32_t no_character = -1;

const font_character built_in_space{32, built_in_space_advance, 0, 0, 0, 0, {}};

void byte_swap_character_header(font_character& header) {
    byte_swap_data("font_character", &header, sizeof(font_character), 1, font_character_codes);
}

font_definition read_definition(std::span<const std::byte> data) {
    font_definition definition;
    std::memcpy(&definition, data.data(), sizeof definition);
    byte_swap_data("font_definition", &definition, sizeof definition, 1, font_definition_codes);
    return definition;
}

void note_duplicate(const bitmap_font& font, const font_character& character, const char* name) {
    char note[256];
    std::snprintf(note, sizeof note, "%p:%p character 0x%04x (%p) appears in font %s twice",
                  static_cast<const void*>(&font), static_cast<const void*>(font.characters.data()),
                  unsigned{character.code}, static_cast<const void*>(&character), name);
    debug_output(note);
}

}  // namespace

const font_character* bitmap_font_character(const bitmap_font& font, std::uint16_t code) {
    const auto& page = font.pages[code >> 8];
    if (page) {
        const std::int32_t position = (*page)[code & 0xFF];
        if (position != no_character) return reinterpret_cast<const font_character*>(&font.characters[position]);
    }
    if (code == 32 && font.uses_built_in_space) return &built_in_space;
    return nullptr;
}

std::span<const std::uint8_t> bitmap_font_pixels(const font_character& character) {
    const bool drawn = character.width > 0 && character.height > 0;
    const std::size_t size = drawn ? std::size_t(character.width) * std::size_t(character.height) : 0;
    return {reinterpret_cast<const std::uint8_t*>(&character + 1), size};
}

bool font_character_block_fits(const font_definition& definition, std::int64_t data_size) {
    if (definition.character_count < 0 || definition.characters_offset < 0 || definition.characters_size < 0) {
        return false;
    }
    // A block overlapping the record would have its headers rewritten over the record's fields.
    if (definition.characters_size > 0 && definition.characters_offset < std::int64_t{sizeof(font_definition)}) {
        return false;
    }
    return std::int64_t{definition.characters_offset} <= data_size &&
           std::int64_t{definition.characters_size} <= data_size - definition.characters_offset;
}

std::optional<std::span<const std::byte>> font_character_block(const font_definition& definition,
                                                               std::span<const std::byte> data) {
    if (!font_character_block_fits(definition, static_cast<std::int64_t>(data.size()))) return std::nullopt;
    return data.subspan(static_cast<std::size_t>(definition.characters_offset),
                        static_cast<std::size_t>(definition.characters_size));
}

bool byte_swap_font_characters(std::span<std::byte> block, std::int32_t count, bool to_host) {
    if (count < 0) return false;
    std::size_t position = 0;
    for (std::int32_t index = 0; index < count; ++index) {
        if (block.size() - position < sizeof(font_character)) return false;
        auto& header = *reinterpret_cast<font_character*>(&block[position]);
        if (to_host) byte_swap_character_header(header);
        const std::int64_t length = font_character_record_length(header.width, header.height);
        if (!to_host) byte_swap_character_header(header);
        if (length > std::int64_t(block.size() - position)) return false;
        if (to_host) header.runtime[0] = header.runtime[1] = 0xFF;
        position += static_cast<std::size_t>(length);
    }
    return true;
}

bool font_character_sizes_are_whole(std::span<const std::byte> block, std::int32_t count) {
    std::size_t position = 0;
    for (std::int32_t index = 0; index < count; ++index) {
        if (block.size() - position < sizeof(font_character)) return false;
        font_character header;
        std::memcpy(&header, &block[position], sizeof header);
        if (header.width < 0 || header.height < 0) return false;
        position += static_cast<std::size_t>(font_character_record_length(header.width, header.height));
    }
    return true;
}

std::optional<std::string> font_data_problem(std::span<const std::byte> data) {
    if (data.size() < sizeof(font_definition)) return "shorter than the 64-byte font record";
    const font_definition definition = read_definition(data);
    const auto block = font_character_block(definition, data);
    if (!block) return "the character block does not lie inside the tag after the font record";
    std::vector<std::byte> characters(block->begin(), block->end());
    if (!byte_swap_font_characters(characters, definition.character_count, true)) {
        return "the " + std::to_string(definition.character_count) + " character records do not fit the block";
    }
    if (!font_character_sizes_are_whole(characters, definition.character_count)) {
        return "a character record has a negative width or height";
    }
    return std::nullopt;
}

std::optional<bitmap_font> read_bitmap_font(std::span<const std::byte> data, const char* name) {
    if (data.size() < sizeof(font_definition)) {
        handle_error(error_file_read, __FILE__, __LINE__, "couldn't read characters from font %s.", name);
        return std::nullopt;
    }
    bitmap_font font;
    font.definition = read_definition(data);
    const auto block = font_character_block(font.definition, data);
    if (!block) {
        handle_error(error_file_read, __FILE__, __LINE__, "couldn't read characters from font %s.", name);
        return std::nullopt;
    }
    font.characters.assign(block->begin(), block->end());
    if (!byte_swap_font_characters(font.characters, font.definition.character_count, true)) {
        handle_error(error_data_corrupted, __FILE__, __LINE__, "couldn't read characters from font %s.", name);
        return std::nullopt;
    }

    std::size_t position = 0;
    for (std::int32_t index = 0; index < font.definition.character_count; ++index) {
        const auto& character = *reinterpret_cast<const font_character*>(&font.characters[position]);
        auto& page = font.pages[character.code >> 8];
        if (!page) {
            page = std::make_unique<bitmap_font::page>();
            page->fill(no_character);
        }
        std::int32_t& entry = (*page)[character.code & 0xFF];
        if (entry == no_character) {
            entry = static_cast<std::int32_t>(position);
        } else {
            note_duplicate(font, character, name);
        }
        position += static_cast<std::size_t>(font_character_record_length(character.width, character.height));
    }

    font.definition.margin = static_cast<std::int16_t>((font.definition.ascent + font.definition.descent) / 5);
    font.uses_built_in_space = font.pages[0] && (*font.pages[0])[32] == no_character;
    return font;
}

std::optional<bitmap_font> read_bitmap_font_tag(tag_handle handle) {
    const std::int32_t size = tag_get_size(handle);
    const char* name = tag_get_name(handle);
    std::vector<std::byte> data(static_cast<std::size_t>(size > 0 ? size : 0));
    const bool read = size >= 0 && (size == 0 || tag_file_read(handle, 0, size, data.data()));
    tag_file_close_local();
    if (!read) {
        handle_error(error_file_read, __FILE__, __LINE__, "couldn't read characters from font %s.", name ? name : "");
        return std::nullopt;
    }
    return read_bitmap_font(data, name ? name : "");
}
