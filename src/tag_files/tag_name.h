#pragma once

#include "tag_files/tag_header.h"

// Tag names double as file names. Text is single-byte; a style code (a vertical
// bar followed by one of b, c, i, l, p, r, s in either case) counts as one
// character of two bytes, as in the game's text drawing.

// Bytes taken by the character at text[0] (1 or 2); 1 at the terminating NUL.
int text_character_length(const char* text);

// Makes a NUL-terminated name valid in place: forbidden characters become
// underscores, the name is cut to 31 characters and a trailing run of periods
// and spaces is removed. True when a character was replaced or the name was cut
// (removing the trailing run alone does not count). The name must be terminated
// within its first 32 bytes or be in a buffer of at least 32 bytes.
bool sanitize_tag_name(char* name);
