#include "media/sequence_views.h"

std::int32_t views_with_own_instances(const sequence& head) {
    const std::int32_t views = head.views;
    if (!(head.flags & sequence_flag_mirrored_views) || views < 3) return views;
    return views / 2 + 1;
}

std::vector<view_frame> frames_of_view(const sequence_contents& sequence, std::int32_t view) {
    const std::int32_t views = sequence.head.views;
    if (view < 0 || view >= views) return {};
    const bool mirrored = view >= views_with_own_instances(sequence.head);
    const std::int32_t source_view = mirrored ? views - view : view;
    std::vector<view_frame> frames;
    frames.reserve(sequence.frames.size());
    for (std::size_t frame = 0; frame < sequence.frames.size(); ++frame) {
        const std::size_t at = frame * std::size_t(views) + std::size_t(source_view);
        // The reader gives frames * views indexes; a shorter list ends the frames.
        if (at >= sequence.instance_indexes.size()) break;
        frames.push_back({sequence.instance_indexes[at], mirrored});
    }
    return frames;
}
