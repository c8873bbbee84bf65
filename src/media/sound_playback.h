#pragma once

// What the sound form's Play hands to the audio output: a permutation's samples
// as 16-bit PCM, channels interleaved, at its rate. Two decodings give the same
// samples: the block decoder directly, or (while Shift is held) a round through
// an intermediate sound converted back to PCM.

#include <cstdint>
#include <optional>
#include <vector>

#include "media/sound_tag.h"

enum class sound_playback_decoding { direct, conversion };

struct sound_playback {
    std::vector<std::int16_t> samples;  // interleaved left/right for two channels
    int channels = 0;
    int sample_rate = 0;  // samples per second
};

// Nothing for a permutation that is not block-compressed 16-bit sound of one or
// two channels whose data matches its header.
std::optional<sound_playback> sound_playback_of(const sound_tag_permutation& permutation,
                                                sound_playback_decoding decoding);
