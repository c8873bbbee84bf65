#pragma once

// demo: a working folder to try the editor on.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition demo_command;

}  // namespace cli
