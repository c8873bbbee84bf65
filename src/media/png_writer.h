#pragma once

// Writing 8-bit RGBA pictures as PNG files, through libpng.

#include <cstddef>
#include <optional>
#include <vector>

#include "media/sprite_picture.h"

// The PNG file's bytes; nothing for an empty picture or one libpng refuses.
std::optional<std::vector<std::byte>> write_png(const rgba_picture& picture);
