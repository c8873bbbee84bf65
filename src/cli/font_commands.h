#pragma once

// import-font: a `font` tag drawn from a font of the system, as the editor's
// New for `font` makes it; --list shows the families it can draw.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition import_font_command;

}  // namespace cli
