#include "media/sound_block_encoder.h"

#include <algorithm>
#include <cstring>

#include "definitions/sound_definitions.h"

namespace {

using definitions::sound_block_samples;

constexpr std::size_t block_bytes = sizeof(definitions::sound_block);

void store_header(std::uint16_t header, sound_block_headers headers, std::byte* block) {
    if (headers == sound_block_headers::stored) {
        block[0] = std::byte(header >> 8);
        block[1] = std::byte(header & 0xFF);
    } else {
        std::memcpy(block, &header, sizeof header);
    }
}

}  // namespace

sound_block_encoder::sound_block_encoder(int channels, sound_block_headers headers)
    : channels_(std::clamp(channels, 1, 2)), headers_(headers) {}

std::int64_t sound_block_encoder::compressed_size(std::int64_t frames, int channels) {
    return (frames + sound_block_samples - 1) / sound_block_samples * channels * std::int64_t(block_bytes);
}

std::size_t sound_block_encoder::encode_blocks(const std::int16_t* const* channel_samples,
                                               std::byte* output) {
    std::uint8_t* codes[2];
    for (int channel = 0; channel < channels_; ++channel) {
        std::byte* block = output + std::size_t(channel) * block_bytes;
        const sound_encoder_state& state = states_[channel];
        store_header(sound_block_header(state.predictor, state.step_index), headers_, block);
        codes[channel] = reinterpret_cast<std::uint8_t*>(block + 2);
    }
    if (channels_ == 2) {
        encode_sound_blocks_side_by_side<2>(channel_samples, sound_block_samples, codes, states_);
    } else {
        encode_sound_blocks_side_by_side<1>(channel_samples, sound_block_samples, codes, states_);
    }
    return std::size_t(channels_) * block_bytes;
}

std::size_t sound_block_encoder::encode(std::span<const std::int16_t> samples, std::byte* output) {
    const auto width = std::size_t(channels_);
    const std::size_t frames = samples.size() / width;
    std::size_t written = 0;
    std::size_t frame = 0;
    while (frame < frames) {
        // One channel's whole blocks are encoded where they lie.
        if (channels_ == 1 && waiting_frames_ == 0 && frames - frame >= sound_block_samples) {
            const std::int16_t* block = samples.data() + frame;
            written += encode_blocks(&block, output + written);
            frame += sound_block_samples;
            continue;
        }
        const std::size_t taken =
            std::min(frames - frame, std::size_t(sound_block_samples - waiting_frames_));
        for (std::size_t at = 0; at < taken; ++at) {
            for (std::size_t channel = 0; channel < width; ++channel)
                waiting_[channel][std::size_t(waiting_frames_) + at] =
                    samples[(frame + at) * width + channel];
        }
        waiting_frames_ += int(taken);
        frame += taken;
        if (waiting_frames_ == sound_block_samples) {
            const std::int16_t* channel_samples[2] = {waiting_[0], waiting_[1]};
            written += encode_blocks(channel_samples, output + written);
            waiting_frames_ = 0;
        }
    }
    return written;
}

std::size_t sound_block_encoder::finish(std::byte* output) {
    if (waiting_frames_ == 0) return 0;
    for (auto& channel : waiting_)
        std::fill(channel + waiting_frames_, channel + sound_block_samples, std::int16_t{0});
    const std::int16_t* channel_samples[2] = {waiting_[0], waiting_[1]};
    waiting_frames_ = 0;
    return encode_blocks(channel_samples, output);
}
