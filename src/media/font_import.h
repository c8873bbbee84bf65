#pragma once

// Making a `font` tag from a font of the system: every character of the game's
// character set drawn black on white, stored as grey bitmaps with the font's
// metrics, optionally drawn four times larger and averaged down.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tag_files/tag_directory.h"

struct font_import_options {
    std::string family;
    int point_size = 10;  // 4 to 72
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    bool antialiased = false;
    bool all_caps = false;
};

inline constexpr int font_import_smallest_size = 4;
inline constexpr int font_import_largest_size = 72;
inline constexpr int font_import_initial_size = 10;

// The tag name offered for an import: the face name and one word per option
// chosen, in lower case ("dejavu sans bold antialiased").
std::string proposed_font_tag_name(const font_import_options& options);

// The metrics text drawing gives for a font, in pixels.
struct font_text_metrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internal_leading = 0;
    int external_leading = 0;
    int largest_width = 0;
};

// One character drawn at the top left of a white canvas of its measured
// extent: width x height grey levels, 0 black to 255 white, row by row.
struct drawn_character {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// What draws the characters: a font of the system, or a stand-in in tests.
class font_drawing {
public:
    virtual ~font_drawing() = default;
    virtual font_text_metrics metrics() const = 0;
    // Draws one Windows-1252 character.
    virtual drawn_character draw(unsigned char character) = 0;
};

// Called with the percentage done (0 to 100) after each character.
using font_import_progress = std::function<void(int percent)>;

// The whole data of the new tag, in file order: the font record, then one
// record per character of the game's character set. `antialiased` says the
// drawing is four times the size and is averaged down by 4 x 4.
std::vector<std::byte> build_font_tag_data(font_drawing& drawing, bool antialiased, bool all_caps,
                                           const font_import_progress& progress = {});

// Writes the data as the whole content of the tag in one step, so that a failure
// leaves the tag as it was.
bool write_font_tag(tag_handle& handle, const std::vector<std::byte>& data);
