#pragma once

// list and info: what the working folder's tags are and where they come from.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition list_command;
extern const CommandDefinition info_command;

}  // namespace cli
