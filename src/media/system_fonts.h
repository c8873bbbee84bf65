#pragma once

// Fonts of the system for the font import: families listed through fontconfig,
// characters drawn with FreeType from the font file with fixed load and render
// flags, so that the same font always gives the same pixels whatever the
// machine's text rendering settings.

#include <memory>
#include <string>
#include <vector>

#include "media/font_import.h"

// The families of the scalable fonts installed, sorted ignoring case.
std::vector<std::string> system_font_families();

// The family an import starts at: the first that begins with "Arial" (ignoring
// case), else the system's default sans-serif family, else the first; empty
// when the list is.
std::string initial_font_family(const std::vector<std::string>& families);

// Pixels of the em square at 96 dots per inch (rounded as the platform rounds).
int font_pixel_size(int point_size);

// The pixel size a drawing of the options uses: the point size, four times
// it with Antialiased.
int font_import_pixel_size(const font_import_options& options);

// A face of the system drawn at the options' pixel size: the family's bold and
// italic faces, made bold or slanted by the drawing when the family has none;
// underline and strikeout drawn across each character's extent.
class system_font : public font_drawing {
public:
    // Null when no font file can be found or opened for the family.
    static std::unique_ptr<system_font> open(const font_import_options& options);
    ~system_font() override;

    font_text_metrics metrics() const override;
    drawn_character draw(unsigned char character) override;

    // The file the face was loaded from, and its index in it.
    const std::string& file() const;
    int face_index() const;

    struct state;

private:
    explicit system_font(std::unique_ptr<state> state);
    std::unique_ptr<state> state_;
};
