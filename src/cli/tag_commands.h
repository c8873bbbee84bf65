#pragma once

// new and delete: tags come and go as with the editor's New and Delete.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition new_command;
extern const CommandDefinition delete_command;

}  // namespace cli
