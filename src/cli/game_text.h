#pragma once

// The text of the text groups (string lists, templates, texts) as UTF-8 with LF
// line ends, through the editor's translation between the game's Mac OS Roman
// bytes and the Windows-1252 characters shown for them. A CR byte, the tag's
// line end, is exported as LF; LF, CR LF and a lone CR all import as CR, so a
// text written on any system keeps its lines. An LF byte, which the editor does
// not show as a line break, is U+2028 LINE SEPARATOR here, so export followed by
// import gives back the same bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

struct ExportedText {
    std::string text;
    // Bytes without a character of their own, written as '?'; where the first one is.
    std::size_t unshown = 0;
    std::size_t first_unshown = 0;
};

ExportedText game_text_to_utf8(std::string_view data);

struct ImportedText {
    std::optional<std::string> data;
    std::string error;  // when there is no data: what was refused and where
};

// Nothing when the text is not UTF-8 or holds a character without a Mac OS
// Roman byte ('?' itself is one). A byte order mark at the start is skipped.
ImportedText utf8_to_game_text(std::string_view text);

// The groups whose tags are plain text.
bool is_text_group(std::uint32_t group);

}  // namespace cli
