#pragma once

// A collection's bitmap as an 8-bit BMP or a PNG file, and the frames of one of
// its sequences as PNG files, recoloured through a collection reference's
// permutation when one is named.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition export_bitmap_command;
extern const CommandDefinition export_sequence_command;

}  // namespace cli
