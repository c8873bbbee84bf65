// Random bytes as a font tag's data: judged by the form's rules (a font the form
// takes is one the engine reads), read by the engine's rules, every code looked
// up, and every record found must lie inside the characters read.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/bitmap_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    const bool form_takes = !font_data_problem(bytes).has_value();
    const auto font = read_bitmap_font(bytes, "fuzz");
    if (form_takes && !font) __builtin_trap();
    if (!font) return 0;
    const std::byte* begin = font->characters.data();
    const std::byte* end = begin + font->characters.size();
    for (std::uint32_t code = 0; code < 0x10000; ++code) {
        if (!font->pages[code >> 8] || (code == 32 && font->uses_built_in_space)) continue;
        const definitions::font_character* character = bitmap_font_character(*font, std::uint16_t(code));
        if (!character) continue;
        const auto pixels = bitmap_font_pixels(*character);
        const auto* first = reinterpret_cast<const std::byte*>(character);
        const auto* last = reinterpret_cast<const std::byte*>(pixels.data() + pixels.size());
        if (first < begin || last > end || character->code != code) __builtin_trap();
    }
    return 0;
}
