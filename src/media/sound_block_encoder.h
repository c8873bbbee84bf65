#pragma once

// Compresses 16-bit PCM of one or two channels into 34-byte blocks as the
// samples arrive, giving exactly the blocks of the whole sound compressed at
// once: each channel carries its encoder state from block to block (starting
// at predictor 0, step index 0), two channels give a left block then a right
// block for every 64 frames, and the last frames are padded with silence.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "media/sound_block_codec.h"

class sound_block_encoder {
public:
    sound_block_encoder(int channels, sound_block_headers headers);

    // The bytes of the blocks that `frames` frames compress into.
    static std::int64_t compressed_size(std::int64_t frames, int channels);

    // Writes the blocks of every 64 frames the samples (whole frames, the
    // channels interleaved) complete; the frames left over wait for the next
    // call or for finish. Returns the bytes written.
    std::size_t encode(std::span<const std::int16_t> samples, std::byte* output);
    // The frames left over as a last block padded with silence; 0 bytes when
    // none are left.
    std::size_t finish(std::byte* output);

private:
    int channels_;
    sound_block_headers headers_;
    sound_encoder_state states_[2] = {{0, 0}, {0, 0}};
    // Each channel's samples not yet in a block, then those of the call.
    std::vector<std::int16_t> channels_samples_[2];
    int waiting_ = 0;  // frames
};
