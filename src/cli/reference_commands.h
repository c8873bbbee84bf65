#pragma once

// refs and check: what a tag uses and what uses it, and the broken references
// of the working folder, from the reference index.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition refs_command;
extern const CommandDefinition check_command;

}  // namespace cli
