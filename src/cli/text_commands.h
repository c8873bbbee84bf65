#pragma once

// The text groups' commands: the editor's text dump of a group, and the
// numbered strings of a string list as the engine reads them.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition dump_text_command;
extern const CommandDefinition strings_command;

}  // namespace cli
