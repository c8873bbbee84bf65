#pragma once

// A collection's bitmap as an 8-bit BMP file, recoloured through a collection
// reference's permutation when one is named.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition export_bitmap_command;

}  // namespace cli
