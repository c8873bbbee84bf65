#pragma once

// The sprite collection of the demo working folder: a palette with two
// recolourable hue ranges, a figure drawn in four poses, and a standing and a
// walking sequence over them.

#include "media/collection_writer.h"

namespace cli {

collection_source demo_collection();

}  // namespace cli
