#include "media/sound_block_encoder.h"

#include <algorithm>
#include <thread>

#include "definitions/sound_definitions.h"

namespace {

using definitions::sound_block_samples;

constexpr std::ptrdiff_t block_bytes = sizeof(definitions::sound_block);
// Below this many blocks a channel is compressed in less time than a thread
// takes to start.
constexpr std::int64_t blocks_worth_a_thread = 256;

}  // namespace

sound_block_encoder::sound_block_encoder(int channels, sound_block_headers headers)
    : channels_(std::clamp(channels, 1, 2)), headers_(headers) {}

std::int64_t sound_block_encoder::compressed_size(std::int64_t frames, int channels) {
    return (frames + sound_block_samples - 1) / sound_block_samples * channels * block_bytes;
}

std::size_t sound_block_encoder::encode(std::span<const std::int16_t> samples, std::byte* output) {
    const auto width = std::size_t(channels_);
    const std::size_t frames = samples.size() / width;
    const std::size_t blocks = (std::size_t(waiting_) + frames) / sound_block_samples;
    const std::size_t left_over = std::size_t(waiting_) + frames - blocks * sound_block_samples;
    const std::ptrdiff_t stride = block_bytes * channels_;
    // A channel's samples after those still waiting, its whole blocks, and
    // the frames past them kept for the next call.
    const auto encode_channel = [&](int channel) {
        std::vector<std::int16_t>& mine = channels_samples_[std::size_t(channel)];
        mine.resize(std::size_t(waiting_) + frames);
        for (std::size_t frame = 0; frame < frames; ++frame)
            mine[std::size_t(waiting_) + frame] = samples[frame * width + std::size_t(channel)];
        encode_sound_channel_blocks(mine.data(), std::int64_t(blocks), headers_, output + channel * block_bytes, stride,
                                    states_[channel]);
        std::copy(mine.begin() + std::ptrdiff_t(blocks * sound_block_samples), mine.end(), mine.begin());
        mine.resize(left_over);
    };
    // The two channels are independent: the right one is compressed on a
    // thread of its own while this one does the left.
    if (channels_ == 2 && std::int64_t(blocks) >= blocks_worth_a_thread) {
        std::jthread right(encode_channel, 1);
        encode_channel(0);
    } else {
        for (int channel = 0; channel < channels_; ++channel) encode_channel(channel);
    }
    waiting_ = int(left_over);
    return blocks * std::size_t(stride);
}

std::size_t sound_block_encoder::finish(std::byte* output) {
    if (waiting_ == 0) return 0;
    for (int channel = 0; channel < channels_; ++channel) {
        std::vector<std::int16_t>& mine = channels_samples_[std::size_t(channel)];
        mine.resize(sound_block_samples, std::int16_t{0});
        encode_sound_channel_blocks(mine.data(), 1, headers_, output + channel * block_bytes,
                                    block_bytes * channels_, states_[channel]);
        mine.clear();
    }
    waiting_ = 0;
    return std::size_t(block_bytes * channels_);
}
