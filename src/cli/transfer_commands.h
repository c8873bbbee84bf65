#pragma once

// export and import: a tag's data out to a file and back, as raw bytes in file
// order or as a JSON document of its fields.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition export_command;
extern const CommandDefinition import_command;

}  // namespace cli
