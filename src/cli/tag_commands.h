#pragma once

// new and delete: tags come and go as with the editor's New and Delete.

#include "cli/arguments.h"

namespace cli {

extern const CommandSpec new_command;
extern const CommandSpec delete_command;

}  // namespace cli
