#pragma once

// diff: what differs between two tags (field by field through the group's field
// description) or two monolithic files (tags added, removed and changed).

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition diff_command;

}  // namespace cli
