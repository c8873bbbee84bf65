#pragma once

// verify: checks monolithic files byte by byte, one line per problem.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition verify_command;

}  // namespace cli
