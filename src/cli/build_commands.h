#pragma once

// build-plugin and rebuild-foundation: packaging tags into monolithic files as
// the editor's plugin builder and foundation-file rebuild do.

#include "cli/arguments.h"

namespace cli {

extern const CommandDefinition build_plugin_command;
extern const CommandDefinition rebuild_foundation_command;

}  // namespace cli
