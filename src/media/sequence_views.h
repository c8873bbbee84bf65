#pragma once

// Which bitmap instance each frame of a sequence shows from one view. A
// sequence with mirrored views stores instances for its first views only; the
// engine fills each later view v with the instances of view (views - v), drawn
// the other way round, since a figure seen from angle -a is the mirror image of
// the figure seen from angle a.

#include <cstdint>
#include <vector>

#include "media/collection_format.h"
#include "media/collection_reader.h"

// The views that hold instances of their own: all of them without mirroring,
// else views / 2 + 1 (all of them below three views).
std::int32_t views_with_own_instances(const sequence& head);

struct view_frame {
    std::int16_t instance_index;  // as stored: NONE or out of range stays as it is
    bool mirror_toggled;          // drawn mirrored relative to the instance's own flag
};

// The frames of `view` (from 0) in order; empty for a view the sequence does not have.
std::vector<view_frame> frames_of_view(const sequence_contents& sequence, std::int32_t view);
